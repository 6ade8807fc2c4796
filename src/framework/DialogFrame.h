#pragma once

class QDialog;

// A dialog of fixed size with a caption, a window menu and a close box, as
// its dialog resource lays it out.
void SetFixedDialogFrame(QDialog& dialog);
