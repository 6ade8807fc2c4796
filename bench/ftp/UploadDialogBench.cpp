// The Upload Gateway offscreen, as a user drives it: types the server into
// its boxes, presses Connect, enters the folder given, and presses Upload.
// Prints the seconds from Connect to the completion message (login, listings
// and upload), as curl's time_total counts its login and upload.
#include "MessageBox.h"
#include "StamperState.h"
#include "UploadDlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

template <typename T>
T* Child(QWidget& dialog, const char* name)
{
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: bench_ftp_dialog PORT USER PASSWORD FILE [FOLDER]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    StamperState state;
    state.SelectedFilePath = argv[4];
    CUploadDlg dialog(state);
    dialog.show();
    std::string lastMessage;
    SetMessageHandler([&lastMessage](const MessageRecord& message) {
        lastMessage = message.text;
        return MessageAnswer::Ok;
    });
    Child<QLineEdit>(dialog, "hostEdit")->setText(QStringLiteral("127.0.0.1:") + QString::fromLatin1(argv[1]));
    Child<QLineEdit>(dialog, "userEdit")->setText(QString::fromLocal8Bit(argv[2]));
    Child<QLineEdit>(dialog, "passwordEdit")->setText(QString::fromLocal8Bit(argv[3]));

    const auto start = std::chrono::steady_clock::now();
    Child<QPushButton>(dialog, "connectButton")->click();
    if (argc == 6) {
        QTreeWidget& tree = *Child<QTreeWidget>(dialog, "folderTree");
        const QList<QTreeWidgetItem*> found = tree.findItems(QString::fromLocal8Bit(argv[5]), Qt::MatchExactly);
        if (found.isEmpty()) {
            std::fprintf(stderr, "no folder %s listed\n", argv[5]);
            return 1;
        }
        tree.setCurrentItem(found.front());
        emit tree.itemDoubleClicked(found.front(), 0);
    }
    Child<QPushButton>(dialog, "uploadButton")->click();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (lastMessage.rfind("Transfer Complete.", 0) != 0) {
        std::fprintf(stderr, "upload failed: %s\n", lastMessage.c_str());
        return 1;
    }
    std::printf("%.4f\n", seconds);
    return 0;
}
