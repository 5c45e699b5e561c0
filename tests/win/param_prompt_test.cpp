// The launch-parameter prompt as a real modal dialog: its title, its history list, its limit,
// and what OK and Cancel leave behind.
#include "launcher/param_prompt_win.h"

#include "resources/resource.h"
#include "tests/win/support/win_test_support.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> comboList(HWND dialog)
{
    HWND combo = GetDlgItem(dialog, IDC_PARAM_COMBO);
    std::vector<std::string> texts;
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[300] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

std::string windowText(HWND window)
{
    char text[300] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

struct Seen {
    std::string title;
    std::string field;
    std::vector<std::string> list;
};

// Runs the prompt; once it is up, records what it shows, types the text into its field and
// presses the button.
INT_PTR runPrompt(ParamPromptDialog& prompt, const std::string& typed, int button,
                  Seen* seen = nullptr)
{
    NextDialog next([&](HWND dialog) {
        if (seen) {
            seen->title = windowText(dialog);
            seen->field = windowText(GetDlgItem(dialog, IDC_PARAM_COMBO));
            seen->list = comboList(dialog);
        }
        SetDlgItemTextA(dialog, IDC_PARAM_COMBO, typed.c_str());
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    });
    return prompt.runModal(nullptr);
}

TEST(ParamPrompt, TitleIsThePathAndOkReturnsTheTypedText)
{
    ParamPromptDialog prompt;
    prompt.promptTitle = "C:\\ツール\\ソフト.exe";
    Seen seen;
    EXPECT_EQ(runPrompt(prompt, "-a \"two words\"", IDOK, &seen), IDOK);
    EXPECT_EQ(seen.title, "C:\\ツール\\ソフト.exe");
    EXPECT_EQ(seen.field, "");
    EXPECT_TRUE(seen.list.empty());
    EXPECT_EQ(prompt.promptResult, "-a \"two words\"");
    EXPECT_EQ(prompt.paramHistory, std::vector<std::string>{"-a \"two words\""});
    EXPECT_FALSE(prompt.isOpen());
}

TEST(ParamPrompt, HistoryOffersSixteenTextsNewestFirst)
{
    ParamPromptDialog prompt;
    for (int i = 1; i <= 17; ++i)
        ASSERT_EQ(runPrompt(prompt, "p" + std::to_string(i), IDOK), IDOK);
    Seen seen;
    // Confirming the same text again puts it in twice; an empty text counts like any other.
    runPrompt(prompt, "p17", IDOK, &seen);
    ASSERT_EQ(seen.list.size(), 16u);
    EXPECT_EQ(seen.list.front(), "p17");
    EXPECT_EQ(seen.list.back(), "p2");
    runPrompt(prompt, "", IDOK, &seen);
    EXPECT_EQ(seen.list[0], "p17");
    EXPECT_EQ(seen.list[1], "p17");
    EXPECT_EQ(prompt.promptResult, "");
    ASSERT_EQ(prompt.paramHistory.size(), 16u);
    EXPECT_EQ(prompt.paramHistory[0], "");
}

TEST(ParamPrompt, CancelChangesNothing)
{
    ParamPromptDialog prompt;
    runPrompt(prompt, "first", IDOK);
    NextDialog next([](HWND dialog) {
        // Pick the history text, then cancel.
        SendDlgItemMessageA(dialog, IDC_PARAM_COMBO, CB_SETCURSEL, 0, 0);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    prompt.promptResult = "kept";
    EXPECT_EQ(prompt.runModal(nullptr), IDCANCEL);
    EXPECT_EQ(prompt.promptResult, "kept");
    EXPECT_EQ(prompt.paramHistory, std::vector<std::string>{"first"});
}

TEST(ParamPrompt, FieldTakesAtMost260Characters)
{
    ParamPromptDialog prompt;
    std::size_t length = 0;
    NextDialog next([&](HWND dialog) {
        HWND combo = GetDlgItem(dialog, IDC_PARAM_COMBO);
        HWND edit = GetWindow(combo, GW_CHILD);
        for (int i = 0; i < 300; ++i)
            SendMessageA(edit ? edit : combo, WM_CHAR, 'a', 0);
        length = static_cast<std::size_t>(GetWindowTextLengthA(combo));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(prompt.runModal(nullptr), IDOK);
    EXPECT_EQ(length, 260u);
    EXPECT_EQ(prompt.promptResult, std::string(260, 'a'));
}

}  // namespace
