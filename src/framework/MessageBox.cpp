#include "MessageBox.h"

#include <QMessageBox>

#include <utility>

namespace {
MessageHandler& Handler()
{
    static MessageHandler handler;
    return handler;
}
}  // namespace

MessageHandler SetMessageHandler(MessageHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

MessageAnswer ShowMessage(QWidget* parent, const MessageRecord& message)
{
    if (Handler())
        return Handler()(message);

    QMessageBox box(parent);
    box.setWindowTitle(QString::fromLocal8Bit(message.caption));
    box.setText(QString::fromLocal8Bit(message.text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(message.icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
    if (message.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}
