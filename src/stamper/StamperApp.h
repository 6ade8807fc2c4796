#pragma once
#include "StamperState.h"

// The application: owns the program-wide state and runs the main dialog; the
// program lives exactly as long as that dialog.
class CStamperApp {
public:
    CStamperApp();

    // Runs the main dialog to its end; returns the program's exit code.
    int Run();

    StamperState& State() { return state_; }

private:
    StamperState state_;
};
