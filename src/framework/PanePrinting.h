#pragma once
#include <Qt>

#include <functional>
#include <string>
#include <vector>

class QPrinter;
class QWidget;

// What a pane prints: an optional row of column headings, then one line per
// row. Without columns each row prints its first cell only.
struct PrintColumn {
    std::string heading;
    Qt::Alignment alignment = Qt::AlignLeft;
    int width = 0;  // screen pixels; scaled to the printer
};

struct PrintRow {
    int indent = 0;  // levels, for trees
    std::vector<std::string> cells;
};

struct PrintContent {
    std::vector<PrintColumn> columns;
    std::vector<PrintRow> rows;
};

// Printing of panes through one printer shared by Print, Print Preview and
// Print Setup, so the choices made in one apply to the others.
namespace PanePrinting {

using ContentSource = std::function<PrintContent()>;

QPrinter& SharedPrinter();

// Lays the content out on the printer's pages, headings repeated on each
// page; returns the number of pages, 0 when the printer cannot be opened.
int RenderPages(const PrintContent& content, QPrinter& printer);

// The print dialog; on OK the content is printed.
void Print(QWidget* parent, const ContentSource& content);

// The preview window, drawing the content each time it needs its pages.
void PrintPreview(QWidget* parent, const ContentSource& content);

// The printer's page setup dialog.
void PrintSetup(QWidget* parent);

}  // namespace PanePrinting
