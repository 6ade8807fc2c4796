#pragma once
#include "PanePrinting.h"
#include "View.h"

#include <QIcon>
#include <QTreeWidget>

#include <optional>
#include <string>
#include <vector>

class CFrameWnd;
struct PlumetState;
namespace FolderTree { struct Node; }

// The folder tree pane: "File Manager" with every folder of the library
// below it. Selecting a folder makes it the current folder and tells the
// other panes; folders are made, renamed and deleted on disk from here.
class CLeftView : public QTreeWidget, public CView {
public:
    static constexpr const char* kRootLabel = "File Manager";

    CLeftView(PlumetState& state, QWidget* parent = nullptr);

    void OnInitialUpdate() override;

    // Reads the library's folders from disk; nothing expanded or selected.
    void PopulateTree();

    // The labels from the root down to the item, joined by "/".
    std::string GetItemPath(const QTreeWidgetItem* item) const;

    // The labels of the items now visible, indented by depth.
    PrintContent PrintableContent() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void OnSelChanged();
    void OnNewFolder();
    void OnRenameFolder();
    void OnEndLabelEdit(QTreeWidgetItem* item, const std::string& label);
    void OnDeleteFolder();
    void OnSaveEditProperties();
    void ShowContextMenu(const QPoint& globalPos);

    void AddSubfolders(QTreeWidgetItem* item, const std::vector<FolderTree::Node>& folders);
    QTreeWidgetItem* NewItem(const std::string& label) const;
    static void InsertSorted(QTreeWidgetItem* parent, QTreeWidgetItem* child);
    QTreeWidgetItem* Root() const;
    QTreeWidgetItem* SelectedItem() const;
    // False when the item or one of its ancestors carries a label that no
    // folder can have (left by a refused create or rename): its path would
    // name another folder, or one outside the library.
    bool NamesRealFolder(const QTreeWidgetItem* item) const;
    // The relative path of the item's parent. On the way up every ancestor
    // below the root is selected in turn, so the selection ends on the
    // top-level folder holding the item.
    std::string GetParentPath(const QTreeWidgetItem* item);
    CFrameWnd* Frame() const;

    PlumetState& state_;
    bool populating_ = false;
    QIcon folderIcon_;
    QTreeWidgetItem* newFolderItem_ = nullptr;  // made by New Folder, until its edit ends
    QTreeWidgetItem* editedItem_ = nullptr;     // the item whose label is being edited
    std::optional<std::string> committedLabel_;  // empty while the edit has not been accepted
};
