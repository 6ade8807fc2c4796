#pragma once
#include <QFont>

// The face dialogs, message boxes and panes are drawn in. Positions in the
// .ui files were converted from dialog units at a base of 6 by 13 pixels
// (x * 1.5, y * 1.625), so the face may be no wider or taller than that base:
// Liberation Sans at 10 pixels (7.5 points) averages 5.8 pixels a letter, while at 8 points
// (11 pixels) it averages 6.4 and wraps texts into lines their controls have
// no room for. Each program makes it the application font at start; .ui files
// carry no font of their own.
QFont DialogFace();
