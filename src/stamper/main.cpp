#include "StamperApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    CStamperApp stamper;
    return stamper.Run();
}
