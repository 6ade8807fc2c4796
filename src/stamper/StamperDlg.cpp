#include "StamperDlg.h"

#include "AboutDlg.h"
#include "DialogFrame.h"
#include "FeaturesDlg.h"
#include "LocalDrives.h"
#include "MakerPages.h"
#include "MessageBox.h"
#include "ModalRun.h"
#include "ProgramIcon.h"
#include "ReadableName.h"
#include "ServerSettings.h"
#include "ShellOpen.h"
#include "StampRecord.h"
#include "UploadDlg.h"
#include "WindowMenu.h"

#include "ui_StamperDlg.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QStatusBar>

namespace {
constexpr int kStatusBarHeight = 25;
constexpr qint64 kPumpIntervalMs = 10;
const char* const kCaption = "Quorvel Partner Mintery";
// Plain messages of the program itself carry the executable's name.
const char* const kProgramName = "stamper";

// Paths and folder names are bytes; they reach the screen readably.
QString Readable(const std::string& bytes) { return QString::fromUtf8(ReadableName(bytes)); }
std::string FromQt(const QString& text) { return text.toLocal8Bit().toStdString(); }

void Inform(QWidget* parent, const std::string& text) { ShowMessage(parent, {kCaption, text}); }
}  // namespace

CStamperDlg::CStamperDlg(StamperState& state, QWidget* parent)
    : QDialog(parent), state_(state), ui_(std::make_unique<Ui::StamperDlg>())
{
    ui_->setupUi(this);
    SetFixedDialogFrame(*this);

    // The status bar is made with the window: one pane stretched over it.
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("statusBar"));
    statusBar_->setSizeGripEnabled(false);
    statusPane_ = new QLabel(statusBar_);
    statusPane_->setObjectName(QStringLiteral("statusPane"));
    statusBar_->addWidget(statusPane_, 1);
    SetStatusText("Ready");
    LayOutStatusBar();

    connect(ui_->stampButton, &QPushButton::clicked, this, [this] { StampExecutable(); });
    connect(ui_->browseButton, &QPushButton::clicked, this, [this] { OnBrowse(); });
    connect(ui_->findButton, &QPushButton::clicked, this, [this] { FindDistributable(); });
    connect(ui_->uploadButton, &QPushButton::clicked, this, [this] { OnUploadStampedFile(); });
    connect(ui_->noReferralButton, &QPushButton::clicked, this, [this] { OnReferralLink(); });
    connect(ui_->exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

CStamperDlg::~CStamperDlg() = default;

void CStamperDlg::OnInitDialog()
{
    // The introduction comes first; this dialog is shown once it is closed.
    CFeaturesDlg features(this);
    RunModal(features);

    auto* menu = new CWindowMenu(*this);
    menu->AppendSeparator();
    menu->AppendItem(QStringLiteral("&About Stamper..."), kAboutCommand,
                     [this] { OnSysCommand(kAboutCommand); });

    setWindowIcon(StamperIcon());
    ui_->identifierEdit->setText(QStringLiteral("IM"));
}

void CStamperDlg::SetStatusText(const std::string& text) { statusPane_->setText(Readable(text)); }
std::string CStamperDlg::StatusText() const { return FromQt(statusPane_->text()); }

bool CStamperDlg::FilenameBoxShowsPlacedPath() const
{
    return ui_->filenameEdit->text() == Readable(placedPath_);
}

std::string CStamperDlg::FilenameText() const
{
    return FilenameBoxShowsPlacedPath() ? placedPath_ : FromQt(ui_->filenameEdit->text());
}

void CStamperDlg::SetFilenameText(const std::string& path)
{
    placedPath_ = path;
    placedByFinder_ = false;
    ui_->filenameEdit->setText(Readable(path));
}
std::string CStamperDlg::IdentifierText() const { return FromQt(ui_->identifierEdit->text()); }

void CStamperDlg::StampExecutable()
{
    if (searching_)
        return;
    state_.SelectedFilePath = FilenameText();
    const std::string path = state_.SelectedFilePath;
    // A file the finder found is stamped only as the regular file it was.
    const auto finalLink = placedByFinder_ && FilenameBoxShowsPlacedPath() ? CExclusiveFile::FinalLink::Refuse
                                                                           : CExclusiveFile::FinalLink::Follow;
    if (StampFile(path, IdentifierText(), finalLink) != StampOutcome::Stamped) {
        const std::string text = "An error has occurred. Please try stamping the program again. "
                                 "If the problem persists, contact '"
                               + ServerSettings::Load().supportEmail + "'.";
        ShowMessage(this, {kProgramName, text, MessageButtons::Ok, MessageIcon::Exclamation});
        EndProgram();
        return;
    }
    Inform(this, "File Stamped Successfully.  Please note that the Mintery will not work if you "
                 "change the name of the 'exe'.  Please ensure that you distribute it as pla1_0.exe'.");
}

void CStamperDlg::FindDistributable()
{
    if (searching_)
        return;
    // Drawn completely before the long search.
    update();
    repaint();

    searching_ = true;
    stopSearch_ = false;
    pumpClock_.invalidate();
    CFinder finder(*this);
    const bool finished = finder.SearchDrives(driveRoots_ ? *driveRoots_ : LocalDrives::Roots());
    searching_ = false;
    if (!finished)
        return;

    SetStatusText(SearchOutcomeText(finder.MatchCount()));
    if (finder.MatchCount() == 0)
        Inform(this, "The file could not be located.  Please download it from '"
                         + MakerPageAddress(ServerSettings::Load(), "/quorvel")
                         + "' or try locating it yourself.");
}

void CStamperDlg::OnBrowse()
{
    QFileDialog dialog(this, QStringLiteral("Open"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (RunModal(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        state_.SelectedFilePath = FromQt(dialog.selectedFiles().front());
    // After a cancel this puts back the path last taken, discarding any typing.
    SetFilenameText(state_.SelectedFilePath);
}

void CStamperDlg::OnUploadStampedFile()
{
    if (searching_)
        return;
    state_.SelectedFilePath = FilenameText();
    CUploadDlg upload(state_, this);
    RunModal(upload);
}

void CStamperDlg::OnReferralLink() { ShellOpenUrl(ReferralPageAddress(ServerSettings::Load())); }

void CStamperDlg::OnSysCommand(int commandId)
{
    if ((commandId & ~0xF) == kAboutCommand) {
        CAboutDlg about(this);
        RunModal(about);
    }
}

void CStamperDlg::reject()
{
    stopSearch_ = searching_;
    QDialog::reject();
}

void CStamperDlg::EndProgram() { done(QDialog::Rejected); }

void CStamperDlg::ShowSearchedFolder(const std::string& folder) { SetStatusText(folder); }
void CStamperDlg::ShowFoundFile(const std::string& path)
{
    SetFilenameText(path);
    placedByFinder_ = true;
}

bool CStamperDlg::PumpMessages()
{
    // Looking at the queue costs far more than examining an entry, so waiting
    // messages are taken at most every few milliseconds: soon enough for the
    // window to stay responsive, rarely enough not to slow the search.
    if (!pumpClock_.isValid() || pumpClock_.hasExpired(kPumpIntervalMs)) {
        QCoreApplication::processEvents();
        pumpClock_.start();
    }
    return !stopSearch_;
}

void CStamperDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOutStatusBar();
}

void CStamperDlg::LayOutStatusBar()
{
    statusBar_->setGeometry(0, height() - kStatusBarHeight, width(), kStatusBarHeight);
}
