#pragma once
#include <Qt>

class QDialog;

// Caption, window menu and close box: the frame of most dialogs.
constexpr Qt::WindowFlags kDialogFrame = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                         | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// A dialog built from a .ui file, with the given frame, laid out in dialog
// units of its font (PlaceInDialogUnits) and fixed at that size. Call right
// after setupUi.
void SetFixedDialogFrame(QDialog& dialog, Qt::WindowFlags frame = kDialogFrame);
