#include "FileInfoDlg.h"

#include "ui_FileInfoDlg.h"

#include "DialogFrame.h"
#include "FileInformation.h"
#include "MessageBox.h"
#include "PlumetState.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QRegularExpressionValidator>
#include <QStyle>

namespace {

QString ToQt(const std::string& text) { return QString::fromLocal8Bit(text); }
std::string FromQt(const QString& text) { return text.toLocal8Bit().toStdString(); }

constexpr const char* kCaption = "Plumet Assistant";

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The boxes are narrower than "May" or "31" with a scroll bar beside it; the
// list opens as wide as its entries need.
void WidenListToEntries(QComboBox& box)
{
    QAbstractItemView& list = *box.view();
    int width = list.sizeHintForColumn(0) + 2 * list.frameWidth();
    if (box.count() > box.maxVisibleItems())
        width += list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
    list.setMinimumWidth(width);
}

}  // namespace

CFileInfoDlg::CFileInfoDlg(PlumetState& state, std::string ownFile, QWidget* parent)
    : QDialog(parent), state_(state), ownFile_(std::move(ownFile)), ui_(std::make_unique<Ui::FileInfoDlg>())
{
    ui_->setupUi(this);
    SetFixedDialogFrame(*this);

    for (const char* month : kMonths)
        ui_->monthCombo->addItem(month);
    for (int day = 1; day <= 31; ++day)
        ui_->dayCombo->addItem(QString::number(day));
    ui_->monthCombo->setCurrentIndex(-1);
    ui_->dayCombo->setCurrentIndex(-1);
    WidenListToEntries(*ui_->monthCombo);
    WidenListToEntries(*ui_->dayCombo);
    ui_->yearEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), ui_->yearEdit));

    const ContentFile::Header prefill = FileInformation::Prefill(state_);
    ui_->articleNameEdit->setText(ToQt(prefill.articleName));
    ui_->authorNameEdit->setText(ToQt(prefill.authorName));
    ui_->topicEdit->setText(ToQt(prefill.topic));

    connect(ui_->saveFileButton, &QPushButton::clicked, this, &CFileInfoDlg::OnSaveFile);
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    ui_->saveFileButton->setFocus(Qt::OtherFocusReason);
}

CFileInfoDlg::~CFileInfoDlg() = default;

void CFileInfoDlg::OnSaveFile()
{
    const FileInformation::Input input{
        FromQt(ui_->articleNameEdit->text()), FromQt(ui_->authorNameEdit->text()),
        FromQt(ui_->monthCombo->currentText()), FromQt(ui_->dayCombo->currentText()),
        FromQt(ui_->yearEdit->text()), FromQt(ui_->topicEdit->text()),
    };
    FileInformation::Replacing replacing{ownFile_};
    int error = 0;
    FileInformation::Outcome outcome = FileInformation::Save(state_, input, replacing, &error);
    if (outcome == FileInformation::Outcome::AsksToReplace) {
        const MessageRecord question{kCaption, FileInformation::ReplaceQuestion(state_.ArticleName),
                                     MessageButtons::YesNo};
        if (ShowMessage(this, question) != MessageAnswer::Yes)
            return;
        replacing.agreed = true;
        outcome = FileInformation::Save(state_, input, replacing, &error);
    }
    // Whatever stops the save keeps the dialog open with everything typed.
    if (outcome == FileInformation::Outcome::MissingFields) {
        ShowMessage(this, {kCaption, FileInformation::kMandatoryMessage});
        return;
    }
    if (outcome == FileInformation::Outcome::NotSaved) {
        ShowMessage(this, {kCaption, FileInformation::NotSavedMessage(error)});
        return;
    }
    accept();
}
