// The multiple-execution window: a modeless dialog owned by the main window, created hidden at
// start-up and kept until the program ends.
#pragma once

#include "framework/dialog_win.h"
#include "multirun/run_entry.h"

#include <string>
#include <vector>

class MultiRunWindow final : public Dialog {
public:
    MultiRunWindow();

    // Creates the window, hidden, owned by the given window.
    bool create(HWND owner);

    // Runs, once, the registered lists marked to run at every start.
    void runWakeupLists();

    // The launcher menu's space bar: shows the window without activating it and appends an
    // entry for the path, without parameters.
    void showWithoutActivating();
    bool appendEntry(const std::string& path);

    // The entries as the list shows them.
    std::vector<RunEntry> entries() const;

protected:
    BOOL onInitDialog() override;
};
