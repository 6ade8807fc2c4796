#include "ScriptedDialogs.h"

#include "ModalRun.h"

ScopedMessageScript::ScopedMessageScript(std::deque<MessageAnswer> answers)
    : answers_(std::move(answers))
{
    previous_ = SetMessageHandler([this](const MessageRecord& message) {
        shown_.push_back(message);
        if (!answers_.empty()) {
            const MessageAnswer answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    });
}

ScopedMessageScript::~ScopedMessageScript()
{
    SetMessageHandler(std::move(previous_));
}

ScopedModalScript::ScopedModalScript(std::deque<Step> steps) : steps_(std::move(steps))
{
    previous_ = SetModalHandler([this](QDialog& dialog) {
        ++runs_;
        if (steps_.empty()) {
            dialog.reject();
            return int(QDialog::Rejected);
        }
        Step step = std::move(steps_.front());
        steps_.pop_front();
        return step(dialog);
    });
}

ScopedModalScript::~ScopedModalScript()
{
    SetModalHandler(std::move(previous_));
}
