#pragma once
#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

// Ends the program once the top-level widget named `name` is on screen:
// its window exposed, and so painted and flushed. Installed before the
// window is made, so an expose during show() is seen too.
class QuitWhenShown : public QObject
{
public:
    explicit QuitWhenShown(const char* name) : name_(name) { qApp->installEventFilter(this); }

    // The start is what is measured: tearing the program down is not.
    [[noreturn]] static void ExitNow(int code)
    {
        std::fflush(nullptr);
        std::_Exit(code);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed() && IsNamedWindow(window))
                QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool IsNamedWindow(const QWindow* window) const
    {
        for (const QWidget* widget : QApplication::topLevelWidgets())
            if (widget->windowHandle() == window && widget->objectName() == QLatin1String(name_))
                return true;
        return false;
    }

    const char* name_;
};
