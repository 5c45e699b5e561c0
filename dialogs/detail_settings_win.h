// "詳細設定": the modal dialog that edits one settings set, the standard one or a folder's, on a
// working copy that the opener takes over only after OK.
#pragma once

#include "dialogs/detail_settings.h"
#include "framework/dialog_win.h"
#include "framework/handles_win.h"

#include <string>

class HotkeyRegistrations;

class DetailSettingsDialog final : public Dialog {
public:
    DetailSettingsDialog();

    // Inputs of the opener.
    bool isFolderSpecific = false;
    std::string folderName;
    // Where a folder's key is registered, under the folder's list index.
    HotkeyRegistrations* hotkeys = nullptr;
    int hotkeyId = 0;

    // The working copy: filled by the opener, handed back after OK.
    DetailValues values;

protected:
    MessageMap messageMap() const override;
    BOOL onInitDialog() override;
    void onOK() override;
    void exchangeData(DataExchange& exchange) override;
    // The sample's font is the set's, made for the window's DPI.
    void onDpiChanged(UINT) override { replaceSampleFont(); }

private:
    void onDisplayModeChosen();
    void onLargeIcons();
    void onSmallIcons();
    void resetWidth();
    void clearHotkey();
    void chooseFont();
    void resetFont();
    void chooseBackground();
    MessageResult followRatioTrack(WPARAM wParam, LPARAM lParam);
    MessageResult colourFontSample(WPARAM wParam, LPARAM lParam);

    void updateEnabledStates();
    void showRatio();
    void setMarginLimit(int upper);
    // Makes the sample font from values.Font and gives it to the sample text.
    bool replaceSampleFont();

    FontHandle sampleFont;
};
