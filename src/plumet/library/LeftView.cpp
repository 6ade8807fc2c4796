#include "LeftView.h"

#include "CommandIds.h"
#include "Document.h"
#include "FileInfoDlg.h"
#include "FolderTree.h"
#include "FrameWnd.h"
#include "MenuTable.h"
#include "MessageBox.h"
#include "ModalRun.h"
#include "Paths.h"
#include "PlumetState.h"
#include "PngPicture.h"
#include "TreeLinesStyle.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>

#include <utility>

// Resources are initialised outside any namespace.
static void InitLibraryResources() { Q_INIT_RESOURCE(library); }

namespace {

constexpr const char* kNewFolderLabel = "New Folder";

std::string Label(const QTreeWidgetItem* item) { return item->text(0).toLocal8Bit().toStdString(); }

const std::vector<MenuItem>& ContextMenuItems()
{
    static const std::vector<MenuItem> items = {
        {"New Folder", CommandId::NewFolder},
        {"Rename Folder", CommandId::RenameFolder},
        {},
        {"Delete Folder", CommandId::DeleteFolder},
    };
    return items;
}

void AddVisible(const QTreeWidgetItem* item, int depth, PrintContent& content)
{
    content.rows.push_back({depth, {Label(item)}});
    if (!item->isExpanded())
        return;
    for (int i = 0; i < item->childCount(); ++i)
        AddVisible(item->child(i), depth + 1, content);
}

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CLeftView::CLeftView(PlumetState& state, QWidget* parent)
    : QTreeWidget(parent), CView(static_cast<QWidget&>(*this)), state_(state)
{
    InitLibraryResources();
    setObjectName(QStringLiteral("folderTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    auto* lines = new CTreeLinesStyle;
    lines->setParent(this);
    setStyle(lines);
    // The column is as wide as its widest label: a long name scrolls
    // sideways instead of being cut short.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    // The right button shows the folder menu itself, on press.
    setContextMenuPolicy(Qt::PreventContextMenu);
    // The same picture selected or not: no selection tint.
    const QPixmap folder = PngPixmap(QStringLiteral(":/library/folder-16.png"));
    folderIcon_.addPixmap(folder, QIcon::Normal);
    folderIcon_.addPixmap(folder, QIcon::Selected);

    connect(this, &QTreeWidget::itemSelectionChanged, this, &CLeftView::OnSelChanged);

    OnCommand(CommandId::NewFolder, [this] { OnNewFolder(); });
    OnCommand(CommandId::RenameFolder, [this] { OnRenameFolder(); });
    OnCommand(CommandId::DeleteFolder, [this] { OnDeleteFolder(); });
    OnCommand(CommandId::SaveEditProperties, [this] { OnSaveEditProperties(); });
    OnCommand(CommandId::Print, [this] {
        PanePrinting::Print(window(), [this] { return PrintableContent(); });
    });
    OnCommand(CommandId::PrintPreview, [this] {
        PanePrinting::PrintPreview(window(), [this] { return PrintableContent(); });
    });
}

void CLeftView::OnInitialUpdate()
{
    if (!populating_)
        PopulateTree();
}

void CLeftView::PopulateTree()
{
    populating_ = true;
    const WaitCursor wait;
    // An edit cut off by the rebuild ends nothing on disk.
    if (editedItem_)
        state_.RenamePending = false;
    editedItem_ = nullptr;
    newFolderItem_ = nullptr;
    committedLabel_.reset();
    clear();

    QTreeWidgetItem* root = NewItem(kRootLabel);
    // The root stands for the library itself: its label is never edited.
    root->setFlags(root->flags() & ~Qt::ItemIsEditable);
    addTopLevelItem(root);
    std::vector<FolderTree::Node> folders;
    if (FolderTree::Read(state_.LibraryRoot, folders))
        AddSubfolders(root, folders);
    else
        root->addChild(NewItem(std::string()));
    populating_ = false;
}

void CLeftView::AddSubfolders(QTreeWidgetItem* item, const std::vector<FolderTree::Node>& folders)
{
    for (const FolderTree::Node& folder : folders) {
        QTreeWidgetItem* child = NewItem(folder.label);
        item->addChild(child);
        AddSubfolders(child, folder.children);
    }
}

QTreeWidgetItem* CLeftView::NewItem(const std::string& label) const
{
    auto* item = new QTreeWidgetItem(QStringList(QString::fromLocal8Bit(label)));
    item->setIcon(0, folderIcon_);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
    return item;
}

void CLeftView::InsertSorted(QTreeWidgetItem* parent, QTreeWidgetItem* child)
{
    const std::string label = Label(child);
    int index = 0;
    while (index < parent->childCount() && !FolderTree::LabelLess(label, Label(parent->child(index))))
        ++index;
    parent->insertChild(index, child);
}

QTreeWidgetItem* CLeftView::Root() const
{
    return topLevelItem(0);
}

QTreeWidgetItem* CLeftView::SelectedItem() const
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

CFrameWnd* CLeftView::Frame() const
{
    return dynamic_cast<CFrameWnd*>(window());
}

std::string CLeftView::GetItemPath(const QTreeWidgetItem* item) const
{
    std::string path = Label(item);
    for (const QTreeWidgetItem* up = item->parent(); up; up = up->parent())
        path = Paths::Join(Label(up), path);
    return path;
}

std::string CLeftView::GetParentPath(const QTreeWidgetItem* item)
{
    QTreeWidgetItem* ancestor = item->parent();
    if (!ancestor)
        return {};
    std::string path = Label(ancestor);
    while (ancestor != Root() && ancestor->parent()) {
        setCurrentItem(ancestor);
        ancestor = ancestor->parent();
        path = Paths::Join(Label(ancestor), path);
    }
    return path;
}

bool CLeftView::NamesRealFolder(const QTreeWidgetItem* item) const
{
    for (; item && item != Root(); item = item->parent())
        if (Paths::IsRefusedName(Label(item)))
            return false;
    return true;
}

void CLeftView::OnSelChanged()
{
    if (populating_)
        return;
    const QTreeWidgetItem* item = SelectedItem();
    if (!item || !NamesRealFolder(item))
        return;
    state_.CurrentFolder = GetItemPath(item);
    const std::string path = state_.CurrentFolder;
    if (CDocument* document = GetDocument())
        document->UpdateAllViews(this, kSelectionHint, path);
}

void CLeftView::OnNewFolder()
{
    QTreeWidgetItem* parent = SelectedItem();
    // With nothing selected there is no folder to make it in; while a label
    // is being edited that edit has to end first.
    if (!parent || !NamesRealFolder(parent) || state() == EditingState)
        return;
    QTreeWidgetItem* item = NewItem(kNewFolderLabel);
    InsertSorted(parent, item);
    parent->setExpanded(true);
    newFolderItem_ = item;
    setCurrentItem(item);
    editItem(item);
}

void CLeftView::OnRenameFolder()
{
    QTreeWidgetItem* item = SelectedItem();
    if (!item || item == Root() || state() == EditingState)
        return;
    editItem(item);
}

bool CLeftView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool wasEditing = state() == EditingState;
    if (!QTreeWidget::edit(index, trigger, event))
        return false;
    if (wasEditing || state() != EditingState)
        return true;
    // Any edit of an existing folder's label renames that folder; only the
    // item New Folder has just made is created on disk.
    editedItem_ = itemFromIndex(index);
    committedLabel_.reset();
    if (editedItem_ && editedItem_ != newFolderItem_) {
        state_.RenameOldName = Label(editedItem_);
        state_.RenamePending = true;
    }
    return true;
}

void CLeftView::commitData(QWidget* editor)
{
    QTreeWidget::commitData(editor);
    if (editedItem_)
        committedLabel_ = Label(editedItem_);
}

void CLeftView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeWidgetItem* const item = std::exchange(editedItem_, nullptr);
    const std::optional<std::string> label = std::exchange(committedLabel_, std::nullopt);
    if (item && item == newFolderItem_)
        newFolderItem_ = nullptr;
    // Tab ends the edit without moving on to edit another label.
    const bool moveOn = hint == QAbstractItemDelegate::EditNextItem
                        || hint == QAbstractItemDelegate::EditPreviousItem;
    QTreeWidget::closeEditor(editor, moveOn ? QAbstractItemDelegate::NoHint : hint);
    if (!item)
        return;
    if (!label) {
        state_.RenamePending = false;
        return;
    }
    OnEndLabelEdit(item, *label);
}

void CLeftView::OnEndLabelEdit(QTreeWidgetItem* item, const std::string& label)
{
    const std::string parent = Paths::Join(state_.ProgramFolder, GetParentPath(item));
    // Failures leave the label as typed until the next rebuild.
    if (!NamesRealFolder(item->parent())) {
        state_.RenamePending = false;
    } else if (state_.RenamePending) {
        state_.RenamePending = false;
        FolderTree::RenameFolder(parent, state_.RenameOldName, label);
    } else {
        FolderTree::MakeFolder(parent, label);
    }
}

void CLeftView::OnDeleteFolder()
{
    QTreeWidgetItem* item = SelectedItem();
    // Deleting the root would delete the whole library.
    if (!item || item == Root() || state() == EditingState)
        return;
    const std::string label = Label(item);
    const MessageRecord question{"Plumet Assistant",
                                 "Are you sure you want to delete '" + label + "' and all its contents?",
                                 MessageButtons::YesNo};
    if (ShowMessage(window(), question) != MessageAnswer::Yes)
        return;

    const std::string parent = Paths::Join(state_.ProgramFolder, GetParentPath(item));
    // An item left by a refused name has no folder on disk; only the item goes.
    if (NamesRealFolder(item))
        FolderTree::RemoveAll(Paths::Join(parent, label));
    newFolderItem_ = nullptr;
    delete item;
    // Like the platform's tree, select the item that took the current place.
    if (!SelectedItem() && currentItem())
        setCurrentItem(currentItem());
}

void CLeftView::OnSaveEditProperties()
{
    CFileInfoDlg dialog(state_, state_.CurrentFilePath, window());
    RunModal(dialog);
}

PrintContent CLeftView::PrintableContent() const
{
    PrintContent content;
    for (int i = 0; i < topLevelItemCount(); ++i)
        AddVisible(topLevelItem(i), 0, content);
    return content;
}

void CLeftView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    // Not passed on: the selection stays where it is and the menu's commands
    // act on the selected folder.
    event->accept();
    if (CFrameWnd* frame = Frame())
        frame->SetActivePane(this);
    ShowContextMenu(event->globalPosition().toPoint());
}

void CLeftView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
}

void CLeftView::ShowContextMenu(const QPoint& globalPos)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("folderContextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    CFrameWnd* frame = Frame();
    for (const MenuItem& entry : ContextMenuItems()) {
        if (entry.id == 0) {
            menu->addSeparator();
            continue;
        }
        const int id = entry.id;
        QAction* action = menu->addAction(QString::fromLatin1(entry.text.c_str()));
        action->setObjectName(QStringLiteral("command%1").arg(id));
        action->setEnabled(frame ? frame->IsCommandEnabled(id) : true);
        // Through the main window's route, where this pane, now active, takes it.
        connect(action, &QAction::triggered, this, [this, id] {
            if (CFrameWnd* owner = Frame())
                owner->ExecuteCommand(id);
            else
                OnCmdMsg(id, nullptr);
        });
    }
    menu->popup(globalPos);
}
