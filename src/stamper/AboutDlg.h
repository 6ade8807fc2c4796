#pragma once
#include <QDialog>

#include <memory>

namespace Ui { class StamperAboutDlg; }

// "About Stamper".
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

private:
    std::unique_ptr<Ui::StamperAboutDlg> ui_;
};
