#pragma once
#include <QDialog>

#include <memory>

struct PlumetState;
namespace Ui { class FileInfoDlg; }

// "Enter File Information": asks for the header fields and writes the
// content file with EditorText as its body.
class CFileInfoDlg : public QDialog {
public:
    CFileInfoDlg(PlumetState& state, QWidget* parent = nullptr);
    ~CFileInfoDlg() override;

private:
    void OnSaveFile();

    PlumetState& state_;
    std::unique_ptr<Ui::FileInfoDlg> ui_;
};
