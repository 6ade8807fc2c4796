#include "SetupNoticeApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    CSetupNoticeApp setup;
    return setup.Run();
}
