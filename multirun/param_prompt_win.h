// The launch-parameter prompt: asks for the start parameters of one launch and remembers the
// texts confirmed earlier for as long as the program runs.
#pragma once

#include "framework/dialog_win.h"

#include <string>
#include <vector>

class ParamPromptDialog final : public Dialog {
public:
    ParamPromptDialog();

    std::string promptTitle;
    std::string promptResult;
    std::vector<std::string> paramHistory;
};
