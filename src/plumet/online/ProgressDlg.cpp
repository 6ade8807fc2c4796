#include "ProgressDlg.h"

#include "ui_ProgressDlg.h"

#include "DialogFrame.h"
#include "MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>

#include <cstdio>

namespace {
constexpr unsigned kDefaultCaptionId = 103;

// plumet's string table, as far as its windows use it.
QString StringResource(unsigned id)
{
    return id == kDefaultCaptionId ? QStringLiteral("Retreiving Information") : QString();
}
}  // namespace

std::string ProgressPercentText(int position, int lower, int upper)
{
    const int percent = (position - lower) * 100 / (upper - lower);
    char text[16];
    std::snprintf(text, sizeof text, "%d%c", percent == 100 ? percent : percent % 100, '%');
    return text;
}

// The dialog itself: closing it in any way the user can is refused, so only
// its owner removes it.
class CProgressDlg::ProgressWindow : public QDialog {
public:
    ProgressWindow()
    {
        ui.setupUi(this);
        SetFixedDialogFrame(*this);
        // Where owners cannot be disabled the way the desktop platform does
        // it, modality keeps the rest of the program from taking input.
        setWindowModality(Qt::ApplicationModal);
    }

    void accept() override {}
    void reject() override {}

    Ui::ProgressDlg ui;

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

CProgressDlg::CProgressDlg(unsigned captionId) : captionId_(captionId == 0 ? kDefaultCaptionId : captionId) {}

CProgressDlg::~CProgressDlg()
{
    if (window_)
        DestroyWindow();
}

bool CProgressDlg::Create(QWidget* parent)
{
    owner_ = parent ? parent->window() : ApplicationMainWindow();
    if (owner_ && owner_->isEnabled()) {
        owner_->setEnabled(false);
        ownerDisabled_ = true;
    }
    // No parent: a child window would be disabled with its owner.
    window_ = std::make_unique<ProgressWindow>();
    QProgressBar& bar = *window_->ui.progressBar;
    bar.setRange(lower_, upper_);
    bar.setValue(lower_);
    window_->setWindowTitle(StringResource(captionId_));
    window_->show();
    return true;
}

int CProgressDlg::StepIt()
{
    QCoreApplication::processEvents();
    if (!window_)
        return lower_;

    QProgressBar& bar = *window_->ui.progressBar;
    const int previous = bar.value();
    int next = previous + step_;
    // Past the upper bound the bar starts over, as a stepped bar does.
    if (next > upper_)
        next = lower_ + (next - lower_) % (upper_ - lower_);
    bar.setValue(next);

    const QString text = QString::fromLatin1(ProgressPercentText(previous + step_, lower_, upper_));
    // Painted now: the owner's next network call blocks the event loop, and
    // the label would trail the bar until the following step.
    if (window_->ui.percentLabel->text() != text) {
        window_->ui.percentLabel->setText(text);
        window_->ui.percentLabel->repaint();
    }
    return previous;
}

void CProgressDlg::DestroyWindow()
{
    if (ownerDisabled_ && owner_)
        owner_->setEnabled(true);
    ownerDisabled_ = false;
    // Hidden before it is deleted, as a window that closes is.
    if (window_)
        window_->hide();
    window_.reset();
}

QDialog* CProgressDlg::Window() const
{
    return window_.get();
}
