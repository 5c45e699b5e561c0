#include "multirun/param_prompt_win.h"

#include "multirun/param_history.h"
#include "resources/resource.h"

namespace {

// The edit field takes as many characters as a parameter text may have.
constexpr WPARAM parameterTextLimit = 260;

}  // namespace

ParamPromptDialog::ParamPromptDialog() : Dialog(IDD_PARAM_PROMPT) {}

BOOL ParamPromptDialog::onInitDialog()
{
    Dialog::onInitDialog();
    SetWindowTextA(hwnd(), promptTitle.c_str());
    HWND combo = item(IDC_PARAM_COMBO);
    SendMessageA(combo, CB_LIMITTEXT, parameterTextLimit, 0);
    for (const std::string& text : paramHistory)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return TRUE;
}

void ParamPromptDialog::onOK()
{
    promptResult = itemText(IDC_PARAM_COMBO);
    rememberParameter(paramHistory, promptResult);
    endDialog(IDOK);
}
