// Opening and scrolling a library folder of many files in the file list:
// the list must read only the rows it paints.
#include "FileListModel.h"
#include "PlumetState.h"
#include "PlumetView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

void WriteFiles(const std::string& folder, int count)
{
    for (int i = 0; i < count; ++i) {
        std::ofstream out(folder + "/article" + std::to_string(i) + ".txt", std::ios::binary);
        out << "Article " << i << "\r\nAuthor\r\nJan/5/1999\r\nTopic\r\n~*^\r\nbody\r\n";
    }
}

double Milliseconds(QElapsedTimer& timer)
{
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    return ms;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;

    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    WriteFiles(folder, count);

    PlumetState state;
    state.ProgramFolder = folder;
    CPlumetView list(state);
    list.resize(800, 175);
    list.show();

    QElapsedTimer timer;
    timer.start();
    const int rows = list.FillList(folder);
    const double fill = Milliseconds(timer);
    list.grab();
    const double firstPaint = Milliseconds(timer);
    QScrollBar* bar = list.verticalScrollBar();
    const int steps = 50;
    for (int i = 1; i <= steps; ++i) {
        bar->setValue(bar->maximum() * i / steps);
        list.grab();
    }
    const double scroll = Milliseconds(timer) / steps;

    std::printf("rows %d: listing %.1f ms, first paint %.1f ms, one scroll step and paint %.1f ms\n",
                rows, fill, firstPaint, scroll);
    return rows == count ? 0 : 1;
}
