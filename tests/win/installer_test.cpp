// The installer's file work against the real file system: the prepared folder and its access
// list, files replaced through staged copies, and folder names the code page cannot hold.
#include "installer/install_files_win.h"
#include "installer/install_folder_win.h"
#include "installer/shell_folders_win.h"
#include "tests/win/support/win_test_support.h"

#include <gtest/gtest.h>
#include <sddl.h>

namespace {

// A descriptor's access list: whether it is protected from inheritance, and its entries'
// trustees in text form.
void accessListOf(const std::string& sddl, bool& isProtected, std::vector<std::string>& sids)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1,
                                                                     &descriptor, nullptr));
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    isProtected = (control & SE_DACL_PROTECTED) != 0;
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL list = nullptr;
    GetSecurityDescriptorDacl(descriptor, &present, &list, &defaulted);
    for (DWORD i = 0; list && i < list->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* entry = nullptr;
        if (!GetAce(list, i, reinterpret_cast<void**>(&entry)))
            continue;
        EXPECT_EQ(entry->Mask, static_cast<DWORD>(FILE_ALL_ACCESS));
        EXPECT_EQ(entry->Header.AceFlags, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
        char* text = nullptr;
        if (ConvertSidToStringSidA(&entry->SidStart, &text)) {
            sids.push_back(text);
            LocalFree(text);
        }
    }
    LocalFree(descriptor);
}

TEST(InstallFolder, MadeOutsideTheProfileOnlyTheUserAdministratorsAndSystemMayWrite)
{
    std::string root = "C:\\qinst-" + std::to_string(GetCurrentProcessId());
    std::string folder = root + "\\ソフト\\Quintarel";
    std::vector<std::string> made;
    ASSERT_EQ(prepareInstallFolder(folder, made), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(made, (std::vector<std::string>{root, root + "\\ソフト", folder}));
    // The probe went with its handle.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);

    removeMadeFolders(made);
    EXPECT_FALSE(directoryExists(root));

    // Wine keeps no access list of its own on a folder it makes: what the folder is made with
    // is checked instead.
    bool isProtected = false;
    std::vector<std::string> sids;
    accessListOf(madeFolderSecurity(folder), isProtected, sids);
    EXPECT_TRUE(isProtected);
    ASSERT_EQ(sids.size(), 3u);
    EXPECT_EQ(sids[0].rfind("S-1-5-", 0), 0u);
    EXPECT_EQ(std::vector<std::string>(sids.begin() + 1, sids.end()),
              (std::vector<std::string>{"S-1-5-32-544", "S-1-5-18"}));
    EXPECT_EQ(madeFolderSecurity("\\\\server\\share\\q"), madeFolderSecurity(folder));
}

TEST(InstallFolder, InsideTheProfileInheritsAndAFileInTheWayIsRefused)
{
    TempFolder temp("qinst");
    std::vector<std::string> made;
    ASSERT_EQ(prepareInstallFolder(temp.file("q"), made), static_cast<DWORD>(ERROR_SUCCESS));
    // The temporary folder lies in the profile.
    EXPECT_EQ(madeFolderSecurity(temp.file("q")), "");

    std::string file = temp.write("ReadMe.txt");
    EXPECT_EQ(prepareInstallFolder(file + "\\Quintarel", made),
              static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_EQ(prepareInstallFolder(file, made), static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_TRUE(made.empty());
}

TEST(InstallFiles, StagedCopiesReplaceReadOnlyFilesAndLeaveTheOldOnFailure)
{
    TempFolder temp("qinst");
    std::string source = temp.write("new.exe", "new");
    std::string destination = temp.write("Quintarel.exe", "old");
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_READONLY);
    std::string staged;
    ASSERT_EQ(stageCopy(source, destination, staged), static_cast<DWORD>(ERROR_SUCCESS));
    // The source's read-only attribute is not carried over to block the next update. (Wine
    // renames onto a read-only file anyway; Windows refuses.)
    EXPECT_EQ(GetFileAttributesA(staged.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(readFile(destination), "old");
    ASSERT_EQ(putInPlace(staged, destination), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(readFile(destination), "new");
    EXPECT_EQ(GetFileAttributesA(destination.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_NE(replaceFile(temp.file("missing.exe"), destination),
              static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(readFile(destination), "new");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(temp.file("*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a staged copy was left behind";
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);

    // The same file by another spelling is no copy at all.
    staged = "x";
    std::string other = temp.path() + "/QUINTAREL.EXE";
    EXPECT_TRUE(sameFile(destination, other));
    EXPECT_FALSE(sameFile(destination, source));
    ASSERT_EQ(stageCopy(destination, other, staged), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(staged, "");
    EXPECT_EQ(readFile(destination), "new");
}

TEST(ShellFolders, AFolderNameOutsideTheCodePageIsNeverTakenForALookAlike)
{
    TempFolder temp("qinst");
    std::wstring user = widePath(temp.path()) + L"\\Jos\u00e9";
    ASSERT_TRUE(CreateDirectoryW(user.c_str(), nullptr));
    std::string path;
    if (ansiFolderPath(user + L"\\Programs", path)) {
        // Its short form, which opens the same folder.
        EXPECT_EQ(path.find("Jose"), std::string::npos) << path;
        std::string parent = path.substr(0, path.rfind('\\'));
        EXPECT_TRUE(directoryExists(parent)) << path;
        EXPECT_EQ(path.substr(path.rfind('\\')), "\\Programs");
    }
    std::string exact;
    ASSERT_TRUE(ansiFolderPath(widePath(temp.path()), exact));
    EXPECT_EQ(exact, temp.path());
}

}  // namespace
