#pragma once
#include <QDialog>

#include <memory>
#include <string>

namespace Ui { class FeaturesDlg; }

// "What is the Mintery?": the introduction shown before the main dialog,
// read from "features.rtf".
class CFeaturesDlg : public QDialog {
public:
    explicit CFeaturesDlg(QWidget* parent = nullptr);
    ~CFeaturesDlg() override;

private:
    std::unique_ptr<Ui::FeaturesDlg> ui_;
};

// The file's lines joined with their line ends removed (a line end becomes
// nothing, not a space); empty when the file cannot be read.
std::string ReadJoinedLines(const std::string& path);
