#include "PanePrinting.h"

#include "ModalRun.h"

#include <QFontMetrics>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

namespace PanePrinting {

namespace {

constexpr double kScreenDpi = 96.0;
constexpr int kIndentPixels = 20;  // per tree level, at screen resolution
constexpr int kCellGap = 8;        // between columns, at screen resolution

QString ToQt(const std::string& text) { return QString::fromLocal8Bit(text); }

struct Layout {
    double scale;         // screen pixels to printer pixels
    std::vector<int> xs;  // left edge of each column
    std::vector<int> widths;
    int lineHeight;
    int rowsPerPage;
};

// Columns keep their on-screen widths at the printer's resolution, narrowed
// together when they would not fit the page.
Layout MakeLayout(const PrintContent& content, const QRect& page, int dpi, const QFontMetrics& metrics)
{
    Layout layout{};
    layout.scale = dpi / kScreenDpi;
    layout.lineHeight = std::max(1, metrics.lineSpacing());
    int total = 0;
    for (const PrintColumn& column : content.columns)
        total += column.width + kCellGap;
    if (total * layout.scale > page.width())
        layout.scale = double(page.width()) / total;
    int x = 0;
    for (const PrintColumn& column : content.columns) {
        layout.xs.push_back(x);
        layout.widths.push_back(int(column.width * layout.scale));
        x += int((column.width + kCellGap) * layout.scale);
    }
    const int headingLines = content.columns.empty() ? 0 : 2;
    layout.rowsPerPage = std::max(1, page.height() / layout.lineHeight - headingLines);
    return layout;
}

void DrawHeadings(QPainter& painter, const PrintContent& content, const Layout& layout)
{
    if (content.columns.empty())
        return;
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    for (size_t i = 0; i < content.columns.size(); ++i) {
        const QRect cell(layout.xs[i], 0, layout.widths[i], layout.lineHeight);
        painter.drawText(cell, int(content.columns[i].alignment | Qt::AlignVCenter),
                         ToQt(content.columns[i].heading));
    }
    painter.restore();
    const int rule = layout.lineHeight + layout.lineHeight / 2;
    painter.drawLine(0, rule, layout.xs.back() + layout.widths.back(), rule);
}

void DrawRow(QPainter& painter, const PrintContent& content, const PrintRow& row, int y,
             const Layout& layout, int pageWidth)
{
    const QFontMetrics metrics = painter.fontMetrics();
    if (content.columns.empty()) {
        const int x = int(row.indent * kIndentPixels * layout.scale);
        const QString text = row.cells.empty() ? QString() : ToQt(row.cells.front());
        painter.drawText(QPoint(x, y + metrics.ascent()), metrics.elidedText(text, Qt::ElideRight, pageWidth - x));
        return;
    }
    for (size_t i = 0; i < content.columns.size() && i < row.cells.size(); ++i) {
        const QRect cell(layout.xs[i], y, layout.widths[i], layout.lineHeight);
        const QString text = metrics.elidedText(ToQt(row.cells[i]), Qt::ElideRight, cell.width());
        painter.drawText(cell, int(content.columns[i].alignment | Qt::AlignVCenter), text);
    }
}

}  // namespace

QPrinter& SharedPrinter()
{
    // Never destroyed: a printer's engine may need the platform plugin, which
    // is gone by the time static objects are destroyed.
    static QPrinter* const printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

int RenderPages(const PrintContent& content, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const Layout layout = MakeLayout(content, page, printer.resolution(), painter.fontMetrics());
    const int top = content.columns.empty() ? 0 : 2 * layout.lineHeight;

    int pages = 1;
    DrawHeadings(painter, content, layout);
    for (size_t i = 0; i < content.rows.size(); ++i) {
        const int line = int(i % size_t(layout.rowsPerPage));
        if (i > 0 && line == 0) {
            printer.newPage();
            ++pages;
            DrawHeadings(painter, content, layout);
        }
        DrawRow(painter, content, content.rows[i], top + line * layout.lineHeight, layout, page.width());
    }
    painter.end();
    return pages;
}

void Print(QWidget* parent, const ContentSource& content)
{
    QPrinter& printer = SharedPrinter();
    QPrintDialog dialog(&printer, parent);
    if (RunModal(dialog) == QDialog::Accepted)
        RenderPages(content(), printer);
}

void PrintPreview(QWidget* parent, const ContentSource& content)
{
    QPrintPreviewDialog dialog(&SharedPrinter(), parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&content](QPrinter* printer) { RenderPages(content(), *printer); });
    RunModal(dialog);
}

void PrintSetup(QWidget* parent)
{
    QPageSetupDialog dialog(&SharedPrinter(), parent);
    RunModal(dialog);
}

}  // namespace PanePrinting
