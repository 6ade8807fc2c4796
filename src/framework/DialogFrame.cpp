#include "DialogFrame.h"

#include "DialogPlacement.h"

#include <QDialog>

void SetFixedDialogFrame(QDialog& dialog, Qt::WindowFlags frame)
{
    dialog.setWindowFlags(frame);
    PlaceInDialogUnits(dialog);
}
