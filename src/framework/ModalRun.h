#pragma once
#include <functional>

class QDialog;

// Runs a dialog modally and returns its result (QDialog::Accepted or Rejected).
int RunModal(QDialog& dialog);

// Tests run dialogs through a handler that fills the controls and accepts or
// rejects; an empty handler brings back the real modal run. Returns the
// handler it replaces.
using ModalHandler = std::function<int(QDialog&)>;
ModalHandler SetModalHandler(ModalHandler handler);
