// The multiple-execution window: a modeless dialog owned by the main window, created hidden at
// start-up and kept until the program ends. Its run list is held in runEntries; the entry list
// control shows it. Its operations live beside their subject:
//   multirun/multirun_window_win.cpp      creation, initialisation, messages, panel, options
//   multirun/multirun_entries_win.cpp     the entry list: drops, parameters, the arrow buttons
//   multirun/multirun_run_win.cpp         the run and the abort
//   multirun/multirun_files_win.cpp       list files and the Open and Save commands
//   multirun/multirun_registered_win.cpp  registered lists, wake-up lists, the window's hot key
#pragma once

#include "dialogs/hotkeys_win.h"
#include "framework/dialog_win.h"
#include "framework/handles_win.h"
#include "multirun/run_list_editing.h"
#include "multirun/wakeup_lists.h"
#include "settings/launcher_settings.h"

#include <shellapi.h>

#include <string>
#include <vector>

class ProfileStore;

class MultiRunWindow final : public Dialog {
public:
    explicit MultiRunWindow(ProfileStore& profile);

    // While a run waits for its programs, the handles of that set keep their turn too (the
    // launcher's folder watch, say).
    void keepServingDuringRuns(WaitSet& waits) { servedDuringRuns_ = &waits; }

    // Creates the window, hidden, owned by the given window.
    bool create(HWND owner);

    // Runs, once, the registered lists marked to run at every start.
    void runWakeupLists();

    // The launcher menu's space bar: shows the window without activating it and appends an
    // entry for the path, without parameters.
    void showWithoutActivating();
    // realPath is the real form of a path the code page cannot hold.
    bool appendEntry(const std::string& path, const std::u16string& realPath = {});

    // The entries as the list shows them.
    std::vector<RunEntry> entries() const { return runEntries; }

    // ---- the run ----
    // Starts every entry through the shell, one after another; with "整列実行" each waits for
    // the one before to end. The run works on a copy of the list taken at its start.
    void runList();
    // Hides the window, empties the list and makes a running run end.
    void abortRun();
    // The program ends: a running run starts nothing more and returns at once, and no run
    // starts after it.
    void endRunForExit();
    bool isRunning() const { return running; }

    // ---- list files ----
    // Refuses, with a message naming the entry, a list the file's code page cannot hold.
    bool saveListFile(const std::string& path);
    bool loadListFile(const std::string& path);
    void showListName(const std::string& name);
    const std::string& listName() const { return currentListName; }

    // ---- registered lists, wake-up lists, the hot key ----
    void refreshRegisteredLists();
    void selectRegisteredList(const std::string& path);
    const std::vector<std::string>& registeredLists() const { return registeredPaths; }
    const std::vector<std::string>& wakeupListPaths() const { return wakeupLists.paths(); }
    std::vector<std::string> wakeupListsToRun() const { return wakeupLists.toRun(registeredPaths); }
    const std::string& listFolderPath() const { return listFolder; }
    void setMultiRunHotkey();
    void deleteMultiRunHotkey();
    HotkeyWord hotkey() const { return multiRunHotkey; }

    // ---- the window ----
    void toggleOptionPanel();
    bool optionPanelIsShown() const { return optionPanelShown; }
    void updateListExtent();
    void addDroppedFiles(HDROP drop);
    bool keepsWindowAfterRun() const { return keepWindowAfterRun; }
    bool keepsListAfterRun() const { return keepListAfterRun; }

    // Accelerators first, then the dialog keyboard.
    bool preTranslateMessage(MSG& message) override;

protected:
    MessageMap messageMap() const override;
    MessageResult windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL onInitDialog() override;
    void onOK() override;
    void onCancel() override;
    void exchangeData(DataExchange& exchange) override;
    void onDpiChanged(UINT dpi) override;

private:
    // Handlers of the message map.
    void onEntrySelected();
    void onParametersEdited();
    void moveSelectedUp();
    void moveSelectedDown();
    void removeSelected();
    void onOrderedRunClicked();
    void toggleKeepList();
    void toggleKeepWindow();
    void openListCommand();
    void saveListCommand();
    // Tells the first entry the list file cannot hold, if any: true when the list is refused.
    bool refuseListWithRealNames();
    void onRunOnWakeupClicked();
    // "Run on wakeup." shows whether the selected registered list is marked.
    void showWakeupMark();
    int selectedRegisteredList() const;

    // Initialisation steps.
    void loadWindowIcons();
    void readOptions();
    void registerStoredHotkey();
    void adjustSystemMenu();
    void makeListFolder();
    void measurePanelSizes();

    // The entry list control, kept in step with runEntries.
    int selectedEntry() const;
    void selectListLine(int index);
    bool insertEntryItem(int index, const RunEntry& entry);
    void showEntries(int selection);
    void clearEntries();
    bool addEntry(const RunEntry& entry);
    // Shows paramText in its field without taking the change for an edit of the entry.
    void showParameters();
    bool orderedRunChecked() const;

    // The run's pieces.
    void setRunControlsEnabled(bool enabled);
    // Handles at most one waiting message; false when the run must stop.
    bool takeOneMessage();
    bool runMustStop() const;
    bool startEntry(const RunEntry& entry, bool ordered);
    bool waitForProcess(HANDLE process);
    void endRun();

    bool isMenuItemChecked(UINT id) const;
    void setMenuCheck(UINT id, bool checked);
    // The common file dialog of Open (false) and Save (true); the chosen path, "" when none.
    std::string askListFile(bool save);

    bool keepWindowAfterRun = false;
    bool keepListAfterRun = false;
    std::string listFolder;
    int fullWidth = 0;
    int fullHeight = 0;
    int narrowWidth = 0;
    int narrowHeight = 0;
    // The DPI the sizes above were measured at.
    UINT panelDpi = 96;
    bool optionPanelShown = false;
    HACCEL acceleratorTable = nullptr;  // a resource of the module, freed with it
    std::string currentListName;
    std::vector<std::string> registeredPaths;
    WakeupLists wakeupLists;
    HotkeyWord multiRunHotkey = 0;
    HotkeyRegistrations hotkeys;
    RunList runEntries;
    std::string paramText;
    bool abortRequested = false;
    bool exitRequested = false;
    bool running = false;
    bool showingParameters = false;
    IconHandle bigIcon;
    IconHandle smallIcon;
    ProfileStore& profile_;
    WaitSet* servedDuringRuns_ = nullptr;
};
