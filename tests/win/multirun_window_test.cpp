// The multiple-execution window against the real window manager: its initialisation from the
// profile, drops and editing, list files on disk, the file dialogs, the registered lists and
// the window's hot key.
#include "common/path_text.h"
#include "framework/profile_store.h"
#include "framework/application_win.h"
#include "multirun/list_file.h"
#include "multirun/list_file_io_win.h"
#include "resources/resource.h"
#include "tests/win/support/multirun_test_support.h"
#include "tests/win/support/win_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <commdlg.h>

namespace {

const char section[] = "MultipleLaunch";
const char wakeupSection[] = "MultipleLaunch\\OnWakeup";
const std::string exampleFile =
    "[Quintarel Sequntial Execute File]\nSequential execute: 1\n-- \n"
    " 14:C:\\Tools\\a.exe -v\n 11:D:\\memo.txt\n";

class MultiRunWindowTest : public MultiRunTestBase {
protected:
    ProfileStore& profile() { return app::profile(); }
    bool menuChecked(MultiRunWindow& window, UINT id)
    {
        return (GetMenuState(GetMenu(window.hwnd()), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    int windowWidth(MultiRunWindow& window)
    {
        RECT rect{};
        GetWindowRect(window.hwnd(), &rect);
        return rect.right - rect.left;
    }
    std::vector<std::string> listTexts(MultiRunWindow& window)
    {
        std::vector<std::string> texts;
        HWND list = window.item(IDC_RUN_LIST);
        for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
            char text[1024] = {};
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    }

    MessageBoxRecorder boxes;
    TempFolder folder{"複数実行"};
};

TEST_F(MultiRunWindowTest, CreationAppliesTheStoredOptionsAndTheyPersist)
{
    profile().writeInt(section, "StillMultiRun", 1);
    profile().writeInt(section, "ShowOption", 1);
    profile().writeInt(section, "RunOnWait", 1);
    auto window = createMultiRunWindow();
    ASSERT_TRUE(window);
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    EXPECT_EQ(controlText(window->hwnd()), "複数実行");
    EXPECT_TRUE(GetWindowLongA(window->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(menuChecked(*window, IDM_KEEP_WINDOW));
    EXPECT_FALSE(menuChecked(*window, IDM_KEEP_LIST));
    EXPECT_EQ(IsDlgButtonChecked(window->hwnd(), IDC_RUN_ORDERED), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(window->item(IDC_RUN_PARAM)));
    HMENU systemMenu = GetSystemMenu(window->hwnd(), FALSE);
    EXPECT_EQ(GetMenuState(systemMenu, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_TRUE(GetMenuState(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(window->listFolderPath(), testListFolder());
    EXPECT_TRUE(directoryExists(testListFolder()));

    // The panel is open, as stored; closing it leaves the window up to the ">>" button.
    EXPECT_TRUE(window->optionPanelIsShown());
    EXPECT_EQ(controlText(window->item(IDC_RUN_PANEL)), "<<");
    int fullWidth = windowWidth(*window);
    sendCommand(*window, IDC_RUN_PANEL);
    RECT outer{}, button{};
    GetWindowRect(window->hwnd(), &outer);
    GetWindowRect(window->item(IDC_RUN_PANEL), &button);
    EXPECT_EQ(outer.right, button.right + 4);
    EXPECT_LT(windowWidth(*window), fullWidth);
    EXPECT_EQ(controlText(window->item(IDC_RUN_PANEL)), ">>");
    EXPECT_EQ(profile().readInt(section, "ShowOption", -1), 0);

    sendCommand(*window, IDM_KEEP_WINDOW, 0);
    sendCommand(*window, IDM_KEEP_LIST, 0);
    EXPECT_FALSE(menuChecked(*window, IDM_KEEP_WINDOW));
    EXPECT_TRUE(menuChecked(*window, IDM_KEEP_LIST));
    EXPECT_EQ(profile().readInt(section, "StillMultiRun", -1), 0);
    EXPECT_EQ(profile().readInt(section, "StillMultiRunList", -1), 1);
    SendMessageA(window->item(IDC_RUN_ORDERED), BM_CLICK, 0, 0);
    EXPECT_EQ(profile().readInt(section, "RunOnWait", -1), 0);

    window.reset();
    window = createMultiRunWindow();
    EXPECT_FALSE(window->optionPanelIsShown());
    EXPECT_EQ(windowWidth(*window), button.right + 4 - outer.left);
    EXPECT_TRUE(menuChecked(*window, IDM_KEEP_LIST));
    EXPECT_FALSE(menuChecked(*window, IDM_KEEP_WINDOW));
    EXPECT_EQ(IsDlgButtonChecked(window->hwnd(), IDC_RUN_ORDERED), BST_UNCHECKED);

    // Moved to a monitor at 150 %: both widths of the panel follow once the system has scaled
    // the window (Wine never sends this; Windows does with the suggested rectangle).
    int narrow = windowWidth(*window);
    RECT suggested{};
    GetWindowRect(window->hwnd(), &suggested);
    suggested.right = suggested.left + narrow * 3 / 2;
    SendMessageA(window->hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(windowWidth(*window), narrow * 3 / 2);
    pumpPostedMessages();
    sendCommand(*window, IDC_RUN_PANEL);
    EXPECT_EQ(windowWidth(*window), MulDiv(fullWidth, 144, 96));
    sendCommand(*window, IDC_RUN_PANEL);
    EXPECT_EQ(windowWidth(*window), MulDiv(narrow, 144, 96));
}

TEST_F(MultiRunWindowTest, DropsAndTheSpaceBarAppendPathsWithoutParameters)
{
    auto window = createMultiRunWindow();
    std::string tool = folder.write("a.exe");
    std::string memo = folder.write("ソフト.txt");
    std::string tooLong = "C:\\" + std::string(257, 'x');
    dropFiles(*window, {tool, tooLong, memo, folder.path()});
    ASSERT_TRUE(window->appendEntry("C:\\x\\y.exe"));
    std::vector<RunEntry> expected = {entryForPath(tool), entryForPath(memo),
                                      entryForPath(folder.path()), {"C:\\x\\y.exe", 10}};
    EXPECT_EQ(window->entries(), expected);
    EXPECT_EQ(listTexts(*window), (std::vector<std::string>{tool, memo, folder.path(),
                                                             "C:\\x\\y.exe"}));

    // Putting the field's text back after a drop is no edit of the selected entry.
    clickEntry(*window, 1);
    dropFiles(*window, {tool});
    EXPECT_EQ(window->entries()[1], entryForPath(memo));
    EXPECT_EQ(window->entries().size(), 5u);
}

TEST_F(MultiRunWindowTest, ParameterFieldAndArrowsEditTheSelectedEntry)
{
    auto window = createMultiRunWindow();
    for (const char* path : {"C:\\a.exe", "C:\\b.exe", "C:\\c.exe"})
        window->appendEntry(path);
    clickEntry(*window, 0);
    EXPECT_TRUE(IsWindowEnabled(window->item(IDC_RUN_PARAM)));
    EXPECT_EQ(GetFocus(), window->item(IDC_RUN_PARAM));
    typeParameters(*window, "-v x");
    EXPECT_EQ(window->entries()[0], (RunEntry{"C:\\a.exe -v x", 8}));
    EXPECT_EQ(listTexts(*window)[0], "C:\\a.exe -v x");
    EXPECT_EQ(selectedIndex(*window), 0);
    typeParameters(*window, "");
    EXPECT_EQ(window->entries()[0], (RunEntry{"C:\\a.exe ", 8}));
    typeParameters(*window, "-w");

    // Selecting shows the entry's parameters and changes no entry.
    clickEntry(*window, 1);
    EXPECT_EQ(controlText(window->item(IDC_RUN_PARAM)), "");
    EXPECT_EQ(window->entries()[1], entryForPath("C:\\b.exe"));
    clickEntry(*window, 0);
    EXPECT_EQ(controlText(window->item(IDC_RUN_PARAM)), "-w");

    sendCommand(*window, IDC_RUN_UP);
    EXPECT_EQ(window->entries()[0].entryText, "C:\\a.exe -w");
    sendCommand(*window, IDC_RUN_DOWN);
    EXPECT_EQ(selectedIndex(*window), 1);
    EXPECT_EQ(listTexts(*window), (std::vector<std::string>{"C:\\b.exe", "C:\\a.exe -w",
                                                             "C:\\c.exe"}));
    clickEntry(*window, 2);
    sendCommand(*window, IDC_RUN_DOWN);
    EXPECT_EQ(selectedIndex(*window), 2);

    // "←" on the last of three leaves the second selected, and the field follows it.
    sendCommand(*window, IDC_RUN_REMOVE);
    EXPECT_EQ(selectedIndex(*window), 1);
    EXPECT_EQ(controlText(window->item(IDC_RUN_PARAM)), "-w");
    sendCommand(*window, IDC_RUN_REMOVE);
    sendCommand(*window, IDC_RUN_REMOVE);
    EXPECT_TRUE(window->entries().empty());
    EXPECT_FALSE(IsWindowEnabled(window->item(IDC_RUN_PARAM)));
}

TEST_F(MultiRunWindowTest, ListFilesAreReadAndWrittenByteForByte)
{
    auto window = createMultiRunWindow();
    std::string morning = folder.write("朝.sqx", exampleFile);
    ASSERT_TRUE(window->loadListFile(morning));
    std::vector<RunEntry> expected = {{"C:\\Tools\\a.exe -v", 14}, {"D:\\memo.txt", 11}};
    EXPECT_EQ(window->entries(), expected);
    EXPECT_EQ(IsDlgButtonChecked(window->hwnd(), IDC_RUN_ORDERED), BST_CHECKED);
    EXPECT_EQ(controlText(window->hwnd()), "複数実行(朝.sqx)");

    std::string copy = folder.file("写し.sqx");
    ASSERT_TRUE(window->saveListFile(copy));
    EXPECT_EQ(readFile(copy), exampleFile);
    EXPECT_EQ(controlText(window->hwnd()), "複数実行(写し.sqx)");
    EXPECT_TRUE(boxes.boxes().empty());

    // A folder near the length limit, holding a file and a folder of the user's under the
    // names a save would give its temporary file.
    // (A folder can be made up to 248 bytes long; above 246 no system temporary name fits.)
    std::string deep = folder.path();
    while (deep.size() != 247) {
        deep += "\\" + std::string(deep.size() < 180 ? 60 : 247 - deep.size() - 1, 'd');
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep;
    }
    std::string nearLimit = deep + "\\" + std::string(pathBufferSize - 6 - deep.size(), 'n') +
                            ".sqx";
    ASSERT_EQ(nearLimit.size(), maxPathChars);
    // A file and a folder of the user's where the save would put its temporary file stay
    // as they are.
    std::string users = temporaryListPath(nearLimit);
    std::string usersFolder = users.substr(0, users.size() - 1) + "0";
    CloseHandle(CreateFileA(users.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(CreateDirectoryA(usersFolder.c_str(), nullptr));
    ASSERT_TRUE(window->saveListFile(nearLimit));
    EXPECT_EQ(readFile(nearLimit), exampleFile);
    EXPECT_TRUE(fileExists(users));
    EXPECT_EQ(readFile(users), "");
    EXPECT_TRUE(directoryExists(usersFolder));
    ASSERT_TRUE(window->saveListFile(nearLimit));
    EXPECT_EQ(readFile(nearLimit), exampleFile);

    // An empty list writes nothing, not even over an existing file.
    window->abortRun();
    EXPECT_FALSE(window->saveListFile(copy));
    EXPECT_EQ(readFile(copy), exampleFile);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(MultiRunWindowTest, FailedReadsAndSavesAreToldAndDestroyNothing)
{
    auto window = createMultiRunWindow();
    std::string good = folder.write("good.sqx", exampleFile);
    window->loadListFile(good);
    struct Case {
        std::string path;
        std::string message;
    } cases[] = {
        {folder.file("missing.sqx"), "ファイルオープンに失敗しました"},
        {folder.write("crlf.sqx", "[Quintarel Sequntial Execute File]\r\n-- \r\n"),
         "複数実行ファイルの保存ファイルではありません"},
        {folder.write("header.sqx", "[Quintarel Sequntial Execute File]\nSequential execute: 0\n"),
         "実行ファイルリストがありません"},
    };
    for (const Case& c : cases) {
        boxes.clear();
        EXPECT_FALSE(window->loadListFile(c.path));
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text, c.message);
        EXPECT_TRUE(window->entries().empty());
        EXPECT_EQ(controlText(window->hwnd()), "複数実行(good.sqx)");
    }
    // The option line read before the end applies all the same.
    EXPECT_EQ(IsDlgButtonChecked(window->hwnd(), IDC_RUN_ORDERED), BST_UNCHECKED);

    // A save that cannot replace the file leaves it as it was, and no temporary file behind.
    window->loadListFile(good);
    std::string kept = folder.write("kept.sqx", "old bytes");
    HANDLE locked = CreateFileA(kept.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    boxes.clear();
    EXPECT_FALSE(window->saveListFile(kept));
    CloseHandle(locked);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "ファイルオープンに失敗しました");
    EXPECT_EQ(readFile(kept), "old bytes");
    EXPECT_FALSE(fileExists(temporaryListPath(kept)));
    EXPECT_FALSE(window->saveListFile(folder.file("no such folder\\x.sqx")));
}

// Types a file name into the next common file dialog and confirms it; notes what it showed.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(const std::string& name)
        : next_([this, name](HWND dialog) {
              char title[256] = {};
              GetWindowTextA(dialog, title, sizeof(title));
              title_ = title;
              char folder[MAX_PATH] = {};
              if (SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH,
                               reinterpret_cast<LPARAM>(folder)) > 0)
                  shownFolder_ = folder;
              for (int id : {0x480, 0x47C}) {
                  if (HWND field = GetDlgItem(dialog, id)) {
                      shownName_ = controlText(field);
                      SetWindowTextA(field, name.c_str());
                  }
              }
              PostMessageA(dialog, WM_COMMAND, IDOK, 0);
          })
    {
    }
    std::string title_;
    std::string shownFolder_;
    std::string shownName_;

private:
    NextDialog next_;
};

TEST_F(MultiRunWindowTest, SaveAndOpenCommandsRegisterAndMarkTheList)
{
    auto window = createMultiRunWindow();
    window->appendEntry("C:\\a.exe");
    CheckDlgButton(window->hwnd(), IDC_RUN_ON_WAKEUP, BST_CHECKED);
    std::string saved;
    {
        FileDialogAnswer answer("夜.sqx");
        sendCommand(*window, IDM_SAVE_LIST, 0);
        EXPECT_EQ(answer.title_, "保存ファイル名");
    }
    std::string path = testListFolder() + "\\夜.sqx";
    std::string registered = registeredPath(testListFolder(), "夜.sqx");
    EXPECT_EQ(readFile(path), std::string("[Quintarel Sequntial Execute File]\n"
                                          "Sequential execute: 0\n-- \n  8:C:\\a.exe\n"));
    EXPECT_EQ(window->registeredLists(), std::vector<std::string>{registered});
    EXPECT_EQ(SendMessageA(window->item(IDC_REGISTERED_LISTS), LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(profile().readString(wakeupSection, "000", ""), registered);
    EXPECT_EQ(profile().readInt(wakeupSection, "Number", 0), 1);

    // Open starts from the selected registered list, by its full path (the dialog opens where
    // it was used last), and shows whether it is marked.
    window->abortRun();
    CheckDlgButton(window->hwnd(), IDC_RUN_ON_WAKEUP, BST_UNCHECKED);
    {
        FileDialogAnswer answer("夜.sqx");
        sendCommand(*window, IDM_OPEN_LIST, 1);
        EXPECT_EQ(answer.title_, "読み込みファイル名");
        EXPECT_EQ(diskPathKey(answer.shownFolder_ + "\\" + answer.shownName_),
                  diskPathKey(registered));
    }
    EXPECT_EQ(window->entries(), std::vector<RunEntry>{entryForPath("C:\\a.exe")});
    EXPECT_EQ(IsDlgButtonChecked(window->hwnd(), IDC_RUN_ON_WAKEUP), BST_CHECKED);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(MultiRunWindowTest, RegisteredListsAndTheirWakeupMarks)
{
    std::string folderPath = testListFolder();
    CreateDirectoryA(folderPath.c_str(), nullptr);
    for (const char* name : {"morning.sqx", "evening.sqx", "notes.txt"})
        CloseHandle(CreateFileA((folderPath + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr));
    std::string morning = registeredPath(folderPath, "morning.sqx");
    std::string evening = registeredPath(folderPath, "evening.sqx");
    std::string upperCase = morning.substr(0, morning.size() - 11) + "MORNING.sqx";
    profile().writeInt(wakeupSection, "Number", 3);
    profile().writeString(wakeupSection, "000", upperCase);
    profile().writeString(wakeupSection, "001", morning);
    profile().writeString(wakeupSection, "002", registeredPath(folderPath, "gone.sqx"));

    auto window = createMultiRunWindow();
    // The box shows what the search finds, in its order (sorted under Wine).
    EXPECT_EQ(window->registeredLists(), (std::vector<std::string>{evening, morning}));
    HWND box = window->item(IDC_REGISTERED_LISTS);
    char name[MAX_PATH] = {};
    SendMessageA(box, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, "morning.sqx");
    // Marks are compared as Windows compares names: the two spellings of morning run it once;
    // the mark of a list not found stays stored.
    EXPECT_EQ(window->wakeupListsToRun(), std::vector<std::string>{upperCase});
    EXPECT_EQ(window->wakeupListPaths().size(), 3u);
    char shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA((folderPath + "\\morning.sqx").c_str(), shortName, MAX_PATH), 0u);
    window->selectRegisteredList(shortName);
    EXPECT_EQ(SendMessageA(box, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(IsDlgButtonChecked(window->hwnd(), IDC_RUN_ON_WAKEUP), BST_CHECKED);

    // Without a selected list a click stores nothing, and the box shows so.
    SendMessageA(box, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(window->item(IDC_RUN_ON_WAKEUP), BM_CLICK, 0, 0);
    EXPECT_EQ(IsDlgButtonChecked(window->hwnd(), IDC_RUN_ON_WAKEUP), BST_UNCHECKED);
    EXPECT_EQ(profile().readInt(wakeupSection, "Number", 0), 3);

    // Selecting a list shows its mark; a click marks it, and unmarking removes every spelling.
    SendMessageA(box, LB_SETCURSEL, 0, 0);
    sendCommand(*window, IDC_REGISTERED_LISTS, LBN_SELCHANGE);
    EXPECT_EQ(IsDlgButtonChecked(window->hwnd(), IDC_RUN_ON_WAKEUP), BST_UNCHECKED);
    SendMessageA(window->item(IDC_RUN_ON_WAKEUP), BM_CLICK, 0, 0);
    EXPECT_EQ(profile().readInt(wakeupSection, "Number", 0), 4);
    EXPECT_EQ(profile().readString(wakeupSection, "003", ""), evening);
    window->selectRegisteredList(morning);
    SendMessageA(window->item(IDC_RUN_ON_WAKEUP), BM_CLICK, 0, 0);
    EXPECT_EQ(window->wakeupListPaths(),
              (std::vector<std::string>{registeredPath(folderPath, "gone.sqx"), evening}));
    EXPECT_EQ(profile().readString(wakeupSection, "002", "deleted"), "deleted");
    EXPECT_EQ(IsDlgButtonChecked(window->hwnd(), IDC_RUN_ON_WAKEUP), BST_UNCHECKED);
}

TEST_F(MultiRunWindowTest, AListWhoseNameTheCodePageCannotHoldIsNeverTakenForAnother)
{
    std::string folderPath = testListFolder();
    CreateDirectoryA(folderPath.c_str(), nullptr);
    // "é" has a look-alike in the code page: the ANSI listing would show "cafe.sqx" twice.
    for (const wchar_t* name : {L"cafe.sqx", L"café.sqx"})
        CloseHandle(CreateFileW((widePath(folderPath) + L"\\" + name).c_str(), GENERIC_WRITE, 0,
                                nullptr, CREATE_ALWAYS, 0, nullptr));
    auto window = createMultiRunWindow();
    EXPECT_EQ(window->registeredLists(),
              std::vector<std::string>{registeredPath(folderPath, "cafe.sqx")});
    HWND box = window->item(IDC_REGISTERED_LISTS);
    ASSERT_EQ(SendMessageA(box, LB_GETCOUNT, 0, 0), 2);
    char note[MAX_PATH] = {};
    SendMessageA(box, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(note));
    EXPECT_STREQ(note, "(表示できない名前 1 件)");
    // The note is no list: selected, it marks nothing.
    SendMessageA(box, LB_SETCURSEL, 1, 0);
    SendMessageA(window->item(IDC_RUN_ON_WAKEUP), BM_CLICK, 0, 0);
    EXPECT_TRUE(window->wakeupListPaths().empty());
}

TEST_F(MultiRunWindowTest, DialogKeysWorkWhileAnotherWindowRunsAModalLoop)
{
    // A message box of another window stands for every modal loop of the program: Escape in
    // the window, fetched by that loop, still aborts (hides and empties it).
    auto window = createMultiRunWindow();
    window->appendEntry("C:\\a.exe");
    ShowWindow(window->hwnd(), SW_SHOWNORMAL);
    // Posted in this order, the box's loop fetches the key before the OK that ends it.
    NextDialog escape([&](HWND box) {
        PostMessageA(window->item(IDC_RUN_LIST), WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    MessageBoxA(nullptr, "modal", "modal", MB_OK);
    EXPECT_TRUE(escape.seen());
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));
    EXPECT_TRUE(window->entries().empty());

    // A character typed into the window meanwhile arrives as typed, however the box's loop
    // fetched it.
    window->appendEntry("C:\\a.exe");
    ShowWindow(window->hwnd(), SW_SHOWNORMAL);
    HWND field = window->item(IDC_RUN_PARAM);
    NextDialog typed([&](HWND box) {
        PostMessageW(field, WM_CHAR, 0x3042, 0);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    MessageBoxA(nullptr, "modal", "modal", MB_OK);
    ASSERT_TRUE(typed.seen());
    wchar_t text[8] = {};
    GetWindowTextW(field, text, 8);
    EXPECT_STREQ(text, L"あ");
}

TEST_F(MultiRunWindowTest, WindowHotkeySetDeleteAndEnterInItsField)
{
    const WORD word = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | VK_F11;
    const WORD other = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | VK_F12;
    // Taken at creation: told in two boxes, kept all the same.
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_F11));
    profile().writeInt(section, "HoyKey", word);
    auto window = createMultiRunWindow();
    UnregisterHotKey(nullptr, 1);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, "ホットキーの設定に失敗");
    EXPECT_EQ(boxes.boxes()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.boxes()[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(window->hotkey(), word);
    HWND field = window->item(IDC_RUN_HOTKEY);
    EXPECT_EQ(SendMessageA(field, HKM_GETHOTKEY, 0, 0), word);

    // The other program let the key go: SET on the same key registers it now.
    sendCommand(*window, IDC_RUN_HOTKEY_SET);
    EXPECT_FALSE(RegisterHotKey(nullptr, 3, MOD_CONTROL | MOD_ALT, VK_F11));
    EXPECT_EQ(profile().readInt(section, "HoyKey", -1), word);
    // SET with the key registered already does nothing, writes nothing.
    profile().deleteValue(section, "HoyKey");
    sendCommand(*window, IDC_RUN_HOTKEY_SET);
    EXPECT_EQ(profile().readInt(section, "HoyKey", -1), -1);

    // Enter with the focus in the field sets the key and starts nothing.
    ShowWindow(window->hwnd(), SW_SHOWNORMAL);
    window->appendEntry("C:\\never.exe");
    SendMessageA(field, HKM_SETHOTKEY, other, 0);
    SetFocus(field);
    sendCommand(*window, IDOK);
    EXPECT_EQ(profile().readInt(section, "HoyKey", -1), other);
    EXPECT_EQ(window->hotkey(), other);
    EXPECT_EQ(window->entries().size(), 1u);
    EXPECT_FALSE(RegisterHotKey(nullptr, 2, MOD_CONTROL | MOD_ALT, VK_F12));

    // The key shows the hidden window, whatever its id.
    ShowWindow(window->hwnd(), SW_HIDE);
    SendMessageA(window->hwnd(), WM_HOTKEY, 5, 0);
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));

    sendCommand(*window, IDC_RUN_HOTKEY_DELETE);
    EXPECT_EQ(window->hotkey(), 0);
    EXPECT_EQ(SendMessageA(field, HKM_GETHOTKEY, 0, 0), 0);
    EXPECT_EQ(profile().readInt(section, "HoyKey", -1), -1);
    EXPECT_TRUE(RegisterHotKey(nullptr, 2, MOD_CONTROL | MOD_ALT, VK_F12));
    UnregisterHotKey(nullptr, 2);
}

}  // namespace
