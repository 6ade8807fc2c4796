// Reads an RTF file into a QTextDocument with the reader the programs use
// and prints the wall and processor seconds the read took and the document's
// character count. Processor time stays meaningful on a busy machine.
#include "RtfReader.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

#include <chrono>
#include <cstdio>
#include <ctime>

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: rtf-bench-read FILE\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rtf-bench-read: cannot read %s\n", argv[1]);
        return 1;
    }
    const QByteArray rtf = file.readAll();

    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    QTextDocument document;
    QTextCursor cursor(&document);
    CRtfReader(cursor).Read(std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size())));
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%.4f %.4f %d\n", took.count(), cpu, document.characterCount());
    return 0;
}
