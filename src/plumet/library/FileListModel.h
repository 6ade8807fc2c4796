#pragma once
#include <QAbstractTableModel>

#include <array>
#include <string>
#include <vector>

struct PlumetState;

// The files of one folder, one row each, with the four header lines of each
// file as columns. Rows hold only the file name: every request for a cell's
// text reads the file again and makes it the current file, so a file changed
// on disk shows its new header the next time it is painted.
class FileListModel : public QAbstractTableModel {
public:
    struct Column {
        const char* heading;
        Qt::Alignment alignment;
        int width;  // pixels
    };
    static constexpr int kColumnCount = 4;
    static const std::array<Column, kColumnCount>& Columns();

    explicit FileListModel(PlumetState& state, QObject* parent = nullptr);

    // Shows the given files of folder, in the order given.
    void SetFiles(std::string folder, std::vector<std::string> names);
    void Clear();

    const std::string& Folder() const { return folder_; }
    std::string FilePath(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::string CellText(int row, int column) const;

    PlumetState& state_;
    std::string folder_;
    std::vector<std::string> names_;
};
