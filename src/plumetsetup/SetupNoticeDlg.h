#pragma once
#include <QDialog>

#include <functional>
#include <memory>

namespace Ui { class SetupNoticeDlg; }
class QIcon;
class QTimerEvent;

// "Plumet Assistant Setup": shows the notice from the content server and
// lets the user go on with "Continue" once it has been up for 25 seconds.
class CSetupNoticeDlg : public QDialog {
public:
    // How "Continue" ends the program; tests record the exit code instead.
    using ProgramExit = std::function<void(int code)>;
    static void ExitNow(int code);

    explicit CSetupNoticeDlg(ProgramExit exitProgram = ExitNow, QWidget* parent = nullptr);
    ~CSetupNoticeDlg() override;
    static QIcon ProgramIcon();

    // Downloads the notice into the box, then starts the timer; before the
    // dialog is shown.
    void OnInitDialog();

    static constexpr int kContinueDelayMs = 25000;

    // "Continue": ends the program at once; the dialog is not closed first.
    void accept() override;

protected:
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::SetupNoticeDlg> ui_;
    ProgramExit exitProgram_;
    int timerId_ = 0;
};
