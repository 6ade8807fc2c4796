#include "FileListModel.h"

#include "ContentFile.h"
#include "Paths.h"
#include "PlumetState.h"

FileListModel::FileListModel(PlumetState& state, QObject* parent)
    : QAbstractTableModel(parent), state_(state)
{
}

const std::array<FileListModel::Column, FileListModel::kColumnCount>& FileListModel::Columns()
{
    static const std::array<Column, kColumnCount> columns = {{
        {"Article", Qt::AlignLeft | Qt::AlignVCenter, 192},
        {"Author's Name", Qt::AlignRight | Qt::AlignVCenter, 96},
        {"Date Published", Qt::AlignCenter, 85},
        {"Topic", Qt::AlignCenter, 100},
    }};
    return columns;
}

void FileListModel::SetFiles(std::string folder, std::vector<std::string> names)
{
    beginResetModel();
    folder_ = std::move(folder);
    names_ = std::move(names);
    endResetModel();
}

void FileListModel::Clear()
{
    beginResetModel();
    names_.clear();
    endResetModel();
}

std::string FileListModel::FilePath(int row) const
{
    return Paths::Join(folder_, names_.at(size_t(row)));
}

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(names_.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

std::string FileListModel::CellText(int row, int column) const
{
    state_.CurrentFilePath = FilePath(row);
    const ContentFile::Header header = ContentFile::ReadHeader(state_.CurrentFilePath);
    switch (column) {
    case 0: return header.articleName;
    case 1: return header.authorName;
    case 2: return header.datePublished;
    default: return header.topic;
    }
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromLocal8Bit(CellText(index.row(), index.column()));
    case Qt::TextAlignmentRole:
        return int(Columns()[size_t(index.column())].alignment);
    default:
        return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
        return {};
    const Column& column = Columns()[size_t(section)];
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromLatin1(column.heading);
    case Qt::TextAlignmentRole:
        return int(column.alignment);
    default:
        return {};
    }
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}
