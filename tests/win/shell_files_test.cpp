// Real shortcut files and directories, with Shift-JIS names.
#include "app/launcher_app_win.h"
#include "common/directory_win.h"
#include "common/path_text.h"
#include "common/shortcut_win.h"
#include "common/wide_text_win.h"
#include "tests/win/support/win_test_support.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace {

class ShellFilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }
    static void TearDownTestSuite() { CoUninitialize(); }
    TempFolder folder{"ソフト"};
};

std::string workingDirectoryOf(const std::string& shortcut)
{
    IShellLinkA* link = nullptr;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                     reinterpret_cast<void**>(&link));
    IPersistFile* file = nullptr;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, wide, MAX_PATH);
    char directory[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(wide, STGM_READ)))
        link->GetWorkingDirectory(directory, MAX_PATH);
    file->Release();
    link->Release();
    return directory;
}

std::string shortForm(const std::string& path)
{
    char buffer[MAX_PATH] = {};
    GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return buffer;
}

TEST_F(ShellFilesTest, ShortcutIsWrittenReplacedAndReadBack)
{
    std::string data = folder.file("Data");
    CreateDirectoryA(data.c_str(), nullptr);
    std::string target = data + "\\memo.txt";
    folder.write("Data\\memo.txt");
    std::string shortcut = folder.file("メモ.lnk");

    ASSERT_TRUE(createShortcut(target, shortcut, ""));
    EXPECT_TRUE(fileExists(shortcut));
    EXPECT_EQ(workingDirectoryOf(shortcut), data);

    std::string read, arguments = "stale";
    ASSERT_TRUE(readShortcut(shortcut, read, &arguments));
    // Wine answers the long form where Windows gives the short one: compare the files named.
    EXPECT_EQ(shortForm(read), shortForm(target));
    EXPECT_EQ(arguments, "");

    // A second write replaces the file, arguments and all.
    std::string other = folder.write("other.exe");
    ASSERT_TRUE(createShortcut(other, shortcut, "-a -b"));
    ASSERT_TRUE(readShortcut(shortcut, read, &arguments));
    EXPECT_EQ(shortForm(read), shortForm(other));
    EXPECT_EQ(arguments, "-a -b");
    EXPECT_EQ(workingDirectoryOf(shortcut), folder.path());
}

TEST_F(ShellFilesTest, ARealNameGetsAShortcutOfItsNameToItsRealPath)
{
    const std::wstring base = widePath(folder.path()) + L"\\한국어";
    const std::wstring text = base + L".txt", sheet = base + L".csv", link = base + L".lnk",
                       secondLink = base + L" (2).lnk";
    for (const std::wstring& path : {text, sheet})
        CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));

    std::wstring shortcut = shortcutPathForRealTarget(folder.path(), fromWide(text.c_str()));
    EXPECT_EQ(shortcut, link);
    ASSERT_TRUE(createShortcutWide(text, shortcut));
    EXPECT_EQ(shortcutTargetWide(shortcut), text);
    // The same target again replaces its shortcut; another of the same name gets a number.
    EXPECT_EQ(shortcutPathForRealTarget(folder.path(), fromWide(text.c_str())), link);
    EXPECT_EQ(shortcutPathForRealTarget(folder.path(), fromWide(sheet.c_str())), secondLink);
}

TEST_F(ShellFilesTest, ReadShortcutNamesTheTargetBelowLongDirectories)
{
    std::string program = folder.file("Program Files");
    CreateDirectoryA(program.c_str(), nullptr);
    CreateDirectoryA((program + "\\Long Folder Name").c_str(), nullptr);
    std::string target = folder.write("Program Files\\Long Folder Name\\tool.exe");
    std::string shortcut = folder.file("tool.lnk");
    ASSERT_TRUE(createShortcut(target, shortcut, ""));
    std::string read;
    ASSERT_TRUE(readShortcut(shortcut, read));
    EXPECT_EQ(shortForm(read), shortForm(target));
}

TEST_F(ShellFilesTest, MissingOrBrokenShortcutsFail)
{
    std::string read;
    EXPECT_FALSE(readShortcut(folder.file("none.lnk"), read));
    std::string garbage = folder.write("garbage.lnk", "not a shortcut at all");
    EXPECT_FALSE(readShortcut(garbage, read));
    // A shortcut path beyond the buffer is refused, not written past it.
    EXPECT_FALSE(createShortcut(folder.file("x"), folder.file(std::string(300, 'l') + ".lnk"),
                                ""));
}

TEST_F(ShellFilesTest, CreateDirectoryPathMakesEveryMissingAncestor)
{
    std::string path = folder.path() + "\\a\\b\\c";
    ASSERT_TRUE(createDirectoryPath(path));
    EXPECT_TRUE(directoryExists(folder.path() + "\\a\\b"));
    EXPECT_TRUE(directoryExists(folder.path() + "\\a\\b\\c"));
    EXPECT_TRUE(createDirectoryPath(path));  // already there

    std::string mixed = folder.path() + "/m\\n";
    ASSERT_TRUE(createDirectoryPath(mixed));
    EXPECT_EQ(mixed, folder.path() + "\\m\\n");
    EXPECT_TRUE(directoryExists(folder.path() + "\\m\\n"));
}

TEST_F(ShellFilesTest, DirectoryNamesWithSoAreCreatedWhole)
{
    // ソ ends in 0x5C: a scan that took it for a separator would create a folder named after
    // its lead byte.
    std::string path = folder.path() + "\\ソ\\ソフト";
    ASSERT_TRUE(createDirectoryPath(path));
    EXPECT_TRUE(directoryExists(folder.path() + "\\ソ\\ソフト"));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder.path() + "\\*").c_str(), &found);
    int entries = 0;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") {
            ++entries;
            EXPECT_EQ(name, "ソ");
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(entries, 1);
}

TEST_F(ShellFilesTest, CreateDirectoryPathReportsFailure)
{
    std::string file = folder.write("plain");
    std::string below = file + "\\sub";
    EXPECT_FALSE(createDirectoryPath(below));
}

}  // namespace
