#pragma once
#include "MessageBox.h"
#include "ModalRun.h"

#include <QDialog>
#include <QPoint>

#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Answers message boxes from a script and records each one. Unscripted boxes
// are answered Ok / No. The handler before it comes back when the script goes.
class ScopedMessageScript {
public:
    explicit ScopedMessageScript(std::deque<MessageAnswer> answers = {});
    ~ScopedMessageScript();

    const std::vector<MessageRecord>& Shown() const { return shown_; }

private:
    std::deque<MessageAnswer> answers_;
    std::vector<MessageRecord> shown_;
    MessageHandler previous_;
};

// Lets message boxes show for real. Each box that opens first gets Escape
// and then a close request, then a click on the scripted answer (Ok / No when
// none is left). Records whether each box was still open after each of them.
class ScopedRealMessageBoxes {
public:
    struct Seen {
        std::string text;
        bool openAfterEscape = false;
        bool openAfterClose = false;
        QPoint centre;  // of the box's frame, on the screen, when it opened
    };

    explicit ScopedRealMessageBoxes(std::deque<MessageAnswer> answers = {});
    ~ScopedRealMessageBoxes();

    const std::vector<Seen>& Shown() const { return shown_; }

private:
    class Presser;
    std::deque<MessageAnswer> answers_;
    std::vector<Seen> shown_;
    std::unique_ptr<Presser> presser_;
    MessageHandler previous_;
};

// Runs modal dialogs through scripted steps, one per dialog, in order; each
// step fills the dialog's controls and returns its result. A dialog with no
// step left is rejected. The handler before it comes back when the script goes.
class ScopedModalScript {
public:
    using Step = std::function<int(QDialog&)>;
    explicit ScopedModalScript(std::deque<Step> steps = {});
    ~ScopedModalScript();

    int Runs() const { return runs_; }

private:
    std::deque<Step> steps_;
    int runs_ = 0;
    ModalHandler previous_;
};

// Finds a dialog's child by object name, failing the test when it is missing.
template <typename T>
T& Child(QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child)
        throw std::runtime_error(std::string("no child named ") + name);
    return *child;
}
