#include "launcher/param_history.h"

void rememberParameter(std::vector<std::string>& history, const std::string& text)
{
    while (history.size() >= paramHistorySize)
        history.pop_back();
    history.insert(history.begin(), text);
}
