// "Find It For Me" over a generated tree beside find(1): the finder must walk
// about as fast while updating the status pane for every folder and
// dispatching window messages between entries.
#include "BenchTiming.h"
#include "ModalRun.h"
#include "StamperDlg.h"
#include "StamperState.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

// `folders` folders two levels deep with `filesPerFolder` files each: two
// copies of the distributable (one in capitals) and near-miss decoys.
void MakeTree(const std::string& root, int folders, int filesPerFolder)
{
    const char* const decoys[] = {"pla1_0.exe.bak", "pla1_0.ex", "xpla1_0.exe", "pla1-0.exe", "pla1_0.exf"};
    const int top = 100;
    for (int made = 0, t = 0; made < folders; ++t) {
        const std::string upper = root + "/t" + std::to_string(t);
        ::mkdir(upper.c_str(), 0777);
        ++made;
        for (int s = 0; s < folders / top - 1 && made < folders; ++s, ++made) {
            const std::string folder = upper + "/s" + std::to_string(s);
            ::mkdir(folder.c_str(), 0777);
            for (int f = 0; f < filesPerFolder; ++f) {
                std::string name = "file" + std::to_string(f) + ".dat";
                if (f == 0)
                    name = decoys[made % 5];
                if (made == folders / 3 && f == 1)
                    name = "pla1_0.exe";
                if (made == 2 * folders / 3 && f == 1)
                    name = "PLA1_0.EXE";
                std::ofstream(folder + "/" + name) << "x";
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int folders = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int filesPerFolder = argc > 2 ? std::atoi(argv[2]) : 10;

    // Memory-backed when there is such a folder, so the disk does not decide the figures.
    QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isDir() ? QStringLiteral("/dev/shm/stamper-find-XXXXXX")
                                                                    : QString());
    const std::string root = dir.path().toStdString() + "/";
    MakeTree(dir.path().toStdString(), folders, filesPerFolder);

    StamperState state;
    CStamperDlg dialog(state);
    // The introduction is closed at once; the dialogs after it are not part of the figures.
    SetModalHandler([](QDialog&) { return int(QDialog::Rejected); });
    dialog.OnInitDialog();
    dialog.SetDriveRoots({root});
    dialog.show();

    const std::string find = "find " + Quoted(root) + " -iname pla1_0.exe > /dev/null";
    Shell(find);  // the tree in the cache for both
    const double finderMs = MedianMilliseconds(5, [&] { dialog.FindDistributable(); });
    const double findMs = MedianMilliseconds(5, [&] { Shell(find); });

    std::printf("finder: %d folders, %d files: %.1f ms (%s); find -iname: %.1f ms; ratio %.2f (goal <= 1.5)\n",
                folders, folders * filesPerFolder, finderMs, dialog.StatusText().c_str(), findMs,
                finderMs / findMs);
    return 0;
}
