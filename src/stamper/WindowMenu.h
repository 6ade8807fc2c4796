#pragma once
#include <QObject>

#include <functional>

class QMenu;
class QPoint;
class QWidget;

// Window managers here own the title-bar menu, so a window that adds items to
// it offers its own window menu instead: Alt+Space, or a right click on the
// window's background, opens a menu with "Close" and the items added after it.
class CWindowMenu : public QObject {
public:
    explicit CWindowMenu(QWidget& window);

    void AppendSeparator();
    // Appends an item that carries its command id.
    void AppendItem(const QString& text, int commandId, std::function<void()> handler);

    void Popup(const QPoint& globalPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    QMenu* menu_;
};
