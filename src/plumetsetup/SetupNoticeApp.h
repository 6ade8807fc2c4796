#pragma once

// The application: runs the setup notice dialog as the main window; the
// program ends when it returns. No state of its own.
class CSetupNoticeApp {
public:
    CSetupNoticeApp();

    // Returns the program's exit code.
    int Run();
};
