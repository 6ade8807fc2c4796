#include "PlumetView.h"

#include "CommandIds.h"
#include "DialogUnits.h"
#include "Document.h"
#include "FileInfoDlg.h"
#include "FileListModel.h"
#include "FolderListing.h"
#include "ModalRun.h"
#include "Paths.h"
#include "PlumetState.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>

CPlumetView::CPlumetView(PlumetState& state, QWidget* parent)
    : QTableView(parent), CView(static_cast<QWidget&>(*this)), state_(state),
      model_(new FileListModel(state, this))
{
    setObjectName(QStringLiteral("fileList"));
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setSortingEnabled(false);
    verticalHeader()->hide();
    // Fixed row heights: the view never asks rows it does not paint for their text.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    FitToFont();

    OnCommand(CommandId::NewFile, [this] { OnNewFile(); });
    OnCommand(CommandId::SaveEditProperties, [this] { OnSaveEditProperties(); });
    // New Folder belongs to the tree; taken here so it does nothing from the list.
    OnCommand(CommandId::NewFolder, [] {});
    OnCommand(CommandId::Print, [this] {
        PanePrinting::Print(window(), [this] { return PrintableContent(); });
    });
    OnCommand(CommandId::PrintPreview, [this] {
        PanePrinting::PrintPreview(window(), [this] { return PrintableContent(); });
    });
}

void CPlumetView::FitToFont()
{
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    // The column widths were chosen for the classic dialog face.
    const DialogBaseUnits base = MeasureBaseUnits(font());
    for (int i = 0; i < FileListModel::kColumnCount; ++i)
        setColumnWidth(i, ScaleDesignWidth(base, FileListModel::Columns()[size_t(i)].width));
}

void CPlumetView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    // A desktop may set its font after the pane was made.
    if (event->type() == QEvent::FontChange)
        FitToFont();
}

void CPlumetView::OnInitialUpdate()
{
    // The columns are fixed by the model, so a repeated first update keeps one set.
    FillList(state_.LibraryRoot);
}

void CPlumetView::OnUpdate(CView* /*sender*/, int hint, const std::string& text)
{
    if (hint != kSelectionHint) {
        viewport()->update();
        return;
    }
    // The shown folder changes: the previous folder's file must not stay
    // current, or the next save would go there.
    state_.CurrentFilePath.clear();
    model_->Clear();
    FillList(text);
}

int CPlumetView::FillList(const std::string& folder)
{
    const std::string path = Paths::Resolve(state_.ProgramFolder, folder);
    FolderEntries entries;
    if (!ListFolder(path, entries))
        return 0;
    const int count = int(entries.files.size());
    model_->SetFiles(path, std::move(entries.files));
    return count;
}

void CPlumetView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        OnOpenSelectedRows();
}

void CPlumetView::OnOpenSelectedRows()
{
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& row : rows) {
        // Asking for the article's text makes the row's file the current file.
        const QString article = model_->index(row.row(), 0).data().toString();
        window()->setWindowTitle(article);
        const std::string path = state_.CurrentFilePath;
        if (CDocument* document = GetDocument())
            document->UpdateAllViews(this, kSelectionHint, path);
    }
}

void CPlumetView::OnNewFile()
{
    state_.EditorText.clear();
    state_.CurrentFilePath.clear();
    CFileInfoDlg dialog(state_, std::string(), window());
    RunModal(dialog);
    if (!state_.ArticleName.empty() && !state_.AuthorName.empty() && !state_.Topic.empty())
        ShowFolderOfCurrentFile();
}

void CPlumetView::OnSaveEditProperties()
{
    CFileInfoDlg dialog(state_, state_.CurrentFilePath, window());
    RunModal(dialog);
    ShowFolderOfCurrentFile();
}

void CPlumetView::ShowFolderOfCurrentFile()
{
    // With no current file (the dialog was cancelled) the empty folder text
    // would list the program folder, outside the library.
    if (!state_.CurrentFilePath.empty())
        FillList(Paths::FolderOf(state_.CurrentFilePath));
}

PrintContent CPlumetView::PrintableContent() const
{
    PrintContent content;
    for (const FileListModel::Column& column : FileListModel::Columns())
        content.columns.push_back({column.heading, column.alignment, column.width});
    for (int row = 0; row < model_->rowCount(); ++row) {
        PrintRow line;
        for (int column = 0; column < FileListModel::kColumnCount; ++column)
            line.cells.push_back(model_->index(row, column).data().toString().toLocal8Bit().toStdString());
        content.rows.push_back(std::move(line));
    }
    return content;
}
