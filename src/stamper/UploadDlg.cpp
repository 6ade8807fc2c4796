#include "UploadDlg.h"

#include "DialogFrame.h"
#include "HostAndPort.h"
#include "ListedName.h"
#include "MessageBox.h"
#include "ProgressPacer.h"
#include "TreeLinesStyle.h"
#include "UploadConnection.h"

#include "ui_UploadDlg.h"

#include <QBitmap>
#include <QHeaderView>
#include <QPixmap>

namespace {
constexpr int ImageSize = 16;
constexpr int ProgressStep = 10;
// During an upload the bar follows the bytes over the four steps that follow it.
constexpr int TransferSteps = 4;
constexpr std::chrono::milliseconds ProgressGap(50);
constexpr int UpImage = 0;
constexpr int FolderImage = 1;
constexpr int FileImage = 2;
const char* const RemoteName = "pla1_0.exe";
const char* const Caption = "Quorvel Partner Mintery";
const char* const ParentDirectory = "Parent Directory";

std::string FromQt(const QString& text) { return text.toLocal8Bit().toStdString(); }
}  // namespace

CUploadDlg::CUploadDlg(const StamperState& state, QWidget* parent)
    : QDialog(parent), state_(state), ui_(std::make_unique<Ui::UploadDlg>())
{
    ui_->setupUi(this);
    SetFixedDialogFrame(*this);

    ui_->uploadButton->LoadBitmap(QStringLiteral(":/stamper/upload-button.png"));
    QPixmap strip(QStringLiteral(":/stamper/tree-images.png"));
    strip.setMask(strip.createMaskFromColor(QColor(255, 0, 255)));
    for (int i = 0; i < int(images_.size()); ++i) {
        // The same picture selected or not.
        const QPixmap image = strip.copy(i * ImageSize, 0, ImageSize, ImageSize);
        images_[i].addPixmap(image, QIcon::Normal);
        images_[i].addPixmap(image, QIcon::Selected);
    }
    QTreeWidget& tree = *ui_->folderTree;
    auto* lines = new CTreeLinesStyle;
    lines->setParent(&tree);
    tree.setStyle(lines);
    // A long name scrolls sideways instead of being cut short; the column's
    // width follows the listings (WidenFor), as measuring every item on each
    // change would not scale to long listings.
    tree.header()->setStretchLastSection(false);
    tree.header()->setSectionResizeMode(0, QHeaderView::Fixed);

    connect(ui_->connectButton, &QPushButton::clicked, this, [this] { OnConnect(); });
    connect(ui_->disconnectButton, &QPushButton::clicked, this, [this] { OnDisconnect(); });
    connect(ui_->uploadButton, &QPushButton::clicked, this, [this] { OnUpload(); });
    connect(ui_->exitButton, &QPushButton::clicked, this, [this] { OnExit(); });
    // The tree still opens or closes the item itself.
    connect(ui_->folderTree, &QTreeWidget::itemDoubleClicked, this, [this] { OnTreeDoubleClick(); });
}

CUploadDlg::~CUploadDlg() = default;

void CUploadDlg::OnConnect()
{
    const std::string hostText = FromQt(ui_->hostEdit->text());
    const std::string user = FromQt(ui_->userEdit->text());
    const std::string password = FromQt(ui_->passwordEdit->text());
    StepProgress(2);
    std::string host;
    int32_t port = 0;
    int result = 1;
    if (SplitHostAndPort(hostText, host, port)) {
        PrepareSession(host + ":" + std::to_string(port), hostText);
        ftp_.SetPort(port);
        result = ftp_.Login(host.c_str(), user.c_str(), password.c_str(), "");
    }
    StepProgress(5);
    ui_->progressBar->setValue(0);
    if (result != 0) {
        Message("An error was encountered while connecting to the site.  Please check the settings and try again.");
        return;
    }
    const std::string server = hostText + '\n' + user;
    if (server != server_)
        EmptyTree();
    server_ = server;
    ListInto(nullptr);
}

void CUploadDlg::OnTreeDoubleClick()
{
    QTreeWidgetItem* item = ui_->folderTree->currentItem();
    if (item == nullptr)
        return;
    // The server resolves the name against its current folder, whatever
    // branch of the tree the item sits in.
    const int changed = item->data(0, ParentDirectoryRole).toBool()
                            ? ftp_.ChangeDirUp()
                            : ftp_.ChangeDir(item->data(0, ServerNameRole).toByteArray().constData());
    if (changed == 0)
        ListInto(item);
}

void CUploadDlg::OnDisconnect()
{
    if (ftp_.Quit() == 0)
        EmptyTreeAndBoxes();
}

void CUploadDlg::OnUpload()
{
    if (ftp_.Noop() != 0) {
        Message("Please connect to a site before you try to upload any files.");
        return;
    }
    if (state_.SelectedFilePath.empty()) {
        Message("No file has been selected in the main window of the application.  Please select a file, stamp it "
                "and then try uploading it.");
        return;
    }
    ftp_.SetType(1);
    StepProgress(4);
    const int base = ui_->progressBar->value();
    CProgressPacer pacer(TransferSteps * ProgressStep, ProgressGap);
    ftp_.SetPutProgress([&](int64_t sent, int64_t size) {
        if (const std::optional<int> value = pacer.Next(sent, size, CProgressPacer::Clock::now()))
            ShowProgress(base, *value);
    });
    const int put = ftp_.PutFile(state_.SelectedFilePath.c_str(), RemoteName);
    ftp_.SetPutProgress(nullptr);
    NoteSession();
    if (put != 0) {
        Message("The file could not be uploaded successfully.  Please try again.");
        return;
    }
    ShowProgress(base, TransferSteps * ProgressStep);
    ui_->progressBar->setValue(0);
    Message("Transfer Complete.  The file has been uploaded and saved as 'pla1_0.exe' on the server.");
}

void CUploadDlg::OnExit()
{
    ftp_.Quit();
    EmptyTreeAndBoxes();
    accept();
}

void CUploadDlg::StepProgress(int steps)
{
    for (int i = 0; i < steps; ++i)
        ShowProgress(ui_->progressBar->value(), ProgressStep);
}

void CUploadDlg::ShowProgress(int base, int value)
{
    QProgressBar& bar = *ui_->progressBar;
    const int range = bar.maximum() - bar.minimum();
    int shown = base + value;
    if (shown > bar.maximum())
        shown = bar.minimum() + (shown - bar.minimum()) % range;
    bar.setValue(shown);
    // The network work around it blocks the event loop.
    bar.repaint();
}

void CUploadDlg::ListInto(QTreeWidgetItem* parent)
{
    const int listed = ftp_.List();
    NoteSession();
    // A failed listing leaves the tree as it was.
    if (listed != 0)
        return;
    std::vector<QTreeWidgetItem*> added;
    added.reserve(static_cast<size_t>(ftp_.GetEntryCount()) + 1);
    added.push_back(AddItem(parent, QString::fromLatin1(ParentDirectory), QByteArray(), UpImage));
    FtpDirEntry entry;
    for (int i = 0; i < ftp_.GetEntryCount(); ++i) {
        ftp_.GetEntry(i, entry);
        added.push_back(AddItem(parent, ListedName(entry.name), QByteArray(entry.name),
                                entry.isFolder != 0 ? FolderImage : FileImage));
    }
    WidenFor(added);
}

QTreeWidgetItem* CUploadDlg::AddItem(QTreeWidgetItem* parent, const QString& text, const QByteArray& serverName,
                                     int image)
{
    auto* item = new QTreeWidgetItem;
    item->setText(0, text);
    item->setIcon(0, images_[image]);
    item->setData(0, ImageRole, image);
    item->setData(0, ServerNameRole, serverName);
    item->setData(0, ParentDirectoryRole, image == UpImage);
    if (parent != nullptr)
        parent->addChild(item);
    else
        ui_->folderTree->addTopLevelItem(item);
    return item;
}

void CUploadDlg::WidenFor(const std::vector<QTreeWidgetItem*>& items)
{
    QTreeWidget& tree = *ui_->folderTree;
    const QFontMetrics metrics = tree.fontMetrics();
    // The items of one listing share their depth and icon: the longest text is the widest.
    QTreeWidgetItem* widest = nullptr;
    int widestText = -1;
    for (QTreeWidgetItem* item : items) {
        const int width = metrics.horizontalAdvance(item->text(0));
        if (width > widestText) {
            widestText = width;
            widest = item;
        }
    }
    if (widest == nullptr)
        return;
    int depth = 1;
    for (QTreeWidgetItem* up = widest->parent(); up != nullptr; up = up->parent())
        ++depth;
    const int needed = tree.sizeHintForIndex(tree.indexFromItem(widest)).width() + tree.indentation() * depth;
    if (needed > tree.header()->sectionSize(0))
        tree.header()->resizeSection(0, needed);
}

void CUploadDlg::PrepareSession(const std::string& site, const std::string& shownSite)
{
    site_ = site;
    forcedMode_ = UploadSettings::ForcedDataMode();
    ftp_.SetDataMode(StartingDataMode(forcedMode_, UploadSettings::PassiveWorked(site)));
    ftp_.SetSecurity(UploadSettings::RefusesPlainFtp() ? FtpSecurity::TlsRequired : FtpSecurity::TlsWhenOffered);
    ftp_.SetReplaceInOneStep(true);
    ftp_.SetCertificateCheck(
        [this, shownSite](const FtpCertificate& certificate) { return AcceptCertificate(shownSite, certificate.fingerprint); });
}

bool CUploadDlg::AcceptCertificate(const std::string& shownSite, const std::string& fingerprint)
{
    const CertificateVerdict verdict = JudgeCertificate(UploadSettings::TrustedFingerprint(site_), fingerprint);
    if (verdict == CertificateVerdict::Trusted)
        return true;
    const MessageRecord question{Caption, CertificateQuestion(verdict, shownSite, fingerprint), MessageButtons::YesNo,
                                 MessageIcon::None};
    if (ShowMessage(this, question) != MessageAnswer::Yes)
        return false;
    UploadSettings::TrustFingerprint(site_, fingerprint);
    return true;
}

void CUploadDlg::NoteSession()
{
    if (ftp_.PassiveWorked() && forcedMode_ == UploadSettings::DataMode::Automatic)
        UploadSettings::RememberPassive(site_);
    ui_->folderTree->setToolTip(
        QString::fromStdString(ConnectionStatus(ftp_.Secure(), ftp_.DataProtected(), ftp_.Passive())));
}

void CUploadDlg::EmptyTree()
{
    ui_->folderTree->setToolTip(QString());
    // The client's copy of the last listing goes with the items: it may be large.
    ftp_.ClearEntries();
    ui_->folderTree->clear();
    ui_->folderTree->header()->resizeSection(0, 0);
}

void CUploadDlg::EmptyTreeAndBoxes()
{
    EmptyTree();
    server_.clear();
    ui_->hostEdit->clear();
    ui_->passwordEdit->clear();
    ui_->userEdit->clear();
}

void CUploadDlg::Message(const char* text)
{
    ShowMessage(this, MessageRecord{Caption, text, MessageButtons::Ok, MessageIcon::None});
}
