// The launch-parameter prompt: asks for the start parameters of one launch and remembers the
// texts confirmed earlier for as long as the program runs.
#pragma once

#include "framework/dialog_win.h"

#include <string>
#include <vector>

class ParamPromptDialog final : public Dialog {
public:
    ParamPromptDialog();

    // Input: the window title (the path of the file about to be started).
    std::string promptTitle;
    // Input: the real path (UTF-16) when the code page cannot hold it; it is the title then.
    std::wstring promptRealTitle;
    // Output after OK: the parameter text.
    std::string promptResult;
    // Texts confirmed earlier, newest first.
    std::vector<std::string> paramHistory;

protected:
    BOOL onInitDialog() override;
    void onOK() override;
};
