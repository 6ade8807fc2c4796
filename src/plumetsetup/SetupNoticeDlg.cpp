#include "SetupNoticeDlg.h"

#include "DialogFrame.h"
#include "FetchNotice.h"
#include "RtfStreamIn.h"
#include "ServerSettings.h"

#include "ui_SetupNoticeDlg.h"

#include <QIcon>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimerEvent>

#include <cstdio>
#include <cstdlib>

void CSetupNoticeDlg::ExitNow(int code)
{
    std::fflush(nullptr);
    std::exit(code);
}

CSetupNoticeDlg::CSetupNoticeDlg(ProgramExit exitProgram, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::SetupNoticeDlg>()), exitProgram_(std::move(exitProgram))
{
    ui_->setupUi(this);
    // A caption and nothing else: no close, minimise or maximise box.
    SetFixedDialogFrame(*this, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                   | Qt::MSWindowsFixedSizeDialogHint);
    // Enter in the box is the dialog's Enter, as in a box that does not want
    // its own returns.
    ui_->noticeText->installEventFilter(this);
}

CSetupNoticeDlg::~CSetupNoticeDlg() = default;

QIcon CSetupNoticeDlg::ProgramIcon()
{
    QIcon icon(QStringLiteral(":/plumetsetup/plumetsetup-icon.png"));
    icon.addFile(QStringLiteral(":/plumetsetup/plumetsetup-icon-16.png"));
    return icon;
}

void CSetupNoticeDlg::OnInitDialog()
{
    setWindowIcon(ProgramIcon());

    const ServerSettings servers = ServerSettings::Load();
    if (const auto notice = FetchNotice(servers.contentHost, servers.contentPort)) {
        StreamInRtf(*ui_->noticeText, *notice);
        ui_->noticeText->moveCursor(QTextCursor::Start);  // the notice reads from its top
    }

    timerId_ = startTimer(kContinueDelayMs);
    ui_->continueButton->setEnabled(false);
}

void CSetupNoticeDlg::accept()
{
    exitProgram_(0);
}

void CSetupNoticeDlg::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timerId_)
        ui_->continueButton->setEnabled(true);
    QDialog::timerEvent(event);
}

bool CSetupNoticeDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->noticeText && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && key->modifiers() == Qt::NoModifier) {
            if (ui_->continueButton->isEnabled())
                ui_->continueButton->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
