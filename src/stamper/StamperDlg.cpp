#include "StamperDlg.h"

#include "ModalRun.h"

#include "ui_StamperDlg.h"

#include <QFileDialog>
#include <QIcon>
#include <QLabel>
#include <QStatusBar>

namespace {
constexpr int StatusBarHeight = 25;

QString ToQt(const std::string& text) { return QString::fromLocal8Bit(text); }
std::string FromQt(const QString& text) { return text.toLocal8Bit().toStdString(); }
}  // namespace

CStamperDlg::CStamperDlg(StamperState& state, QWidget* parent)
    : QDialog(parent), state_(state), ui_(std::make_unique<Ui::StamperDlg>())
{
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());

    // The status bar is made with the window: one pane stretched over it.
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("statusBar"));
    statusBar_->setSizeGripEnabled(false);
    statusPane_ = new QLabel(statusBar_);
    statusPane_->setObjectName(QStringLiteral("statusPane"));
    statusBar_->addWidget(statusPane_, 1);
    SetStatusText("Ready");
    LayOutStatusBar();

    connect(ui_->browseButton, &QPushButton::clicked, this, [this] { OnBrowse(); });
    connect(ui_->uploadButton, &QPushButton::clicked, this, [this] { OnUploadStampedFile(); });
    connect(ui_->exitButton, &QPushButton::clicked, this, &QDialog::reject);
}

CStamperDlg::~CStamperDlg() = default;

void CStamperDlg::OnInitDialog()
{
    const QIcon icon(QStringLiteral(":/stamper/stamper-icon.png"));
    setWindowIcon(icon);
    ui_->identifierEdit->setText(QStringLiteral("IM"));
}

void CStamperDlg::SetStatusText(const std::string& text) { statusPane_->setText(ToQt(text)); }
std::string CStamperDlg::StatusText() const { return FromQt(statusPane_->text()); }

std::string CStamperDlg::FilenameText() const { return FromQt(ui_->filenameEdit->text()); }
void CStamperDlg::SetFilenameText(const std::string& text) { ui_->filenameEdit->setText(ToQt(text)); }
std::string CStamperDlg::IdentifierText() const { return FromQt(ui_->identifierEdit->text()); }

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
    state_.SelectedFilePath = FilenameText();
}

void CStamperDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayOutStatusBar();
}

void CStamperDlg::LayOutStatusBar()
{
    statusBar_->setGeometry(0, height() - StatusBarHeight, width(), StatusBarHeight);
}
