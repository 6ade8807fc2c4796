#pragma once
#include <QPointer>

#include <memory>
#include <string>

class QDialog;
class QWidget;

// The percent label's text for a bar that has reached `position` of
// lower..upper: "40%", "100%"; beyond 100 the number wraps ("10%" at 110).
std::string ProgressPercentText(int position, int lower, int upper);

// The small modeless "Retreiving Information" window shown while plumet
// talks to its servers. Its owner advances it in ten steps of ten percent;
// each step first lets pending events run, which is the only time the
// screen is kept alive while the network blocks. The user cannot close it:
// Cancel, Esc, Enter and the close box do nothing.
class CProgressDlg {
public:
    // A caption id of 0 means the default caption, string 103.
    explicit CProgressDlg(unsigned captionId = 0);
    CProgressDlg(const CProgressDlg&) = delete;
    CProgressDlg& operator=(const CProgressDlg&) = delete;
    ~CProgressDlg();

    // Shows the window. The owner (the parent's top-level window, or the
    // application's main window when no parent is given) is disabled if it
    // was enabled, and enabled again when the window goes. Always true: a
    // window can always be made here.
    bool Create(QWidget* parent = nullptr);
    // Runs pending events, advances the bar one step and updates the label.
    // Returns the bar's position before the step. Without a window it only
    // runs the events and returns the lower bound.
    int StepIt();
    // Enables the owner again when Create disabled it, then removes the window.
    void DestroyWindow();

    // The window, while it exists.
    QDialog* Window() const;

private:
    class ProgressWindow;

    unsigned captionId_;
    int lower_ = 0;
    int upper_ = 100;
    int step_ = 10;
    bool ownerDisabled_ = false;
    QPointer<QWidget> owner_;
    std::unique_ptr<ProgressWindow> window_;
};
