// The dialog framework against the real window manager: templates, message maps, data
// exchange with its validation rules, and the program's message box.
#include "framework/application_win.h"
#include "framework/data_exchange_win.h"
#include "framework/dialog_win.h"
#include "framework/message_box_win.h"
#include "framework/system_error_win.h"
#include "resources/resource.h"
#include "tests/win/support/win_test_support.h"

#include <gtest/gtest.h>

namespace {

// The folder settings template serves as a test bed: it has an edit box (1000) and buttons.
class NumberDialog final : public Dialog {
public:
    NumberDialog() : Dialog(IDD_FOLDER_SETTINGS) {}

    std::uint32_t width = 260;
    std::int32_t margin = 0;
    bool signedField = false;
    int commands = 0;
    int seenFirst = 0;

protected:
    MessageMap messageMap() const override
    {
        static const MessageMapEntry entries[] = {
            command(IDC_FOLDER_ADD, &NumberDialog::onAdd),
        };
        return mapOf(entries);
    }
    MessageResult windowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 7) {
            ++seenFirst;
            return MessageResult::of(42);
        }
        return Dialog::windowProc(message, wParam, lParam);
    }
    void exchangeData(DataExchange& exchange) override
    {
        if (signedField) {
            exchange.signedNumber(IDC_CURRENT_FOLDER, margin);
            exchange.range(IDC_CURRENT_FOLDER, margin, 0, 32);
        } else {
            exchange.unsignedNumber(IDC_CURRENT_FOLDER, width);
            exchange.range(IDC_CURRENT_FOLDER, width, 0, 260);
        }
    }

private:
    void onAdd() { ++commands; }
};

class FrameworkTest : public ::testing::Test {
protected:
    MessageBoxRecorder boxes;
};

TEST_F(FrameworkTest, ModelessDialogRoutesMessagesThroughItsMap)
{
    NumberDialog dialog;
    ASSERT_TRUE(dialog.createModeless(nullptr));
    EXPECT_EQ(Dialog::fromWindow(dialog.hwnd()), &dialog);
    SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_FOLDER_ADD, BN_CLICKED), 0);
    EXPECT_EQ(dialog.commands, 1);
    // A notification code the map does not name is not taken for the command.
    SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_FOLDER_ADD, BN_SETFOCUS), 0);
    EXPECT_EQ(dialog.commands, 1);
    EXPECT_EQ(SendMessageA(dialog.hwnd(), WM_APP + 7, 0, 0), 42);
    EXPECT_EQ(dialog.seenFirst, 1);
    dialog.destroyWindow();
    EXPECT_FALSE(dialog.isOpen());
}

TEST_F(FrameworkTest, ModalDialogEndsWithTheButtonPressed)
{
    NumberDialog dialog;
    NextDialog press([](HWND window) { SendMessageA(window, WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(dialog.runModal(nullptr), IDOK);
    EXPECT_TRUE(press.seen());

    NextDialog cancel([](HWND window) { SendMessageA(window, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(dialog.runModal(nullptr), IDCANCEL);
}

TEST_F(FrameworkTest, ModelessLoopEndsWhenASentMessageEndsTheDialog)
{
    NumberDialog dialog;
    ASSERT_TRUE(dialog.createModeless(nullptr));
    // Ends the dialog from inside a message, as another process's sent WM_COMMAND would.
    struct Ender {
        static VOID CALLBACK fire(HWND window, UINT, UINT_PTR id, DWORD)
        {
            KillTimer(window, id);
            Dialog::fromWindow(window)->endDialog(IDOK);
        }
    };
    SetTimer(dialog.hwnd(), 1, 50, Ender::fire);
    EXPECT_EQ(dialog.runMessageLoop(), IDOK);
    dialog.destroyWindow();
}

TEST_F(FrameworkTest, BadNumberTextShowsItsMessageAndSelectsTheBox)
{
    NumberDialog dialog;
    ASSERT_TRUE(dialog.createModeless(nullptr));
    ShowWindow(dialog.hwnd(), SW_SHOW);
    HWND edit = dialog.item(IDC_CURRENT_FOLDER);

    SetWindowTextA(edit, "-3");
    EXPECT_FALSE(dialog.updateData(true));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "正の整数を入力してください。");
    EXPECT_EQ(boxes.boxes()[0].caption, "Quintarel");
    EXPECT_EQ(boxes.boxes()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(GetFocus(), edit);
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 2u);
    EXPECT_EQ(dialog.width, 260u);

    boxes.clear();
    SetWindowTextA(edit, " 300 ");
    EXPECT_FALSE(dialog.updateData(true));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "0 から 260 までの整数を入力してください。");
    // The value read before the range check stays read.
    EXPECT_EQ(dialog.width, 300u);

    boxes.clear();
    dialog.signedField = true;
    SetWindowTextA(edit, "");
    EXPECT_FALSE(dialog.updateData(true));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "整数を入力してください。");

    boxes.clear();
    SetWindowTextA(edit, "\t-0 ");
    EXPECT_TRUE(dialog.updateData(true));
    EXPECT_TRUE(boxes.boxes().empty());
    dialog.margin = 17;
    dialog.updateData(false);
    char text[16] = {};
    GetWindowTextA(edit, text, sizeof(text));
    EXPECT_STREQ(text, "17");
    dialog.destroyWindow();
}

TEST_F(FrameworkTest, ProgramMessageBoxDefaultIconRule)
{
    appMessageBox("a");
    appMessageBox("b", MB_OKCANCEL | MB_ICONQUESTION);
    appMessageBox("c", MB_YESNOCANCEL);
    appMessageBox("d", MB_RETRYCANCEL);
    appMessageBox("e", MB_OK | MB_ICONINFORMATION);
    ASSERT_EQ(boxes.boxes().size(), 5u);
    EXPECT_EQ(boxes.boxes()[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.boxes()[1].flags, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(boxes.boxes()[2].flags, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.boxes()[3].flags, static_cast<UINT>(MB_RETRYCANCEL));
    EXPECT_EQ(boxes.boxes()[4].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    for (const auto& box : boxes.boxes())
        EXPECT_EQ(box.caption, app::displayName());
}

TEST_F(FrameworkTest, SystemErrorText)
{
    EXPECT_FALSE(systemErrorText(ERROR_FILE_NOT_FOUND).empty());
    EXPECT_LE(systemErrorText(ERROR_FILE_NOT_FOUND, 8).size(), 7u);
    EXPECT_EQ(systemErrorText(0xE0001234), "");
}

TEST_F(FrameworkTest, StringResourcesComeInTheCodePage)
{
    EXPECT_EQ(app::loadString(IDS_ABOUT_ITEM), "バージョン情報(Quintarel) (&A)...");
    EXPECT_EQ(app::loadString(IDS_COMPANY), "Brisvane");
    EXPECT_EQ(app::loadString(IDS_DISPLAY_NAME), "Quintarel");
    EXPECT_EQ(app::loadString(9999), "");
}

}  // namespace
