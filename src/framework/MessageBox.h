#pragma once
#include <functional>
#include <memory>
#include <string>

class QFont;
class QMessageBox;
class QString;
class QWidget;

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Exclamation };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRecord {
    std::string caption;
    std::string text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

// Shows a modal message box and returns the button chosen. A Yes/No box is
// answered only by Yes or No: Escape and the close box do nothing.
MessageAnswer ShowMessage(QWidget* parent, const MessageRecord& message);

// The box ShowMessage shows: caption, text and buttons as given, the
// exclamation picture only when asked for, and no pictures on the buttons.
// The box is at least as wide as a window manager needs to show its whole
// caption (MessageCaptionRoom).
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const MessageRecord& message);
int MessageCaptionRoom(const QFont& font, const QString& caption);

// Tests answer message boxes through a handler instead; an empty handler
// brings back the real box. Returns the handler it replaces.
using MessageHandler = std::function<MessageAnswer(const MessageRecord&)>;
MessageHandler SetMessageHandler(MessageHandler handler);
