#include "PaneFixture.h"
#include "PanePrinting.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Pages in a PDF: "/Type /Page" objects, not the "/Type /Pages" tree.
int PdfPages(const std::string& bytes)
{
    int pages = 0;
    for (size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
        if (bytes.compare(at, 12, "/Type /Pages") != 0)
            ++pages;
    return pages;
}

PrintContent Table(int rows)
{
    PrintContent content;
    content.columns = {{"Article", Qt::AlignLeft, 192}, {"Topic", Qt::AlignHCenter, 100}};
    for (int i = 0; i < rows; ++i)
        content.rows.push_back({0, {"Article " + std::to_string(i), "Topic"}});
    return content;
}

class PdfPrinter : public ::testing::Test {
protected:
    void SetUp() override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(path));
    }
    QTemporaryDir dir;
    std::string path = dir.path().toStdString() + "/out.pdf";
    QPrinter printer;
};

}  // namespace

TEST_F(PdfPrinter, LongContentRunsOverSeveralPages)
{
    const int pages = PanePrinting::RenderPages(Table(400), printer);
    EXPECT_GT(pages, 1);
    EXPECT_EQ(PdfPages(ReadBytes(path)), pages);
}

TEST_F(PdfPrinter, EmptyContentStillPrintsOnePage)
{
    EXPECT_EQ(PanePrinting::RenderPages(Table(0), printer), 1);
    EXPECT_EQ(PdfPages(ReadBytes(path)), 1);
    PrintContent tree;  // no columns: labels only
    tree.rows = {{0, {"File Manager"}}, {1, {"My Content"}}};
    EXPECT_EQ(PanePrinting::RenderPages(tree, printer), 1);
}

TEST_F(PdfPrinter, APrinterThatCannotStartPrintsNothing)
{
    printer.setOutputFileName(QString::fromStdString(dir.path().toStdString() + "/missing/out.pdf"));
    EXPECT_EQ(PanePrinting::RenderPages(Table(3), printer), 0);
}

using PanePrint = PaneFixture;

TEST_F(PanePrint, TheTreePrintsItsVisibleLabelsIndented)
{
    Start();
    auto rows = [this] {
        std::vector<std::pair<int, std::string>> lines;
        for (const PrintRow& row : Tree().PrintableContent().rows)
            lines.emplace_back(row.indent, row.cells.at(0));
        return lines;
    };
    using Lines = std::vector<std::pair<int, std::string>>;
    EXPECT_EQ(rows(), (Lines{{0, "File Manager"}}));
    Tree().topLevelItem(0)->setExpanded(true);
    Item("File Manager/Premium Content")->setExpanded(true);
    EXPECT_EQ(rows(), (Lines{{0, "File Manager"}, {1, "My Content"}, {1, "My Plumets"},
                             {1, "Premium Content"}, {2, "Ads"}, {2, "Articles"}}));
    EXPECT_TRUE(Tree().PrintableContent().columns.empty());
}

TEST_F(PanePrint, TheListPrintsItsRowsUnderTheHeadings)
{
    Start();
    WriteBytes(OnDisk("My Content/a.txt"), "Apple\r\nBob\r\nJan/5/1999\r\nFruit\r\n");
    Select("File Manager/My Content");
    const PrintContent content = List().PrintableContent();
    ASSERT_EQ(content.columns.size(), 4u);
    EXPECT_EQ(content.columns[1].heading, "Author's Name");
    EXPECT_EQ(content.columns[1].alignment & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    ASSERT_EQ(content.rows.size(), 1u);
    EXPECT_EQ(content.rows[0].cells, (std::vector<std::string>{"Apple", "Bob", "Jan/5/1999", "Fruit"}));
}

TEST_F(PanePrint, PrintIsTakenByTheTreeAndTheListAndReachesTheTreeFromTheEditor)
{
    Start();
    for (CView* pane : app.Document().Views()) {
        if (pane == &spy)
            continue;
        Activate(*pane);
        EXPECT_TRUE(Frame().IsCommandEnabled(CommandId::Print));
        EXPECT_TRUE(Frame().IsCommandEnabled(CommandId::PrintPreview));
        EXPECT_TRUE(Frame().IsCommandEnabled(CommandId::PrintSetup));
    }

    QTemporaryDir dir;
    const std::string pdf = dir.path().toStdString() + "/tree.pdf";
    Activate(Frame().Editor());
    ScopedModalScript print({[&](QDialog& dialog) {
        auto* printDialog = dynamic_cast<QPrintDialog*>(&dialog);
        if (!printDialog)
            return int(QDialog::Rejected);
        printDialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        printDialog->printer()->setOutputFileName(QString::fromStdString(pdf));
        return int(QDialog::Accepted);
    }});
    Run(CommandId::Print);
    EXPECT_EQ(print.Runs(), 1);
    EXPECT_EQ(PdfPages(ReadBytes(pdf)), 1);
}

TEST_F(PanePrint, PreviewDrawsTheActivePanesPages)
{
    Start();
    for (int i = 0; i < 300; ++i)
        WriteBytes(OnDisk("My Content/f" + std::to_string(i) + ".txt"), "Name\r\nAuthor\r\n");
    Select("File Manager/My Content");
    Activate(List());
    int pages = 0;
    ScopedModalScript preview({[&](QDialog& dialog) {
        if (auto* widget = dialog.findChild<QPrintPreviewWidget*>()) {
            widget->updatePreview();
            pages = widget->pageCount();
        }
        return int(QDialog::Rejected);
    }});
    Run(CommandId::PrintPreview);
    EXPECT_EQ(preview.Runs(), 1);
    EXPECT_GT(pages, 1);  // 300 rows do not fit one page; the tree would
}

TEST_F(PanePrint, PrintSetupShowsThePageSetupOfTheSharedPrinter)
{
    Start();
    Activate(Tree());
    QPrinter* shown = nullptr;
    ScopedModalScript setup({[&](QDialog& dialog) {
        if (auto* pageSetup = dynamic_cast<QPageSetupDialog*>(&dialog))
            shown = pageSetup->printer();
        return int(QDialog::Rejected);
    }});
    Run(CommandId::PrintSetup);
    EXPECT_EQ(shown, &PanePrinting::SharedPrinter());
}
