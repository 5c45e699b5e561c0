#include "launcher/param_prompt_win.h"

#include "launcher/param_history.h"
#include "resources/resource.h"

namespace {

// The edit field takes as many characters as a parameter text may have.
constexpr WPARAM parameterTextLimit = 260;

}  // namespace

ParamPromptDialog::ParamPromptDialog() : Dialog(IDD_PARAM_PROMPT) {}

BOOL ParamPromptDialog::onInitDialog()
{
    Dialog::onInitDialog();
    // The dialog is an ANSI window: SetWindowTextW would pass the title through the code page,
    // so a real path is stored by the wide default procedure itself.
    if (promptRealTitle.empty())
        SetWindowTextA(hwnd(), promptTitle.c_str());
    else
        DefWindowProcW(hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(promptRealTitle.c_str()));
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
