#include "PlumetApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    CPlumetApp plumet;
    if (!plumet.InitInstance(QCoreApplication::arguments().mid(1)))
        return 1;
    return application.exec();
}
