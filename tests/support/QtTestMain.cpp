// Test main for tests that need widgets: one QApplication on the offscreen platform.
#include "MessageBox.h"
#include "ModalRun.h"

#include <QApplication>
#include <QDialog>
#include <QtGlobal>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // A box or dialog that no test scripted would wait for a click that
    // never comes: the test fails at once, and the box gets the cautious answer.
    SetMessageHandler([](const MessageRecord& message) {
        ADD_FAILURE() << "unscripted message box: " << message.text;
        return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    });
    SetModalHandler([](QDialog& dialog) {
        ADD_FAILURE() << "unscripted dialog: " << dialog.objectName().toStdString();
        dialog.reject();
        return int(QDialog::Rejected);
    });
    return RUN_ALL_TESTS();
}
