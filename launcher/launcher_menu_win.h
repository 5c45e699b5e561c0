// The launcher menu: one owner-drawn item per entry of the current launcher folder, with its
// display text, path and shell icon kept side by side, in columns that fit the screen; how it
// is measured, drawn, popped up, and how it answers the keyboard.
#pragma once

#include "framework/handles_win.h"
#include "launcher/accessible_items_win.h"
#include "launcher/menu_scale.h"
#include "launcher/type_ahead.h"
#include "settings/launcher_settings.h"
#include "settings/menu_palette.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

// Command ids of the launcher entries; the folder items of the tray popup follow them.
constexpr unsigned launcherFirstId = 0xA000;
constexpr unsigned launcherLastId = 0xAFFF;

// Pops a menu up at the point for the owner: the owner in front, either button chooses, the
// command comes back as WM_COMMAND; the posted WM_NULL lets the menu close when the user clicks
// elsewhere. The alignment says which corner of the menu lies at the point.
void trackMenu(HWND owner, HMENU menu, int x, int y,
               UINT alignment = TPM_LEFTALIGN | TPM_TOPALIGN);

// One item of the launcher menu: what it shows and what it opens.
struct LauncherEntry {
    // The display text and the path in the code page.
    std::string text;
    std::string path;
    // The real display text and path of an entry whose name the code page cannot hold (its
    // text and path then have "?" in them); empty for every other entry.
    std::u16string realText;
    std::u16string realPath;
    // The item's image in the menu's image list, which holds one image per distinct picture
    // (-1: none), and the image drawn over it (a shortcut's, over its target's picture), or -1.
    int image = -1;
    int overlay = -1;
    // The folder the entry's sub-menu lists, when sub-folders cascade (a sub-folder, or the
    // folder a shortcut leads to), and that sub-menu, which the menu holding the item owns;
    // empty and null for an entry that opens.
    std::u16string listedFolder;
    HMENU subMenu = nullptr;
};

class FolderListing;
class LauncherMenuBuilder;

// What a build learned of an entry's picture, kept for the next build of the same folder: an
// entry still as it was (size, write time, attributes) is not asked of the shell again.
struct KnownPicture {
    unsigned long long size = 0;
    unsigned long long written = 0;
    unsigned long attributes = 0;
    // The shell's image index, and that of a shortcut's target (-1: none).
    int index = -1;
    int target = -1;
    // A shortcut's target and its write time then: a program its updater replaced shows its
    // new picture in the shortcut too.
    std::wstring targetPath;
    unsigned long long targetWritten = 0;
};
using KnownPictures = std::map<std::u16string, KnownPicture>;

class LauncherMenu {
public:
    LauncherMenu();
    ~LauncherMenu();
    LauncherMenu(const LauncherMenu&) = delete;
    LauncherMenu& operator=(const LauncherMenu&) = delete;

    // The set in force: what the menu is built, measured and drawn with. It must outlive its
    // use here; the owner gives the new set whenever the one in force changes.
    void useSettings(const LauncherSettings& settings)
    {
        settings_ = &settings;
        measured_.clear();
    }
    // The menu font of the set in force at the DPI the menu is built for, made anew after the
    // set changed.
    void recreateFont();
    HFONT font() const { return menuFont.get(); }

    // Builds the menu anew from the folder's entries, in the folder's order, and the folder item
    // (shown as folderItemText) when the set asks for it, measured for the target monitor: its
    // font, items, icons and columns in that monitor's pixels. The owner measures text; a
    // failure is reported and leaves no menu.
    // With reuse, what the last build of the same folder, set and monitor learned of entries
    // that have not changed since is taken as it is; without, everything is asked anew.
    void build(HWND owner, const std::string& folder, const std::string& folderItemText,
               const MenuTarget& target, bool reuse = false);
    // The monitor the menu was last built for.
    const MenuTarget& builtFor() const { return target_; }

    // Pops the menu up at the point for the owner, which receives the chosen command.
    void popUp(HWND owner, int x, int y, UINT alignment = TPM_LEFTALIGN | TPM_TOPALIGN);
    // The tray command popup is open instead: typed keys and highlights are not the menu's.
    void noteOtherMenuOpen() { menuSelection = -1; }
    // Reads the system's colours, dark mode and high contrast again, for the next drawing.
    void followTheme();
    const SystemTheme& theme() const { return theme_; }

    // Owner-drawn items: false for an item that is not one of the menu's entries.
    bool measure(HWND owner, MEASUREITEMSTRUCT& item) const;
    bool draw(const DRAWITEMSTRUCT& item) const;
    // Whether the menu is the launcher menu or one of its sub-menus, open or not.
    bool isCascadeMenu(HMENU menu) const;
    // WM_INITMENUPOPUP of a sub-menu: it is filled with its folder's entries as they are now;
    // false for a menu that is none of the launcher's.
    bool openSubMenu(HMENU menu);
    // WM_MENUSELECT in the menu: the highlight moved.
    void followHighlight(WPARAM wParam, HMENU menu);
    // WM_MENUCHAR in the menu at the message's time: typed letters move the highlight; the
    // space bar collects the highlighted entry (the answer's collected, an entry index).
    TypeAheadAnswer answerTypedKey(WPARAM wParam, HMENU menu, DWORD time);
    // The same for a character the window received as UTF-16.
    TypeAheadAnswer answerTypedCharacter(char32_t typed, HMENU menu, DWORD time);
    // A sub-menu of many entries shows the pictures of their kinds first when its own would
    // take too long: they come in slices of this length, until none is left (answers whether
    // some still wait).
    bool resolvePendingPictures(DWORD sliceMs);
    bool picturesPending() const;
    // How long opening a sub-menu waits for its folder's listing, and asks for pictures.
    static constexpr DWORD listingWaitMs = 400;
    static constexpr DWORD pictureBudgetMs = 150;

    // The folder an entry of a sub-menu is listed in (its working folder); empty for an entry
    // of the launcher menu itself.
    std::string folderOf(unsigned id) const;

    // The path of a launcher command's entry; empty for an id that names none.
    std::string pathOf(unsigned id) const;
    // The real path of an entry whose name the code page cannot hold (its pathOf then has "?"
    // in it); empty for every other entry.
    std::wstring realPathOf(unsigned id) const;

    HMENU handle() const { return launcherMenu.get(); }
    // The entries in item order: entry i is the item of command id 0xA000 + i.
    const std::vector<LauncherEntry>& entries() const { return entries_; }
    std::vector<std::string> itemTexts() const;
    std::vector<std::string> itemPaths() const;
    std::vector<std::u16string> itemRealTexts() const;
    std::vector<std::u16string> itemRealPaths() const;
    HIMAGELIST images() const { return launcherImageList.get(); }
    int rows() const { return rowsPerColumn; }
    int highlighted() const { return menuSelection; }
    // How many entries of the last build took their picture from the build before.
    std::size_t reusedPictures() const { return reusedPictures_; }

private:
    // The entries one menu of the cascade shows: [first, end).
    struct Span {
        std::size_t first = 0;
        std::size_t end = 0;
    };
    // An open sub-menu, in the order of the chain from the launcher menu down.
    struct Level {
        HMENU menu = nullptr;
        std::size_t first = 0;
        std::size_t end = 0;
        int highlighted = 0;
        std::string folder;
    };
    // 0 for the launcher menu, 1 and on for the open sub-menus, -1 for another menu.
    int levelOf(HMENU menu) const;
    Span spanOf(int level) const;
    int& highlightOf(int level);
    std::vector<std::u32string> typingTextsOf(Span span) const;

    // The entry an owner-drawn item stands for, or nullptr.
    const LauncherEntry* entryOfItem(UINT type, ULONG_PTR data) const;
    // The extent of the entry's shown text in the menu font.
    SIZE textExtentOf(std::size_t index) const;
    // Draws the image, and the overlay over it (-1: none), at the place on an item of that
    // background.
    void drawPicture(HDC dc, POINT at, int image, int overlay, UINT style, COLORREF background,
                     const RECT& item) const;
    // The set's lengths in the pixels of the monitor the menu is built for.
    MenuLengths lengths() const { return menuLengthsFor(*settings_, target_.dpi); }
    MenuPalette palette() const;
    // Gives the menu, or the launcher menu and all its sub-menus, the items' background.
    void paintBackground(HMENU menu = nullptr);

    const LauncherSettings* settings_ = nullptr;
    MenuTarget target_;
    FontHandle menuFont;
    // The menus' background: it outlives them.
    BrushHandle backgroundBrush_;
    COLORREF backgroundColour_ = 0;
    SystemTheme theme_;
    MenuHandle launcherMenu;
    std::vector<LauncherEntry> entries_;
    // The data of the items, which the menus point to: kept as long as the entries.
    AccessibleItems items_;
    ImageListHandle launcherImageList;
    int rowsPerColumn = 1;
    int menuSelection = 0;
    // Where the launcher menu's own entries end and the open sub-menus' begin.
    std::size_t rootEnd_ = 0;
    std::string folderItemText_;
    // What the last build learned, and of which folder and set.
    KnownPictures known_;
    std::string knownFolder_;
    const LauncherSettings* knownSettings_ = nullptr;
    int knownEdge_ = 0;
    std::size_t reusedPictures_ = 0;
    std::vector<Level> levels_;
    // Kept after a build for the sub-menus, so they share its pictures.
    std::unique_ptr<LauncherMenuBuilder> builder_;
    // Listings of the open popup still under way, by folder.
    std::map<std::u16string, std::unique_ptr<FolderListing>> listings_;
    TypedPrefix typed_;
    // The system measures every item again at each popup, and an item is drawn at the height
    // of its text: each entry's text is measured once, by entry index, and forgotten with the
    // entries, the font and the set. The cut of the text is kept with it, since a set can be
    // changed in place.
    struct MeasuredText {
        bool known = false;
        std::int32_t stringsNumber = 0;
        SIZE extent{};
    };
    mutable std::vector<MeasuredText> measured_;
    // A device context of its own with the menu font in it, kept while the font lives: one per
    // item costs more than the measuring.
    mutable MemoryDC measuringDc_;
    // The image list composes its masks and blends through bitmaps of its own at every draw,
    // which costs more than all the rest of an item: each picture is composed once per popup
    // on each background it is drawn on, and copied from there. By image, overlay, style and
    // background.
    using Composition = std::tuple<int, int, UINT, COLORREF>;
    mutable std::map<Composition, BitmapHandle> composed_;
    mutable MemoryDC composingDc_;
};
