#include "multirun/param_prompt_win.h"

#include "resources/resource.h"

ParamPromptDialog::ParamPromptDialog() : Dialog(IDD_PARAM_PROMPT) {}
