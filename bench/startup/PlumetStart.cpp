// plumet's start as its main() makes it, ended as soon as the main window
// is on screen.
#include "PlumetApp.h"
#include "QuitWhenShown.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QuitWhenShown quit("mainFrame");
    CPlumetApp plumet;
    if (!plumet.InitInstance(QCoreApplication::arguments().mid(1)))
        QuitWhenShown::ExitNow(1);
    QuitWhenShown::ExitNow(application.exec());
}
