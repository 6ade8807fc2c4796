#include "DialogFrame.h"

#include <QDialog>

void SetFixedDialogFrame(QDialog& dialog)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    dialog.setFixedSize(dialog.size());
}
