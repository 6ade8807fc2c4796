#pragma once
#include <QDialog>

#include <memory>

namespace Ui { class AboutDlg; }

// "About Plumet".
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

private:
    std::unique_ptr<Ui::AboutDlg> ui_;
};
