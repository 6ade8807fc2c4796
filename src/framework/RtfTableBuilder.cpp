#include "RtfTableBuilder.h"

#include "RtfUnits.h"

#include <QTextTable>
#include <QTextTableFormat>

#include <algorithm>

void CRtfTableBuilder::DefineRow()
{
    m_edges.clear();
    m_rowLeft = 0;
}

void CRtfTableBuilder::SetRowLeft(int twips)
{
    m_rowLeft = Twips(twips);
}

void CRtfTableBuilder::AddCellEdge(int twips)
{
    if (m_edges.size() < kMaxColumns)
        m_edges.push_back(Twips(twips));
}

bool CRtfTableBuilder::Afford(int cells) const
{
    return m_cells + static_cast<std::size_t>(cells) <= kMaxCells;
}

void CRtfTableBuilder::Start()
{
    const int columns = std::max(static_cast<int>(m_edges.size()), 1);
    if (!Afford(columns)) {
        m_refused = true;
        return;
    }
    QTextTableFormat format;
    format.setBorder(0);
    format.setCellSpacing(0);
    format.setCellPadding(2);
    format.setAlignment(Qt::AlignLeft);
    format.setLeftMargin(TwipsToPixels(std::max(m_rowLeft, 0)));
    if (!m_edges.empty()) {
        QList<QTextLength> widths;
        int left = m_rowLeft;
        for (const int edge : m_edges) {
            widths.push_back(QTextLength(QTextLength::FixedLength, TwipsToPixels(std::max(edge - left, 0))));
            left = std::max(left, edge);
        }
        format.setColumnWidthConstraints(widths);
    }
    m_table = m_cursor.insertTable(1, columns, format);
    m_cells += static_cast<std::size_t>(columns);
    m_row = 0;
    m_column = 0;
}

bool CRtfTableBuilder::Enter()
{
    if (InCell())
        return false;
    if (m_table == nullptr) {
        Start();
        if (m_refused)
            return false;
    }
    // Row marks without cells between them make no empty rows.
    m_row = std::min(m_row, m_table->rows());
    if (m_row >= m_table->rows()) {
        if (!Afford(m_table->columns())) {
            Leave();
            m_refused = true;
            return true;
        }
        m_cells += static_cast<std::size_t>(m_table->columns());
        m_table->appendRows(1);
    }
    if (m_column >= m_table->columns()) {
        if (m_table->columns() < kMaxColumns && Afford(m_table->rows())) {
            m_cells += static_cast<std::size_t>(m_table->rows());
            m_table->appendColumns(1);
            // A column past the defined ones takes the width it needs.
            QTextTableFormat format = m_table->format();
            QList<QTextLength> widths = format.columnWidthConstraints();
            if (!widths.isEmpty()) {
                widths.resize(m_table->columns());
                widths.back() = QTextLength();
                format.setColumnWidthConstraints(widths);
                m_table->setFormat(format);
            }
        }
        // Cells past the last column that can be made go into it.
        m_column = std::min(m_column, m_table->columns() - 1);
    }
    m_cursor.setPosition(m_table->cellAt(m_row, m_column).lastCursorPosition().position());
    m_inCell = true;
    return true;
}

void CRtfTableBuilder::EndCell()
{
    ++m_column;
    m_inCell = false;
}

void CRtfTableBuilder::EndRow()
{
    ++m_row;
    m_column = 0;
    m_inCell = false;
}

bool CRtfTableBuilder::Leave()
{
    const bool moves = m_table != nullptr;
    if (moves)
        m_cursor.setPosition(m_table->lastPosition() + 1);
    m_table = nullptr;
    m_refused = false;
    m_inCell = false;
    return moves;
}
