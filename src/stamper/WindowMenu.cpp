#include "WindowMenu.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QShortcut>
#include <QWidget>

CWindowMenu::CWindowMenu(QWidget& window) : QObject(&window), window_(window), menu_(new QMenu(&window))
{
    menu_->setObjectName(QStringLiteral("windowMenu"));
    menu_->addAction(QStringLiteral("Close"), &window, &QWidget::close);

    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), &window);
    shortcut->setObjectName(QStringLiteral("windowMenuShortcut"));
    connect(shortcut, &QShortcut::activated, this, [this] { Popup(window_.mapToGlobal(QPoint(0, 0))); });
    window.installEventFilter(this);
}

void CWindowMenu::AppendSeparator() { menu_->addSeparator(); }

void CWindowMenu::AppendItem(const QString& text, int commandId, std::function<void()> handler)
{
    QAction* item = menu_->addAction(text);
    item->setData(commandId);
    connect(item, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

void CWindowMenu::Popup(const QPoint& globalPosition) { menu_->popup(globalPosition); }

bool CWindowMenu::eventFilter(QObject* watched, QEvent* event)
{
    // A right click that no control took reaches the window itself.
    if (watched == &window_ && event->type() == QEvent::ContextMenu) {
        Popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}
