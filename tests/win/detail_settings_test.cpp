// The detail settings dialog against the real window manager, driven by messages while it runs
// modally: the read rules with their messages and focus, the enabled states, RESET, the hot key
// side effect of OK.
#include "dialogs/detail_settings_win.h"
#include "dialogs/hotkey_word.h"
#include "dialogs/hotkeys_win.h"
#include "resources/resource.h"
#include "tests/win/support/hotkey_holder.h"
#include "tests/win/support/win_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

// A plain window that owns the dialog and its hot keys, as MainWindow does.
class OwnerWindow {
public:
    OwnerWindow()
    {
        window_ = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~OwnerWindow() { DestroyWindow(window_); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};

LauncherSettings sampleSet()
{
    LauncherSettings set;
    set.PrintEnt = true;
    set.PrintLnk = false;
    set.IconPrint = 2;
    set.IconSize = 32;
    set.DesktopRatio = 60;
    set.PrintMyself = true;
    set.StringsNumber = 200;
    set.HeightSpace = 4;
    set.HoyKey = 0;
    set.Font.lfHeight = -12;
    lstrcpyA(set.Font.lfFaceName, "IPAPGothic");
    set.FontRGB = 0x000000;
    set.BackgroundColor = 0xFFFFFF;
    return set;
}

class DetailSettingsTest : public ::testing::Test {
protected:
    // Runs the dialog; the action works it while it is up, and CANCEL closes it afterwards if
    // the action left it open.
    INT_PTR run(std::function<void(HWND)> action)
    {
        NextDialog next([&](HWND dialog) {
            action(dialog);
            // An ended dialog is hidden until its loop has gone.
            if (IsWindowVisible(dialog))
                SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        INT_PTR result = dialog.runModal(owner.get());
        EXPECT_TRUE(next.seen());
        return result;
    }

    static void press(HWND dialog, int id)
    {
        SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    }
    static void ok(HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDOK, 0); }
    static bool enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)); }
    static std::string text(HWND dialog, int id)
    {
        char buffer[300] = {};
        GetDlgItemTextA(dialog, id, buffer, sizeof(buffer));
        return buffer;
    }

    void openOnFolder(const LauncherSettings& set, int hotkeyId = 5)
    {
        dialog.values = detailValuesOf(set);
        dialog.isFolderSpecific = true;
        dialog.folderName = "C:\\ソフト";
        dialog.hotkeyId = hotkeyId;
        hotkeys.attach(owner.get());
        dialog.hotkeys = &hotkeys;
    }

    MessageBoxRecorder boxes;
    OwnerWindow owner;
    HotkeyRegistrations hotkeys;
    DetailSettingsDialog dialog;
};

TEST_F(DetailSettingsTest, NumbersAreCheckedWithTheirMessagesAndTheFocusGoesToTheBox)
{
    openOnFolder(sampleSet());
    struct Case {
        const char* width;
        const char* margin;
        const char* message;
        UINT icon;
        int focus;
    };
    const Case cases[] = {
        {"-1", "0", "正の整数を入力してください。", MB_ICONEXCLAMATION, IDC_STRINGS_NUMBER},
        {"", "0", "正の整数を入力してください。", MB_ICONEXCLAMATION, IDC_STRINGS_NUMBER},
        {"261", "0", "0 から 260 までの整数を入力してください。", MB_ICONEXCLAMATION,
         IDC_STRINGS_NUMBER},
        {"100", "x1", "整数を入力してください。", MB_ICONEXCLAMATION, IDC_HEIGHT_SPACE},
        {"100", "-1", "0 から 32 までの整数を入力してください。", MB_ICONEXCLAMATION,
         IDC_HEIGHT_SPACE},
        {"100", "33", "0 から 32 までの整数を入力してください。", MB_ICONEXCLAMATION,
         IDC_HEIGHT_SPACE},
    };
    INT_PTR result = run([&](HWND window) {
        for (const Case& c : cases) {
            boxes.clear();
            SetDlgItemTextA(window, IDC_STRINGS_NUMBER, c.width);
            SetDlgItemTextA(window, IDC_HEIGHT_SPACE, c.margin);
            ok(window);
            ASSERT_TRUE(IsWindow(window)) << c.width << " " << c.margin;
            ASSERT_EQ(boxes.boxes().size(), 1u) << c.width << " " << c.margin;
            EXPECT_EQ(boxes.boxes()[0].text, c.message);
            EXPECT_EQ(boxes.boxes()[0].caption, "Quintarel");
            EXPECT_EQ(boxes.boxes()[0].flags & MB_ICONMASK, c.icon);
            EXPECT_EQ(GetFocus(), GetDlgItem(window, c.focus)) << c.width << " " << c.margin;
        }
        // Blanks and tabs around the digits are fine; width 0 is corrected on the way out.
        boxes.clear();
        SetDlgItemTextA(window, IDC_STRINGS_NUMBER, " 0\t");
        SetDlgItemTextA(window, IDC_HEIGHT_SPACE, "\t-0 ");
        ok(window);
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text,
              "ファイル名の最小表示幅(1)を下回っています、最大表示幅は 1 になります");
    EXPECT_EQ(boxes.boxes()[0].caption, "詳細設定");
    EXPECT_EQ(boxes.boxes()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(dialog.values.StringsNumber, 1u);
    EXPECT_EQ(dialog.values.HeightSpace, 0);
}

TEST_F(DetailSettingsTest, AStoredValueOutOfRangeIsReportedAsTheDialogOpens)
{
    LauncherSettings set = sampleSet();
    set.StringsNumber = 300;
    openOnFolder(set);
    std::string shown;
    run([&](HWND window) { shown = text(window, IDC_STRINGS_NUMBER); });
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "0 から 260 までの整数を入力してください。");
    EXPECT_EQ(shown, "300");
}

TEST_F(DetailSettingsTest, EnabledStatesFollowTheDisplayModeEvenWithBadNumbers)
{
    openOnFolder(sampleSet());
    const int nameControls[] = {IDC_PRINT_ENT, IDC_PRINT_LNK, IDC_STRINGS_NUMBER,
                                IDC_FONT_CHOOSE, IDC_FONT_RESET};
    run([&](HWND window) {
        for (int id : nameControls)
            EXPECT_TRUE(enabled(window, id)) << id;
        SetDlgItemTextA(window, IDC_STRINGS_NUMBER, "abc");
        press(window, IDC_MODE_ICON);
        EXPECT_EQ(boxes.boxes().size(), 1u);  // the bad width is reported
        for (int id : nameControls)
            EXPECT_FALSE(enabled(window, id)) << id;
        EXPECT_TRUE(enabled(window, IDC_ICON_LARGE));
        EXPECT_TRUE(enabled(window, IDC_STRINGS_NUMBER_SPIN));
        EXPECT_TRUE(enabled(window, IDC_STRINGS_RESET));
        EXPECT_TRUE(enabled(window, IDC_PRINT_MYSELF));
        EXPECT_TRUE(enabled(window, IDC_FOLDER_MENU));

        SetDlgItemTextA(window, IDC_STRINGS_NUMBER, "12");
        press(window, IDC_MODE_NAME);
        for (int id : nameControls)
            EXPECT_TRUE(enabled(window, id)) << id;
        EXPECT_FALSE(enabled(window, IDC_ICON_LARGE));
        EXPECT_FALSE(enabled(window, IDC_ICON_SMALL));
        EXPECT_TRUE(enabled(window, IDC_FOLDER_MENU));
        press(window, IDC_MODE_BOTH);
        EXPECT_TRUE(enabled(window, IDC_ICON_SMALL));
        EXPECT_EQ(dialog.values.displayMode, 2);
    });
}

TEST_F(DetailSettingsTest, ResetIconSizeRatioAndFolderMenuChangeTheWorkingCopy)
{
    LauncherSettings set = sampleSet();
    set.FolderMenu = true;
    openOnFolder(set);
    INT_PTR result = run([&](HWND window) {
        EXPECT_EQ(GetWindowTextLengthA(window), lstrlenA("詳細設定(C:\\ソフト)"));
        // RESET writes every held value back, discarding what was typed and not yet read.
        SetDlgItemTextA(window, IDC_STRINGS_NUMBER, "5");
        SetDlgItemTextA(window, IDC_HEIGHT_SPACE, "9");
        press(window, IDC_STRINGS_RESET);
        EXPECT_EQ(text(window, IDC_STRINGS_NUMBER), "260");
        EXPECT_EQ(text(window, IDC_HEIGHT_SPACE), "4");

        EXPECT_EQ(text(window, IDC_FOLDER_MENU), "サブフォルダーをサブメニューで開く");
        EXPECT_EQ(IsDlgButtonChecked(window, IDC_FOLDER_MENU), BST_CHECKED);
        press(window, IDC_FOLDER_MENU);

        HWND spin = GetDlgItem(window, IDC_HEIGHT_SPACE_SPIN);
        int low = -1, high = -1;
        SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                     reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(high, 32);
        press(window, IDC_ICON_SMALL);
        SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                     reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, 0);
        EXPECT_EQ(high, 16);

        HWND track = GetDlgItem(window, IDC_RATIO_TRACK);
        EXPECT_EQ(SendMessageA(track, TBM_GETPOS, 0, 0), 60);
        EXPECT_EQ(text(window, IDC_RATIO_LABEL), "60%");
        SendMessageA(track, TBM_SETPOS, TRUE, 25);
        SendMessageA(window, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 25),
                     reinterpret_cast<LPARAM>(track));
        EXPECT_EQ(text(window, IDC_RATIO_LABEL), "25%");

        // The up-down stops at 16 now, but a typed margin up to 32 is still taken.
        SetDlgItemTextA(window, IDC_HEIGHT_SPACE, "32");
        ok(window);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(dialog.values.StringsNumber, 260u);
    EXPECT_EQ(dialog.values.HeightSpace, 32);
    EXPECT_EQ(dialog.values.IconSize, 16);
    EXPECT_EQ(dialog.values.DesktopRatio, 25);
    EXPECT_EQ(dialog.values.FolderMenu, 0);
}

TEST_F(DetailSettingsTest, TheStandardSetHasNoHotkeyAndRegistersNothing)
{
    LauncherSettings set = sampleSet();
    set.HoyKey = 0x0600 | VK_F7;
    dialog.values = detailValuesOf(set);
    dialog.isFolderSpecific = false;
    INT_PTR result = run([&](HWND window) {
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDC_DETAIL_HOTKEY)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDC_DETAIL_HOTKEY_DELETE)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDC_BACKGROUND)));
        // The icon takes the place the hidden hot key field and its button leave.
        RECT icon{}, field{}, button{}, freed{};
        GetWindowRect(GetDlgItem(window, IDC_DETAIL_ICON), &icon);
        GetWindowRect(GetDlgItem(window, IDC_DETAIL_HOTKEY), &field);
        GetWindowRect(GetDlgItem(window, IDC_DETAIL_HOTKEY_DELETE), &button);
        UnionRect(&freed, &field, &button);
        POINT centre{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
        EXPECT_TRUE(PtInRect(&freed, centre)) << centre.x << "," << centre.y;
        char title[64] = {};
        GetWindowTextA(window, title, sizeof(title));
        EXPECT_STREQ(title, "詳細設定(標準設定)");
        ok(window);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.values.HoyKey, 0x0600 | VK_F7);
    EXPECT_FALSE(hotkeyTaken(MOD_CONTROL | MOD_ALT, VK_F7));
}

TEST_F(DetailSettingsTest, AFolderHotkeyIsRegisteredOnOKAndWithdrawnWhenCleared)
{
    const HotkeyWord word = 0x0600 | VK_F8;  // Ctrl+Alt+F8
    const HotkeyRegistration key = toRegistration(word);
    openOnFolder(sampleSet(), 7);
    INT_PTR result = run([&](HWND window) {
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, IDC_DETAIL_HOTKEY)));
        SendMessageA(GetDlgItem(window, IDC_DETAIL_HOTKEY), HKM_SETHOTKEY, word, 0);
        ok(window);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.values.HoyKey, word);
    EXPECT_TRUE(hotkeyTaken(key.modifiers, key.virtualKey));

    // DELETE followed by CANCEL changes nothing.
    result = run([&](HWND window) {
        EXPECT_EQ(SendMessageA(GetDlgItem(window, IDC_DETAIL_HOTKEY), HKM_GETHOTKEY, 0, 0), word);
        press(window, IDC_DETAIL_HOTKEY_DELETE);
        EXPECT_EQ(SendMessageA(GetDlgItem(window, IDC_DETAIL_HOTKEY), HKM_GETHOTKEY, 0, 0), 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(hotkeyTaken(key.modifiers, key.virtualKey));

    // DELETE and OK withdraw the folder's id and hand back no key.
    result = run([&](HWND window) {
        press(window, IDC_DETAIL_HOTKEY_DELETE);
        ok(window);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.values.HoyKey, 0);
    EXPECT_FALSE(hotkeyTaken(key.modifiers, key.virtualKey));
    EXPECT_FALSE(UnregisterHotKey(owner.get(), 7));
}

TEST_F(DetailSettingsTest, AHotkeyHeldByAnotherProgramIsReportedAndKeptInTheRecord)
{
    const HotkeyWord word = 0x0600 | VK_F9;
    const HotkeyRegistration key = toRegistration(word);
    HotkeyHolder holder(key.modifiers, key.virtualKey);
    ASSERT_TRUE(holder.holding());
    openOnFolder(sampleSet());
    INT_PTR result = run([&](HWND window) {
        SendMessageA(GetDlgItem(window, IDC_DETAIL_HOTKEY), HKM_SETHOTKEY, word, 0);
        ok(window);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.values.HoyKey, word);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, "ホットキーの設定に失敗");
    EXPECT_EQ(boxes.boxes()[0].caption, "RegistHotkey");
    EXPECT_EQ(boxes.boxes()[0].flags & MB_ICONMASK, 0u);
    EXPECT_FALSE(boxes.boxes()[1].text.empty());
    EXPECT_EQ(boxes.boxes()[1].caption, "RegistHotkey");
    EXPECT_EQ(boxes.boxes()[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(DetailSettingsTest, FontResetTakesTheSystemMenuFontAndColours)
{
    LauncherSettings set = sampleSet();
    lstrcpyA(set.Font.lfFaceName, "Some Face");
    set.FontRGB = 0x123456;
    set.BackgroundColor = 0x654321;
    set.SystemColors = false;
    openOnFolder(set);
    INT_PTR result = run([&](HWND window) {
        // The sample shows the working colours.
        HDC dc = CreateCompatibleDC(nullptr);
        SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_FONT_SAMPLE)));
        EXPECT_EQ(GetTextColor(dc), 0x123456u);
        EXPECT_EQ(GetBkColor(dc), 0x654321u);
        DeleteDC(dc);
        // A cancelled font chooser leaves the font alone, although it may write into the record
        // it is given.
        {
            NextDialog chooser([](HWND fonts) { SendMessageA(fonts, WM_COMMAND, IDCANCEL, 0); });
            press(window, IDC_FONT_CHOOSE);
            EXPECT_TRUE(chooser.seen());
        }
        EXPECT_STREQ(dialog.values.Font.lfFaceName, "Some Face");
        EXPECT_EQ(dialog.values.FontRGB, 0x123456u);
        EXPECT_EQ(dialog.values.SystemColors, 0);
        press(window, IDC_FONT_RESET);
        ok(window);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_STRNE(dialog.values.Font.lfFaceName, "Some Face");
    EXPECT_EQ(dialog.values.FontRGB, GetSysColor(COLOR_MENUTEXT));
    EXPECT_EQ(dialog.values.BackgroundColor, GetSysColor(COLOR_MENU));
    // RESET means the system's colours from now on, dark ones in dark mode.
    EXPECT_EQ(dialog.values.SystemColors, 1);
}

}  // namespace
