#include "RtfReader.h"
#include "RtfStreamIn.h"
#include "TestEnvironment.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {
std::string Px(qreal pixels)
{
    return std::to_string(qRound(pixels));
}

// Formatting that differs from a plain 12-point paragraph, in brackets before
// each run: b i u s, sup or sub, size, #foreground, ^background, font family.
// Paragraph formatting comes in angle brackets at the start of its line.
std::string Describe(const QTextDocument& document)
{
    std::string out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            out += '\n';
        const QTextBlockFormat para = block.blockFormat();
        std::vector<std::string> p;
        if (para.alignment() & Qt::AlignHCenter) p.push_back("qc");
        if (para.alignment() & Qt::AlignRight) p.push_back("qr");
        if ((para.alignment() & Qt::AlignJustify) == Qt::AlignJustify) p.push_back("qj");
        if (para.leftMargin() != 0) p.push_back("li" + Px(para.leftMargin()));
        if (para.rightMargin() != 0) p.push_back("ri" + Px(para.rightMargin()));
        if (para.textIndent() != 0) p.push_back("fi" + Px(para.textIndent()));
        if (para.topMargin() != 0) p.push_back("sb" + Px(para.topMargin()));
        if (para.bottomMargin() != 0) p.push_back("sa" + Px(para.bottomMargin()));
        if (!para.tabPositions().isEmpty()) {
            std::string tabs = "tabs";
            for (const QTextOption::Tab& tab : para.tabPositions())
                tabs += (tabs.size() > 4 ? "," : "") + Px(tab.position)
                        + (tab.type == QTextOption::RightTab ? "r" : tab.type == QTextOption::CenterTab ? "c" : "");
            p.push_back(tabs);
        }
        if (para.hasProperty(QTextFormat::BackgroundBrush))
            p.push_back("^" + para.background().color().name().toStdString());
        if (!p.empty()) {
            out += '<';
            for (std::size_t i = 0; i < p.size(); ++i)
                out += (i ? " " : "") + p[i];
            out += '>';
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            std::vector<std::string> c;
            if (f.fontWeight() == QFont::Bold) c.push_back("b");
            if (f.fontItalic()) c.push_back("i");
            if (f.fontUnderline()) c.push_back("u");
            if (f.fontStrikeOut()) c.push_back("s");
            if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) c.push_back("sup");
            if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) c.push_back("sub");
            if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() != 12)
                c.push_back(QByteArray::number(f.fontPointSize()).toStdString());
            if (f.hasProperty(QTextFormat::ForegroundBrush))
                c.push_back(f.foreground().color().name().toStdString());
            if (f.hasProperty(QTextFormat::BackgroundBrush))
                c.push_back("^" + f.background().color().name().toStdString());
            if (!f.fontFamilies().toStringList().isEmpty())
                c.push_back(f.fontFamilies().toStringList().join(',').toStdString());
            if (!c.empty()) {
                out += '[';
                for (std::size_t i = 0; i < c.size(); ++i)
                    out += (i ? " " : "") + c[i];
                out += ']';
            }
            out += it.fragment().text().toStdString();
        }
    }
    return out;
}

std::string Read(std::string_view rtf)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    CRtfReader(cursor).Read(rtf);
    return Describe(document);
}

struct Case {
    const char* name;
    std::string rtf;
    std::string shown;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class RtfReaderTest : public ::testing::TestWithParam<Case> {};

TEST_P(RtfReaderTest, ShowsTheDocumentFormatted)
{
    EXPECT_EQ(Read(GetParam().rtf), GetParam().shown);
}

std::string Nested(int depth)
{
    return "{\\rtf1 " + std::string(depth, '{') + "\\b x" + std::string(depth, '}') + "y}";
}

INSTANTIATE_TEST_SUITE_P(Features, RtfReaderTest, ::testing::Values(
    Case{"Text", "{\\rtf1\\ansi Hello, world}", "Hello, world"},
    Case{"BoldAndItalicWithTheirZeroForms", "{\\rtf1 a\\b b\\i c\\b0 d\\i0 e}", "a[b]b[b i]c[i]de"},
    Case{"GroupsKeepTheirState", "{\\rtf1 a{\\i b{\\b c}d}e}", "a[i]b[b i]c[i]de"},
    Case{"Underlines", "{\\rtf1\\ul a\\ulnone b\\uldb c\\ul0 d}", "[u]ab[u]cd"},
    Case{"Strike", "{\\rtf1\\strike a\\strike0 b}", "[s]ab"},
    Case{"PlainAndPard", "{\\rtf1\\qc\\b\\i\\fs40 a\\plain b\\par\\pard c}", "<qc>[b i 20]ab\nc"},
    Case{"FontSizeInHalfPoints", "{\\rtf1\\fs20 a\\fs b\\fs-4 c}", "[10]ab[1]c"},
    Case{"Colours", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                    "\\cf1 a\\cb2 b\\highlight1 c\\cf0\\cb0 d\\cf9 e}",
         "[#ff0000]a[#ff0000 ^#0000ff]b[#ff0000 ^#ff0000]cde"},
    Case{"SuperAndSubscript", "{\\rtf1 H{\\sub 2}O mc{\\super\\fs16 2}\\super x\\nosupersub y\\sub0 z}",
         "H[sub]2O mc[sup 8]2[sup]xyz"},
    Case{"RaisedAndLowered", "{\\rtf1 a{\\up6 b}{\\dn c}{\\up0 d}\\dn2 e\\plain f}", "a[sup]b[sub]cd[sub]ef"},
    Case{"CharacterShading",
         "{\\rtf1{\\colortbl;\\red255\\green255\\blue0;\\red255\\green0\\blue0;}"
         "{\\chcbpat1 a}{\\chshdng5000 b}{\\chshdng2500\\chcfpat2\\chcbpat1 c}{\\chshdng0\\chcfpat2 d}"
         "{\\highlight2\\chcbpat1 e}{\\chshdng99999 f}}",
         "[^#ffff00]a[^#808080]b[^#ffbf00]cd[^#ff0000]e[^#000000]f"},
    Case{"ParagraphShading",
         "{\\rtf1{\\colortbl;\\red204\\green255\\blue204;}\\cbpat1 a\\par\\pard\\shading1000 b\\par\\pard c}",
         "<^#ccffcc>a\n<^#e6e6e6>b\nc"},
    Case{"CellsAndRowsOutsideATable", "{\\rtf1 a\\cell b\\row c}", "a\tb\nc"},
    Case{"TablesMayComeLate", "{\\rtf1\\cf1 a{\\colortbl;\\red255\\green0\\blue0;}\\cf1 b}", "a[#ff0000]b"},
    Case{"FontTable", "{\\rtf1\\deff1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}"
                      "{\\f2{\\*\\panose 0}Courier}}a\\f0 b\\f2 c}",
         "[Times New Roman]a[Arial]b[Courier]c"},
    Case{"Breaks", "{\\rtf1 a\\par b\\line c\\tab d\\page e}", "a\nb\u2028c\td\ne"},
    Case{"TheLastMarkOpensNoLine", "{\\rtf1 a\\par\\par}", "a\n"},
    Case{"Alignment", "{\\rtf1\\qc a\\par\\qr b\\par\\qj c\\par\\ql d}", "<qc>a\n<qr>b\n<qj>c\nd"},
    Case{"IndentsAndSpacingInTwips", "{\\rtf1\\li720\\ri360\\fi-360\\sb120\\sa240 a\\par}",
         "<li48 ri24 fi-24 sb8 sa16 tabs24>a"},
    Case{"IndentsAreBounded", "{\\rtf1\\li99999999 a\\par}", "<li2112>a"},
    Case{"HangingIndentStopsAtTheLeftIndent", "{\\rtf1\\li480\\fi-240 \\bullet\\tab x\\par}",
         "<li32 fi-16 tabs16>\u2022\tx"},
    Case{"TabStopsCountFromTheMargin", "{\\rtf1\\li720\\tx1440\\tqr\\tx2880\\tqc\\tx3600\\tx360 a\\tab b\\par\\pard c}",
         "<li48 tabs48,144r,192c>a\tb\nc"},
    Case{"ParagraphTakesThePropertiesAtItsMark", "{\\rtf1 a\\qc\\par{\\pard\\qr b\\par}c}", "<qc>a\n<qr>b\nc"},
    Case{"ControlSymbols", "{\\rtf1 a\\\\b\\{c\\}d\\~e\\-f\\_g}", "a\\b{c}d\u00a0e\u00adf\u2011g"},
    Case{"SpecialCharacters", "{\\rtf1\\bullet\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote}",
         "\u2022\u2014\u2013\u2018\u2019\u201c\u201d"},
    Case{"Windows1252ByDefault", "{\\rtf1\\ansi caf\\'e9 \\'80\\'96\xe9}", "caf\u00e9 \u20ac\u2013\u00e9"},
    Case{"AnsiCodePage", "{\\rtf1\\ansi\\ansicpg1251 \\'e9}", "\u0439"},
    Case{"FontCharset", "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset238 Arial CE;}{\\f2\\fcharset161 Greek;}}"
                        "\\f1\\'9a\\f2\\'e1\\f0\\'9a}",
         "[Arial CE]\u0161[Greek]\u03b1[Arial]\u0161"},
    Case{"UnicodeWithOneFallback", "{\\rtf1 caf\\u233?s \\u-4064?}", "caf\u00e9s \uf020"},
    Case{"UnicodeFallbackCountsHexBytes", "{\\rtf1\\uc2\\u8364\\'80\\'80x}", "\u20acx"},
    Case{"InnerGroupsInheritTheFallbackCount", "{\\rtf1\\uc2{\\u8364 abc}}", "\u20acc"},
    Case{"AGroupEndStopsTheFallback", "{\\rtf1\\uc3{\\u8364 a}bc}", "\u20acbc"},
    Case{"FallbackCountStaysInItsGroup", "{\\rtf1{\\uc0 x}\\u8364 ab}", "x\u20acb"},
    Case{"UnicodeOutOfRange", "{\\rtf1\\uc0\\u99999999999 a}", "\ufffda"},
    Case{"SkippedDestinations",
         "{\\rtf1{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}{\\*\\generator W;}{\\pict abc}"
         "{\\object x}{\\header h}{\\footer f}a{\\footnote n}{\\*\\unknown q{\\b r}}b}",
         "ab"},
    Case{"FieldsShowTheirResult", "{\\rtf1{\\field{\\*\\fldinst{HYPERLINK \"http://x/\"}}{\\fldrslt{\\ul link}}}}",
         "[u]link"},
    Case{"BinarySkipsRawBytes", "{\\rtf1 a\\bin3 {}\\c{\\pict\\bin2 }}x}d}", "acd"},
    Case{"BinaryPastTheEnd", "{\\rtf1 a\\bin99999 xyz", "a"},
    Case{"TextAfterTheDocumentIsNotShown", "{\\rtf1 a}b", "a"},
    Case{"UnbalancedOpen", "{\\rtf1 {\\b a", "[b]a"},
    Case{"UnbalancedClose", "{\\rtf1 a}}}}b", "a"},
    Case{"NulAndControlBytes", std::string("{\\rtf1 a\0b\x01\tc}", 14), "ab\tc"},
    Case{"EnormousParameters", "{\\rtf1\\fs99999999999999 a\\cf99999999999\\f-99999999999\\li-9999999999 b\\par}",
         "[1638]ab"},
    Case{"NestingFarPastTheStack", Nested(100000), "[b]xy"},
    Case{"NotRtfIsPlainText", "Dear {reader},\r\nline\rtwo\\par\n", "Dear {reader},\nline\ntwo\\par\n"},
    Case{"EmptyInput", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Deep groups beyond the kept depth share the deepest state; the formatting
// still ends with the kept group it belongs to.
TEST(RtfReader, DeepNestingKeepsTheOuterGroupsState)
{
    const std::size_t depth = CRtfReader::kMaxGroupDepth + 10;
    std::string rtf = "{\\rtf1 " + std::string(depth, '{') + "\\b x" + std::string(depth, '}') + " y}";
    EXPECT_EQ(Read(rtf), "[b]x y");
}

TEST(RtfReader, TheDefaultTabWidthIsTheDocuments)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    CRtfReader(cursor).Read("{\\rtf1 a}");
    EXPECT_EQ(document.defaultTextOption().tabStopDistance(), 48);
    CRtfReader(cursor).Read("{\\rtf1\\deftab360 a}");
    EXPECT_EQ(document.defaultTextOption().tabStopDistance(), 24);
}

// Each table as "rows x columns (widths): cell|cell / cell|cell", a cell's
// paragraphs joined by LF, widths in pixels or "v" where the text decides.
std::string DescribeTables(const QTextDocument& document)
{
    std::string out;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        const auto* table = qobject_cast<QTextTable*>(frame);
        if (table == nullptr)
            continue;
        out += (out.empty() ? "" : "; ") + std::to_string(table->rows()) + "x" + std::to_string(table->columns()) + " (";
        const QList<QTextLength> widths = table->format().columnWidthConstraints();
        for (qsizetype i = 0; i < widths.size(); ++i)
            out += (i ? "," : "") + (widths[i].type() == QTextLength::FixedLength ? Px(widths[i].rawValue()) : "v");
        out += "):";
        for (int row = 0; row < table->rows(); ++row) {
            out += row ? " / " : " ";
            for (int column = 0; column < table->columns(); ++column) {
                QTextCursor cell = table->cellAt(row, column).firstCursorPosition();
                cell.setPosition(table->cellAt(row, column).lastCursorPosition().position(), QTextCursor::KeepAnchor);
                out += (column ? "|" : "") + cell.selectedText().replace(QChar(0x2029), u'\n').toStdString();
            }
        }
    }
    return out;
}

std::string ReadTables(std::string_view rtf)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    CRtfReader(cursor).Read(rtf);
    return DescribeTables(document) + " | " + document.toPlainText().replace(QChar(0x2029), u'\n').toStdString();
}

class RtfTableTest : public ::testing::TestWithParam<Case> {};

TEST_P(RtfTableTest, LaysTheRowsOutAsATable)
{
    EXPECT_EQ(ReadTables(GetParam().rtf), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Tables, RtfTableTest, ::testing::Values(
    Case{"RowsOfCellsBetweenParagraphs",
         "{\\rtf1 before\\par\\trowd\\cellx1440\\cellx2880\\intbl a\\cell b\\cell\\row"
         "\\trowd\\cellx1440\\cellx2880\\intbl c\\cell d\\cell\\row\\pard after\\par}",
         "2x2 (96,96): a|b / c|d | before\na\nb\nc\nd\nafter"},
    Case{"WidthsFromTheRowsLeftEdge", "{\\rtf1\\trowd\\trleft300\\cellx600\\cellx450\\cellx1500\\intbl a\\cell\\row}",
         "1x3 (20,0,60): a|| | \na\n\n\n"},
    Case{"ParagraphsInACell", "{\\rtf1\\trowd\\cellx1500{\\pard\\intbl x\\par y\\par}\\cell\\row}",
         "1x1 (100): x\ny | \nx\ny\n"},
    Case{"MoreCellsThanDefined", "{\\rtf1\\trowd\\cellx1500\\intbl a\\cell b\\cell\\row\\pard c}",
         "1x2 (100,v): a|b | \na\nb\nc"},
    Case{"CellsWithoutADefinition", "{\\rtf1\\intbl a\\cell b\\cell\\row\\intbl c\\cell\\row}",
         "2x2 (): a|b / c| | \na\nb\nc\n\n"},
    Case{"RowMarksWithoutCellsMakeNoRows", "{\\rtf1\\intbl a\\cell\\row\\row\\row\\intbl b\\cell\\row}",
         "2x1 (): a / b | \na\nb\n"},
    Case{"AParagraphOutsideEndsTheTable", "{\\rtf1\\intbl a\\cell\\row\\pard x\\par\\intbl b\\cell\\row\\pard}",
         "1x1 (): a; 1x1 (): b | \na\nx\nb\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// A few bytes a row must not make an enormous table: past the bound the
// rows go in as lines of tab-separated cells.
TEST(RtfReader, TheCellsOfADocumentAreBounded)
{
    std::string rtf = "{\\rtf1\\trowd";
    for (int column = 1; column <= CRtfTableBuilder::kMaxColumns; ++column)
        rtf += "\\cellx" + std::to_string(column * 100);
    const std::size_t rows = CRtfTableBuilder::kMaxCells / CRtfTableBuilder::kMaxColumns + 2;
    for (std::size_t row = 0; row < rows; ++row)
        rtf += "\\intbl r" + std::to_string(row) + "\\cell x\\cell\\row";
    rtf += "\\pard end}";

    QTextDocument document;
    QTextCursor cursor(&document);
    CRtfReader(cursor).Read(rtf);
    const auto tables = document.rootFrame()->childFrames();
    ASSERT_EQ(tables.size(), 1);
    const auto* table = qobject_cast<QTextTable*>(tables.front());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(static_cast<std::size_t>(table->rows() * table->columns()), CRtfTableBuilder::kMaxCells);
    const std::string last = "r" + std::to_string(rows - 1);
    EXPECT_NE(document.toPlainText().toStdString().find("\n" + last + "\tx\t\nend"), std::string::npos)
        << "the rows past the bound are not shown as lines";
}

std::string Fixture(const std::string& name)
{
    return ReadBytes(std::string(RTF_FIXTURES_DIR) + "/" + name);
}

TEST(RtfReader, ReadsPandocOutput)
{
    EXPECT_EQ(Read(Fixture("pandoc.rtf")),
              "<sa12>[b 18 Helvetica]Welcome\n"
              "<sa12>[Helvetica]This is [b Helvetica]bold[Helvetica] and [i Helvetica]italic"
              "[Helvetica] text in a caf\u00e9.\n"
              "<sa12>[Helvetica]A second paragraph with a [u Helvetica]link[Helvetica].");
}

TEST(RtfReader, ReadsLatex2rtfOutput)
{
    const std::string shown = Read(Fixture("latex2rtf.rtf"));
    EXPECT_NE(shown.find("<sb16 sa8>[b 16 Times New Roman]1  Welcome\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("[b 10 Times New Roman]bold[10 Times New Roman] and [i 10 Times New Roman]italic"),
              std::string::npos) << shown;
    EXPECT_NE(shown.find("[Times New Roman]large[10 Times New Roman] words in a caf\u00e9."), std::string::npos)
        << shown;
    EXPECT_NE(shown.find("\n<qj fi20>[10 Times New Roman]A second paragraph in [10 #ff0000 Times New Roman]red"
                         "[10 Times New Roman] and [10 #0000ff Times New Roman]blue"),
              std::string::npos) << shown;
    EXPECT_EQ(shown.find("Original file"), std::string::npos) << "the info group is shown";
}

// Reads a committed file into `document` and describes it.
std::string ReadFixture(const std::string& name, QTextDocument& document)
{
    QTextCursor cursor(&document);
    CRtfReader(cursor).Read(Fixture(name));
    return Describe(document);
}

TEST(RtfReader, ReadsLibreOfficeFeatures)
{
    QTextDocument document;
    const std::string shown = ReadFixture("libreoffice-features.rtf", document);
    EXPECT_NE(shown.find("Water is H[sub Liberation Serif]2[Liberation Serif]O and energy is mc[sup Liberation Serif]2"),
              std::string::npos) << shown;
    EXPECT_NE(shown.find("This is [^#ffff00 Liberation Serif]shaded[Liberation Serif] text."), std::string::npos) << shown;
    EXPECT_NE(shown.find("^#ccffcc>[Liberation Serif]A shaded paragraph."), std::string::npos) << shown;
    // The cells' right edges are at 571, 1127 and 1833 twips.
    EXPECT_EQ(DescribeTables(document), "2x3 (38,37,47): One|Two|Three / Four|Five|Six");
    EXPECT_NE(shown.find("\n<sa9>[Liberation Serif]After the table."), std::string::npos) << shown;
}

TEST(RtfReader, ReadsPandocFeatures)
{
    QTextDocument document;
    const std::string shown = ReadFixture("pandoc-features.rtf", document);
    EXPECT_NE(shown.find("[Helvetica]Water is H[sub Helvetica]2[Helvetica]O and energy is mc[sup Helvetica]2"),
              std::string::npos) << shown;
    EXPECT_EQ(DescribeTables(document), "2x3 (192,192,192): One|Two|Three / Four|Five|Six");
    EXPECT_NE(shown.find("[Helvetica]After the table."), std::string::npos) << shown;
}

TEST(StreamInRtf, ATableAtTheEndLeavesTheCaretBehindIt)
{
    QTextEdit edit;
    StreamInRtf(edit, "{\\rtf1\\intbl a\\cell b\\cell\\row}");
    EXPECT_EQ(edit.textCursor().currentTable(), nullptr);
    EXPECT_EQ(edit.textCursor().position(), edit.document()->characterCount() - 1);
}

TEST(StreamInRtf, ReplacesTheSelectionAndLeavesTheCaretAfterIt)
{
    QTextEdit edit;
    edit.setPlainText("0123456789");
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(3);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);

    StreamInRtf(edit, "{\\rtf1 {\\b B}\\par C}");
    EXPECT_EQ(Describe(*edit.document()), "012[b]B\nC789");
    EXPECT_EQ(edit.textCursor().position(), 6);

    edit.selectAll();
    StreamInRtf(edit, "just text");
    EXPECT_EQ(edit.toPlainText(), "just text");
}
}  // namespace
