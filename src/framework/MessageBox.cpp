#include "MessageBox.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSpacerItem>

#include <utility>

namespace {
MessageHandler& Handler()
{
    static MessageHandler handler;
    return handler;
}

// A question is answered only by its buttons: Escape and the close box would
// otherwise pick No, and No to a save prompt throws the user's work away.
class CQuestionBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};
}  // namespace

MessageHandler SetMessageHandler(MessageHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const MessageRecord& message)
{
    std::unique_ptr<QMessageBox> box;
    if (message.buttons == MessageButtons::YesNo)
        box = std::make_unique<CQuestionBox>(parent);
    else
        box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(QString::fromLocal8Bit(message.caption));
    box->setText(QString::fromLocal8Bit(message.text));
    box->setTextFormat(Qt::PlainText);
    box->setIcon(message.icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
    if (message.buttons == MessageButtons::YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    // Some styles put pictures on standard buttons; these boxes have none.
    for (QAbstractButton* button : box->buttons())
        button->setIcon(QIcon());
    // The box sizes itself to its layout, so a row of that width keeps the
    // caption whole.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(MessageCaptionRoom(box->font(), box->windowTitle()), 0), grid->rowCount(), 0, 1,
                      grid->columnCount());
    return box;
}

int MessageCaptionRoom(const QFont& font, const QString& caption)
{
    // Title bars draw the caption larger and bold, beside the window's icon
    // and its buttons: room for four squares a title bar high.
    QFont title(font);
    title.setBold(true);
    const int titleBarHeight = 2 * QFontMetrics(font).height();
    return QFontMetrics(title).horizontalAdvance(caption) * 5 / 4 + 4 * titleBarHeight;
}

MessageAnswer ShowMessage(QWidget* parent, const MessageRecord& message)
{
    if (Handler())
        return Handler()(message);

    const std::unique_ptr<QMessageBox> box = MakeMessageBox(parent, message);
    box->exec();
    if (message.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return box->clickedButton() == box->button(QMessageBox::Yes) ? MessageAnswer::Yes : MessageAnswer::No;
}
