#include "BonusCenterDlg.h"

#include "ui_BonusCenterDlg.h"

#include "DialogFrame.h"
#include "MessageBox.h"
#include "ProgressDlg.h"
#include "ServerSettings.h"

#include <QStringList>

#include <algorithm>

namespace {
const char* const kBonusTypes[] = {
    "Publish one of my articles in Deskquill",
    "Make my site \"Site of the Day\" in Deskquill",
    "Make my software \"Download of the day\" in Deskquill",
    "Publish my \"Tip of the Day\" in Deskquill",
};
constexpr const char* kCaption = "Plumet Assistant";
// Which tab shows a control, as the .ui file marks it.
constexpr const char* kPageProperty = "page";
}  // namespace

CBonusCenterDlg::CBonusCenterDlg(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::BonusCenterDlg>())
{
    ui_->setupUi(this);
    SetFixedDialogFrame(*this);

    ui_->bonusTabs->addTab(new QWidget, QStringLiteral("Bonus Information"));
    ui_->bonusTabs->addTab(new QWidget, QStringLiteral("Options"));
    ui_->bonusTabs->setCurrentIndex(0);

    // The box keeps its entries sorted, ignoring case.
    QStringList types;
    for (const char* type : kBonusTypes)
        types << QString::fromLatin1(type);
    std::sort(types.begin(), types.end(),
              [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    ui_->bonustypeCombo->addItems(types);
    ui_->bonustypeCombo->setCurrentIndex(-1);
    ui_->bonustypeCombo->clearEditText();

    ShowPage(0);
    connect(ui_->bonusTabs, &QTabWidget::currentChanged, this, &CBonusCenterDlg::ShowPage);
    connect(ui_->nextButton, &QPushButton::clicked, this, &CBonusCenterDlg::OnNext);
    connect(ui_->sendButton, &QPushButton::clicked, this, &CBonusCenterDlg::OnSend);
    connect(ui_->exitButton, &QPushButton::clicked, this, &QDialog::reject);
    ui_->nameEdit->setFocus(Qt::OtherFocusReason);
}

CBonusCenterDlg::~CBonusCenterDlg() = default;

void CBonusCenterDlg::ShowPage(int page)
{
    for (QWidget* control : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QVariant controlPage = control->property(kPageProperty);
        if (controlPage.isValid())
            control->setVisible(controlPage.toInt() == page);
    }
}

void CBonusCenterDlg::OnNext()
{
    if (ui_->bonusTabs->currentIndex() == 0)
        ui_->bonusTabs->setCurrentIndex(1);
}

BonusClaim::Fields CBonusCenterDlg::ReadFields() const
{
    const QString texts[BonusClaim::kFieldCount] = {
        ui_->nameEdit->text(),     ui_->emailEdit->text(),    ui_->pubnameEdit->text(),
        ui_->puburlEdit->text(),   ui_->archurl1Edit->text(), ui_->archurl2Edit->text(),
        ui_->archurl3Edit->text(), ui_->archurl4Edit->text(), ui_->subinstEdit->text(),
        ui_->artpub1Edit->text(),  ui_->artpub2Edit->text(),  ui_->artpub3Edit->text(),
        ui_->artpub4Edit->text(),  ui_->datepub1Edit->text(), ui_->datepub2Edit->text(),
        ui_->datepub3Edit->text(), ui_->datepub4Edit->text(), ui_->bonustypeCombo->currentText(),
    };
    BonusClaim::Fields fields;
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i] = texts[i].toLocal8Bit().toStdString();
    return fields;
}

void CBonusCenterDlg::OnSend()
{
    const BonusClaim::Fields fields = ReadFields();
    if (BonusClaim::HasBlankRequiredField(fields)) {
        ShowMessage(this, {kCaption, kBonusBlankText});
        return;
    }
    const std::string query = BonusClaim::Query(fields);
    if (!BonusClaim::FitsRequestPath(query)) {
        ShowMessage(this, {kCaption, kBonusTooLongText});
        return;
    }

    CProgressDlg progress(0);
    progress.Create();
    for (int i = 0; i < 4; ++i)
        progress.StepIt();
    BonusClaim::Send(ServerSettings::Load(), query);
    for (int i = 0; i < 6; ++i)
        progress.StepIt();
    progress.DestroyWindow();
    accept();
}
