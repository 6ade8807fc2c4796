#include "FeaturesDlg.h"

#include "DataFiles.h"
#include "DialogFrame.h"
#include "ProgramIcon.h"
#include "RtfStreamIn.h"

#include "ui_FeaturesDlg.h"

#include <QScreen>
#include <QTextCursor>

#include <fstream>

CFeaturesDlg::CFeaturesDlg(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::FeaturesDlg>())
{
    ui_->setupUi(this);
    SetFixedDialogFrame(*this);
    // It opens before the main dialog, so there is no window to centre it over.
    setWindowIcon(StamperIcon());
    QRect frame = geometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
    const std::string path = DataFiles::Find("features.rtf");
    if (!path.empty())
        StreamInRtf(*ui_->featuresText, ReadJoinedLines(path));
    // The reader starts at the top, not at the caret left after the text.
    ui_->featuresText->moveCursor(QTextCursor::Start);
}

CFeaturesDlg::~CFeaturesDlg() = default;

std::string ReadJoinedLines(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::string joined;
    for (std::string line; std::getline(file, line);) {
        // Read as text: a CR LF line end goes as a whole.
        if (!line.empty() && line.back() == '\r' && !file.eof())
            line.pop_back();
        joined += line;
    }
    return joined;
}
