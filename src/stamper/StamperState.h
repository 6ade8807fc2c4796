#pragma once
#include <string>

// The program-wide state of stamper. The application object owns one; the
// dialogs get it by reference, so a test can make a fresh one.
struct StamperState {
    // The path last read out of the main dialog's filename box (by STAMP and
    // "Upload my stamped file") or chosen with Browse; the upload sends the
    // file it names.
    std::string SelectedFilePath;
};
