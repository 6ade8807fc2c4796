#include "ScriptedDialogs.h"

#include "ModalRun.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

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

// Watches for message boxes being shown and works each one from inside its
// own modal loop, once it is up.
class ScopedRealMessageBoxes::Presser : public QObject {
public:
    explicit Presser(ScopedRealMessageBoxes& owner) : owner_(owner) { qApp->installEventFilter(this); }
    ~Presser() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(watched))
                QTimer::singleShot(0, box, [this, box] { Work(*box); });
        return false;
    }

private:
    void Work(QMessageBox& box)
    {
        Seen seen;
        seen.text = box.text().toStdString();
        seen.centre = box.frameGeometry().center();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&box, &escape);
        seen.openAfterEscape = box.isVisible();
        box.close();
        seen.openAfterClose = box.isVisible();
        owner_.shown_.push_back(seen);

        MessageAnswer answer = box.button(QMessageBox::Yes) ? MessageAnswer::No : MessageAnswer::Ok;
        if (!owner_.answers_.empty()) {
            answer = owner_.answers_.front();
            owner_.answers_.pop_front();
        }
        const QMessageBox::StandardButton button = answer == MessageAnswer::Yes  ? QMessageBox::Yes
                                                   : answer == MessageAnswer::No ? QMessageBox::No
                                                                                 : QMessageBox::Ok;
        if (box.isVisible() && box.button(button))
            box.button(button)->click();
    }

    ScopedRealMessageBoxes& owner_;
};

ScopedRealMessageBoxes::ScopedRealMessageBoxes(std::deque<MessageAnswer> answers)
    : answers_(std::move(answers)), presser_(std::make_unique<Presser>(*this)), previous_(SetMessageHandler({}))
{
}

ScopedRealMessageBoxes::~ScopedRealMessageBoxes()
{
    SetMessageHandler(std::move(previous_));
}
