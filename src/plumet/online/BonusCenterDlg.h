#pragma once
#include "BonusClaim.h"

#include <QDialog>

#include <memory>

namespace Ui { class BonusCenterDlg; }

// "Bonus Center": the two-page bonus claim form. "Send My Information"
// checks the required fields, sends the claim to the maker's web server with
// the progress window on screen and closes; what the network did is not
// reported. Every opening starts empty.
class CBonusCenterDlg : public QDialog {
public:
    explicit CBonusCenterDlg(QWidget* parent = nullptr);
    ~CBonusCenterDlg() override;

private:
    void ShowPage(int page);
    void OnNext();
    void OnSend();
    BonusClaim::Fields ReadFields() const;

    std::unique_ptr<Ui::BonusCenterDlg> ui_;
};

inline constexpr const char* kBonusBlankText =
    "You have left some fields blank.  Please fill them out in order for us to process your bonus.";
inline constexpr const char* kBonusTooLongText =
    "Your information is too long to be sent.  Please shorten some of the fields.";
