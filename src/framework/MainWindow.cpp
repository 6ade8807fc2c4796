#include "MainWindow.h"

#include <QPointer>
#include <QWidget>

namespace {
// A guarded pointer, so a destroyed window is never handed out.
QPointer<QWidget>& Current()
{
    static QPointer<QWidget> window;
    return window;
}
}  // namespace

QWidget* ApplicationMainWindow()
{
    return Current().data();
}

void SetApplicationMainWindow(QWidget* window)
{
    Current() = window;
}
