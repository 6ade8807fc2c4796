#pragma once

class QWidget;

// Gives a dialog built from a .ui file its size in dialog units and puts every
// control of the .ui file at its dialog-unit place, measured in the font the
// dialog has, and again whenever that font changes (a desktop may set its own
// after the dialog was made). Pictures keep their own size, as the platform's
// picture controls do; static texts and edit boxes draw their text from the
// top of their rectangles. The dialog's size is fixed. Call right after setupUi, before
// code adds controls of its own.
void PlaceInDialogUnits(QWidget& dialog);
