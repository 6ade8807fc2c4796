#include "FormatDlg.h"

#include "ui_FormatDlg.h"

#include "DialogFrame.h"
#include "Formatter.h"
#include "MessageBox.h"
#include "PlumetState.h"

#include <QRegularExpressionValidator>

#include <optional>
#include <string>

// Outside any namespace, as the resource initialiser requires.
static void InitEditorResources() { Q_INIT_RESOURCE(editor); }

namespace {
constexpr const char* kInitialWidth = "50";
}

CFormatDlg::CFormatDlg(PlumetState& state, QWidget* parent)
    : QDialog(parent), state_(state), ui_(std::make_unique<Ui::FormatDlg>())
{
    InitEditorResources();
    ui_->setupUi(this);
    SetFixedDialogFrame(*this);

    ui_->widthEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), ui_->widthEdit));
    ui_->widthEdit->setText(QString::fromLatin1(kInitialWidth));
    ui_->applyCheck->setChecked(false);

    connect(ui_->setButton, &QPushButton::clicked, this, &CFormatDlg::OnSet);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    ui_->widthEdit->setFocus(Qt::OtherFocusReason);
}

CFormatDlg::~CFormatDlg() = default;

std::int64_t CFormatDlg::Width() const
{
    return CFormatter::ReadWidth(ui_->widthEdit->text().toStdString());
}

void CFormatDlg::OnSet()
{
    std::optional<std::string> formatted =
        CFormatter(Width(), ui_->applyCheck->isChecked()).FormatText(state_.EditorText);
    if (!formatted) {
        ShowMessage(this, {"Plumet Assistant", std::string(CFormatter::NoTextMessage)});
        return;
    }
    state_.EditorText = std::move(*formatted);
    accept();
}
