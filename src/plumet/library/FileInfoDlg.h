#pragma once
#include <QDialog>

#include <memory>
#include <string>

struct PlumetState;
namespace Ui { class FileInfoDlg; }

// "Enter File Information": asks for the header fields and writes the
// content file with EditorText as its body. `ownFile` is the file whose text
// is being saved (empty for a new file): replacing any other file asks first.
class CFileInfoDlg : public QDialog {
public:
    CFileInfoDlg(PlumetState& state, std::string ownFile, QWidget* parent = nullptr);
    ~CFileInfoDlg() override;

private:
    void OnSaveFile();

    PlumetState& state_;
    const std::string ownFile_;
    std::unique_ptr<Ui::FileInfoDlg> ui_;
};
