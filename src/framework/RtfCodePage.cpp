#include "RtfCodePage.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <map>
#include <memory>

namespace {
constexpr int kDefaultCodePage = 1252;

QByteArray EncodingName(int codePage)
{
    switch (codePage) {
    case 874:
    case 1250: case 1251: case 1252: case 1253: case 1254:
    case 1255: case 1256: case 1257: case 1258:
        return "windows-" + QByteArray::number(codePage);
    case 437: case 850: case 852: case 866:
        return "IBM" + QByteArray::number(codePage);
    case 10000:
        return "macintosh";
    default:
        return {};
    }
}

std::unique_ptr<CodePageTable> BuildTable(const QByteArray& name)
{
    auto table = std::make_unique<CodePageTable>();
    QStringDecoder decoder(name.constData());
    for (int byte = 0; byte < 256; ++byte) {
        // Without a converter for the page, Latin-1 is the nearest guess.
        char16_t c = static_cast<char16_t>(byte);
        if (byte >= 0x80 && decoder.isValid()) {
            const char one = static_cast<char>(byte);
            const QString decoded = decoder.decode(QByteArrayView(&one, 1));
            c = decoded.size() == 1 ? decoded[0].unicode() : u'\uFFFD';
            decoder.resetState();
        }
        (*table)[byte] = c;
    }
    return table;
}
}  // namespace

const CodePageTable& SingleByteTable(int codePage)
{
    static std::map<int, std::unique_ptr<CodePageTable>> tables;
    QByteArray name = EncodingName(codePage);
    if (name.isEmpty()) {
        codePage = kDefaultCodePage;
        name = EncodingName(codePage);
    }
    auto& table = tables[codePage];
    if (!table)
        table = BuildTable(name);
    return *table;
}

int CodePageForCharset(int charset)
{
    switch (charset) {
    case 77: return 10000;   // Mac Roman
    case 161: return 1253;   // Greek
    case 162: return 1254;   // Turkish
    case 163: return 1258;   // Vietnamese
    case 177: return 1255;   // Hebrew
    case 178: return 1256;   // Arabic
    case 186: return 1257;   // Baltic
    case 204: return 1251;   // Cyrillic
    case 222: return 874;    // Thai
    case 238: return 1250;   // Central European
    case 254: return 437;    // PC 437
    case 255: return 850;    // OEM
    default: return 0;
    }
}
