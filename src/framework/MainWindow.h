#pragma once

class QWidget;

// The application's main window, once the application has made it so (after
// the window's creation has finished). Dialogs made with no parent take it as
// their owner. Null before and after.
QWidget* ApplicationMainWindow();
void SetApplicationMainWindow(QWidget* window);
