// Helpers of the multiple-execution window's tests: the window made the way start-up makes it,
// its controls worked as a user would, and the list folder beside the test program kept clean.
#pragma once

#include "multirun/multirun_window_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Each test starts from an empty profile and list folder, with COM up for shortcut files.
class MultiRunTestBase : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;
};

// The window, created hidden as start-up creates it.
std::unique_ptr<MultiRunWindow> createMultiRunWindow();

// The list folder the window uses: "seq" beside the test program. Its .sqx files are removed.
std::string testListFolder();
void clearListFolder();

// Selects an entry as a click in the list does (the selection and its notification).
void clickEntry(MultiRunWindow& window, int index);
int selectedIndex(MultiRunWindow& window);

// Sends a command of a button or menu item.
void sendCommand(MultiRunWindow& window, int id, int code = BN_CLICKED);

// Drops the paths onto the window as the shell does.
void dropFiles(MultiRunWindow& window, const std::vector<std::string>& paths);

// Types the text into the parameter field (the field's own notification follows).
void typeParameters(MultiRunWindow& window, const std::string& text);

std::string controlText(HWND control);
