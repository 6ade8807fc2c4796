#pragma once

class QIcon;

// Each program's look, set at its start before its first window: dialogs,
// message boxes and panes in the dialog face chosen from the desktop's font,
// the desktop's style under CDialogStyle, and the program's icon on every
// window it opens.
void SetUpProgramLook(const QIcon& programIcon);
