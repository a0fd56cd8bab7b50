#pragma once

#include "win32/AppState.h"

#include <windows.h>

// The process's one top-level object: single instance, settings file, language and
// minimise-to-tray preference, graphics library and port access, then the main window
// as the program's only message loop, and the teardown in its order.
class CT507CtrlApp {
public:
    explicit CT507CtrlApp(HINSTANCE instance) : instance_(instance) {}

    // Runs the program on the given hardware; the process's exit code. A second copy
    // of the same executable ends at once, silently.
    int Run(Hardware& hardware);

    const AppState& State() const { return state_; }

private:
    HINSTANCE instance_;
    AppState state_;
};
