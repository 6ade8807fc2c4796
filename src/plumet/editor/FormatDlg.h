#pragma once
#include <QDialog>

#include <cstdint>
#include <memory>

struct PlumetState;
namespace Ui { class FormatDlg; }

// "Format Option": asks for the line width and block style, and on "Set"
// reflows EditorText in place. An empty text is refused and the dialog stays.
class CFormatDlg : public QDialog {
public:
    CFormatDlg(PlumetState& state, QWidget* parent = nullptr);
    ~CFormatDlg() override;

    // The width in the box, as formatting reads it.
    std::int64_t Width() const;

private:
    void OnSet();

    PlumetState& state_;
    std::unique_ptr<Ui::FormatDlg> ui_;
};
