#pragma once
#include "PanePrinting.h"
#include "View.h"

#include <QTableView>

#include <string>

class FileListModel;
struct PlumetState;

// The file list pane: the files of one library folder with their four
// header lines. A click opens the selected files in the editor.
class CPlumetView : public QTableView, public CView {
public:
    CPlumetView(PlumetState& state, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, int hint, const std::string& text) override;

    // Shows the files of the folder (relative to ProgramFolder unless
    // absolute); returns the number of rows. A folder that cannot be listed
    // leaves the rows as they are and gives 0.
    int FillList(const std::string& folder);

    FileListModel& Model() const { return *model_; }

    // Every row's four cells under the headings.
    PrintContent PrintableContent() const;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FitToFont();
    void OnOpenSelectedRows();
    void OnNewFile();
    void OnSaveEditProperties();
    void ShowFolderOfCurrentFile();

    PlumetState& state_;
    FileListModel* model_;
};
