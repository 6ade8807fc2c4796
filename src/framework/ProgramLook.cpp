#include "ProgramLook.h"

#include "DialogFace.h"
#include "DialogStyle.h"

#include <QApplication>
#include <QIcon>

void SetUpProgramLook(const QIcon& programIcon)
{
    QApplication::setFont(DialogFace(QApplication::font()));
    if (!dynamic_cast<CDialogStyle*>(QApplication::style()))
        QApplication::setStyle(new CDialogStyle);
    QApplication::setWindowIcon(programIcon);
}
