#include "UploadDlg.h"

#include "DialogFrame.h"
#include "HostAndPort.h"
#include "MessageBox.h"
#include "TreeLinesStyle.h"

#include "ui_UploadDlg.h"

#include <QBitmap>
#include <QHeaderView>
#include <QPalette>
#include <QPixmap>

namespace {
constexpr int ImageSize = 16;
constexpr int ProgressStep = 10;
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
    QPalette palette = tree.palette();
    palette.setColor(QPalette::Base, Qt::white);
    tree.setPalette(palette);
    auto* lines = new CTreeLinesStyle;
    lines->setParent(&tree);
    tree.setStyle(lines);
    // A long name scrolls sideways instead of being cut short.
    tree.header()->setStretchLastSection(false);
    tree.header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

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
        ftp_.SetPort(port);
        result = ftp_.Login(host.c_str(), user.c_str(), password.c_str(), "");
    }
    StepProgress(5);
    ui_->progressBar->setValue(0);
    if (result != 0) {
        Message("An error was encountered while connecting to the site.  Please check the settings and try again.");
        return;
    }
    ftp_.List();
    AddListing(nullptr);
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
    if (changed != 0)
        return;
    ftp_.List();
    AddListing(item);
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
    if (ftp_.PutFile(state_.SelectedFilePath.c_str(), RemoteName) != 0) {
        Message("The file could not be uploaded successfully.  Please try again.");
        return;
    }
    StepProgress(4);
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
    QProgressBar& bar = *ui_->progressBar;
    const int range = bar.maximum() - bar.minimum();
    for (int i = 0; i < steps; ++i) {
        int value = bar.value() + ProgressStep;
        if (value > bar.maximum())
            value = bar.minimum() + (value - bar.minimum()) % range;
        bar.setValue(value);
        // The network work that follows blocks the event loop.
        bar.repaint();
    }
}

void CUploadDlg::AddListing(QTreeWidgetItem* parent)
{
    AddItem(parent, QString::fromLatin1(ParentDirectory), QByteArray(), UpImage);
    FtpDirEntry entry;
    for (int i = 0; i < ftp_.GetEntryCount(); ++i) {
        ftp_.GetEntry(i, entry);
        AddItem(parent, QString::fromLocal8Bit(entry.name), QByteArray(entry.name),
                entry.isFolder != 0 ? FolderImage : FileImage);
    }
}

void CUploadDlg::AddItem(QTreeWidgetItem* parent, const QString& text, const QByteArray& serverName, int image)
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
}

void CUploadDlg::EmptyTreeAndBoxes()
{
    ui_->folderTree->clear();
    ui_->hostEdit->clear();
    ui_->passwordEdit->clear();
    ui_->userEdit->clear();
}

void CUploadDlg::Message(const char* text)
{
    ShowMessage(this, MessageRecord{Caption, text, MessageButtons::Ok, MessageIcon::None});
}
