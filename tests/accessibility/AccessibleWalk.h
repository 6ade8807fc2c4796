#pragma once
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

// One window a program shows: how to open it and hand it to a check.
struct WindowOpener {
    QString window;
    std::function<void(const std::function<void(QWidget&)>&)> open;
};

// Controls under `root` (root included) that take input or show a value and
// that a screen reader would announce without a name, as "window: object (class)".
QStringList UnnamedControls(QWidget& root);

// Progress bars under `root` whose value a screen reader cannot read.
QStringList SilentProgressBars(QWidget& root);

// The top-level object names of the forms in a resources folder.
QStringList FormNames(const QString& folder);

// Buttons under `root` that Enter leaves unpressed when they have the
// keyboard focus (or that press another), and line edits in which Enter does
// not press the window's default button alone, as "window: object (class)".
// The buttons' handlers are disconnected first: the window is spent.
QStringList EnterKeyMisses(QWidget& root);

// Opens every window, expects each to name all its controls and read out its
// progress bars, and expects every form in `formFolder` among the windows opened.
void ExpectEveryWindowNamed(const std::vector<WindowOpener>& windows, const QString& formFolder);

// Opens every window, expects Enter to press the focused button and, in a
// box, the default one, and expects every form in `formFolder` among the
// windows opened.
void ExpectEnterOnEveryFocusedButton(const std::vector<WindowOpener>& windows, const QString& formFolder);
