#pragma once
#include <QFont>

// The face dialogs, message boxes and panes are drawn in. Where the desktop
// gives programs a general font of its own (a desktop's platform theme, such
// as qt6ct or a desktop environment's, sets it), that font: a user who asks
// for larger text gets larger dialogs. Otherwise Liberation Sans at 7.5
// points. Dialogs measure their dialog units from the face they get
// (DialogUnits.h), so any face lays them out.
QFont DialogFace(const QFont& desktopFont);

// Liberation Sans at 7.5 points: 10 pixels on the screen, which averages 5.8
// pixels a letter, close to the 6 by 13 base the .ui files were drawn at.
QFont ClassicDialogFace();
