// The RTF reader reads anything without crashing or hanging, never shows more
// characters than it was given (a table's own marks aside, whose cells stay
// within their bound), and shows plain text as itself, whether as it stands
// or wrapped in an RTF document; deep nesting changes none of that.
#include "FuzzCheck.h"
#include "RtfReader.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {
// The cells of the tables in `frame`.
std::size_t Cells(const QTextFrame& frame)
{
    std::size_t cells = 0;
    for (const QTextFrame* child : frame.childFrames()) {
        if (const auto* table = qobject_cast<const QTextTable*>(child))
            cells += static_cast<std::size_t>(table->rows() * table->columns());
        cells += Cells(*child);
    }
    return cells;
}

QString Read(std::string_view input)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    CRtfReader(cursor).Read(input);
    const std::size_t cells = Cells(*document.rootFrame());
    FUZZ_CHECK(cells <= CRtfTableBuilder::kMaxCells);
    // One character per input byte at most, and the document's own end mark;
    // a table has a mark that opens each cell and one that closes it.
    const std::size_t tableMarks = cells + document.rootFrame()->childFrames().size();
    FUZZ_CHECK(static_cast<std::size_t>(document.characterCount()) <= input.size() + 1 + tableMarks);
    return document.toPlainText();
}

// The printable ASCII bytes of the input without RTF's special ones, and
// the tabs, and (when asked) the line ends.
std::string PlainBytes(std::string_view input, bool keepLineEnds)
{
    std::string plain;
    for (const char c : input) {
        const bool printable = c >= ' ' && c <= '~' && c != '\\' && c != '{' && c != '}';
        if (printable || c == '\t' || (keepLineEnds && c == '\n'))
            plain += c;
    }
    return plain;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static int argc = 1;
    static char name[] = "rtf_fuzzer";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Read(input);
    Read("{\\rtf1" + std::string(CRtfReader::kMaxGroupDepth + 44, '{') + std::string(input));

    const std::string text = PlainBytes(input, true);
    FUZZ_CHECK(Read(text) == QString::fromLatin1(text));
    const std::string oneLine = PlainBytes(input, false);
    FUZZ_CHECK(Read("{\\rtf1 " + oneLine + "}") == QString::fromLatin1(oneLine));
    return 0;
}
