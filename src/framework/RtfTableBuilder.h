#pragma once
#include <QTextCursor>

#include <cstddef>
#include <vector>

class QTextTable;

// Lays the rows of an RTF table out as one QTextTable. The row definition
// (\trowd, \trleft, \cellx) gives the columns and their widths; \cell moves
// to the next cell and \row to the next row, each made only when text or a
// mark comes for it. The cells of one document are bounded, so a small input
// cannot make an enormous table; a table refused by the bound is left to the
// reader, which writes its cells as tabs and its rows as paragraphs.
class CRtfTableBuilder {
public:
    explicit CRtfTableBuilder(QTextCursor& cursor) : m_cursor(cursor) {}

    void DefineRow();
    void SetRowLeft(int twips);
    void AddCellEdge(int twips);

    // Table paragraphs are coming: a table is open or was refused.
    bool InTable() const { return m_table != nullptr || m_refused; }
    bool Refused() const { return m_refused; }
    // The cursor is where the next table text goes.
    bool InCell() const { return m_refused || (m_table != nullptr && m_inCell); }
    // Moves the cursor to the end of the current cell, making the table, its
    // row or its column first; may refuse the table instead. True when the
    // cursor moved.
    bool Enter();
    void EndCell();
    void EndRow();
    // Moves the cursor behind the table; the next table paragraph starts a
    // new one. True when the cursor moved.
    bool Leave();

    static constexpr int kMaxColumns = 64;
    static constexpr std::size_t kMaxCells = 16384;

private:
    void Start();
    bool Afford(int cells) const;

    QTextCursor& m_cursor;
    QTextTable* m_table = nullptr;
    int m_row = 0;
    int m_column = 0;
    bool m_inCell = false;
    bool m_refused = false;
    std::vector<int> m_edges;  // right edges of the defined cells, twips
    int m_rowLeft = 0;
    std::size_t m_cells = 0;  // made in the document so far
};
