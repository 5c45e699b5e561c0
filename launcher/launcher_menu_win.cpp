#include "launcher/launcher_menu_win.h"

#include "common/dbcs.h"
#include "common/path_text.h"
#include "common/shortcut_win.h"
#include "common/wide_text_win.h"
#include "framework/message_box_win.h"
#include "framework/system_error_win.h"
#include "launcher/accessible_items_win.h"
#include "launcher/folder_listing_win.h"
#include "launcher/icon_rules.h"
#include "launcher/item_colours.h"
#include "launcher/item_geometry.h"
#include "launcher/menu_layout.h"
#include "launcher/shell_icon_win.h"
#include "launcher/wide_entry_text.h"
#include "settings/display_scale.h"
#include "settings/system_look_win.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <type_traits>

namespace {

// The file's last write time, 0 for none or no file.
unsigned long long writtenAt(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

// Whether the shortcut leads to a folder, as its target is now.
bool shortcutLeadsToFolder(const std::u16string& path)
{
    std::wstring target = shortcutTargetWide(wideChars(path));
    DWORD attributes = target.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(target.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The text an item shows, in the code page or, for a real name, in UTF-16.
struct ShownText {
    std::string ansi;
    std::u16string real;
};

ShownText shownTextOf(const std::string& text, const std::u16string& realText,
                      std::int32_t stringsNumber)
{
    if (realText.empty())
        return {shownItemText(text, stringsNumber), {}};
    return {{}, shownWideItemText(realText, stringsNumber)};
}

// What a screen reader reads for an item: what the item shows.
std::wstring accessibleNameOf(const ShownText& shown)
{
    return wideChars(shown.real.empty() ? widened(shown.ansi) : shown.real);
}

}  // namespace

// Appends items to a menu under construction, keeping the menu and the entries aligned: entry i
// belongs to command id 0xA000 + i, whichever menu of the cascade shows it. Entries that show the
// same picture share one image, in the launcher menu and in every sub-menu built after it.
class LauncherMenuBuilder {
public:
    LauncherMenuBuilder(HMENU menu, HIMAGELIST images, std::vector<LauncherEntry>& entries,
                        AccessibleItems& items, std::int32_t shownChars, int rowsPerColumn,
                        ShellImageSource source)
        : menu_(menu), images_(images), entries_(entries), items_(items), shownChars_(shownChars),
          rowsPerColumn_(rowsPerColumn), source_(source)
    {
    }

    std::size_t size() const { return entries_.size(); }
    // What an earlier build learned, to take for entries that have not changed (null: ask all),
    // and where this build keeps what it learns (null: nowhere).
    void knowPictures(const KnownPictures* earlier, KnownPictures* learned)
    {
        earlier_ = earlier;
        learned_ = learned;
    }
    std::size_t reused() const { return reused_; }
    // From now on items go to this menu, its first item being the next entry.
    void startMenu(HMENU menu)
    {
        menu_ = menu;
        firstOfMenu_ = entries_.size();
    }

    // The name and kind are what the folder listing said; they decide whether the picture can
    // be asked for by type. realText and realPath are given for an entry whose name the code
    // page cannot hold. An entry with a folder to list is an item with a sub-menu, built when
    // it opens.
    void append(std::string text, std::string path, const std::string& name, EntryKind kind,
                std::u16string realText = {}, std::u16string realPath = {},
                std::u16string listedFolder = {}, const ListedEntry* listed = nullptr)
    {
        std::size_t index = entries_.size();
        UINT id = launcherFirstId + static_cast<UINT>(index);
        MENUITEMINFOA item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
        item.fType = MFT_OWNERDRAW |
                     (startsColumn(index - firstOfMenu_, rowsPerColumn_) ? MFT_MENUBARBREAK : 0);
        item.wID = id;
        item.dwItemData =
            items_.add(index, accessibleNameOf(shownTextOf(text, realText, shownChars_)));
        MenuHandle subMenu;
        if (!listedFolder.empty()) {
            subMenu.reset(CreatePopupMenu());
            item.fMask |= MIIM_SUBMENU;
            item.hSubMenu = subMenu.get();
        }
        // An entry the menu refuses is left out of the entries as well: one item missing from
        // the menu alone would open its neighbour's file for every later item.
        if (!InsertMenuItemA(menu_, GetMenuItemCount(menu_), TRUE, &item))
            return;
        ItemPicture picture;
        if (!inTime()) {
            // Out of time for this menu: the picture of the entry's kind now, its own later.
            picture = genericPictureFor(name, kind);
            pending_.push_back({index, path, realPath, name, kind, menu_,
                                GetMenuItemCount(menu_) - 1, checkFolderLater_});
        } else {
            picture = pictureFor(path, realPath, name, kind, listed);
        }
        checkFolderLater_ = false;
        entries_.push_back({std::move(text), std::move(path), std::move(realText),
                            std::move(realPath), picture.image, picture.overlay,
                            std::move(listedFolder), subMenu.release()});
    }

    // Entries appended from now until then get their own pictures; later ones the picture of
    // their kind, theirs coming with resolvePending. 0: no limit.
    void setPictureDeadline(DWORD deadline) { deadline_ = deadline; }
    bool inTime() const { return !deadline_ || static_cast<LONG>(GetTickCount() - deadline_) < 0; }
    // The next entry, a shortcut appended out of time, may yet lead to a folder: it is looked
    // at with the pictures that come later.
    void checkFolderLater(bool later) { checkFolderLater_ = later; }
    bool hasPending() const { return !pending_.empty(); }
    // Gives waiting entries their own pictures until the time; true while some still wait.
    bool resolvePending(DWORD until)
    {
        while (!pending_.empty() && static_cast<LONG>(GetTickCount() - until) < 0) {
            PendingPicture waiting = std::move(pending_.front());
            pending_.erase(pending_.begin());
            // An entry whose menu was filled anew since is another entry now, or gone.
            if (waiting.index >= entries_.size() || entries_[waiting.index].path != waiting.path)
                continue;
            ItemPicture picture =
                pictureFor(waiting.path, waiting.realPath, waiting.name, waiting.kind);
            LauncherEntry& entry = entries_[waiting.index];
            entry.image = picture.image;
            entry.overlay = picture.overlay;
            std::u16string link = waiting.realPath.empty() ? widened(waiting.path)
                                                          : waiting.realPath;
            if (waiting.checkFolder && shortcutLeadsToFolder(link)) {
                MenuHandle subMenu(CreatePopupMenu());
                MENUITEMINFOA item{};
                item.cbSize = sizeof(item);
                item.fMask = MIIM_SUBMENU;
                item.hSubMenu = subMenu.get();
                if (SetMenuItemInfoA(waiting.menu, static_cast<UINT>(waiting.position), TRUE,
                                     &item)) {
                    entry.listedFolder = link;
                    entry.subMenu = subMenu.release();
                }
            }
        }
        return !pending_.empty();
    }

    // A line that says something of the menu and opens nothing.
    void appendNote(const std::string& text)
    {
        AppendMenuA(menu_, MF_STRING | MF_GRAYED |
                               (startsColumn(GetMenuItemCount(menu_), rowsPerColumn_)
                                    ? MF_MENUBARBREAK
                                    : 0),
                    0, text.c_str());
    }

private:
    bool askByType(const std::string& name, const EntryKind& kind)
    {
        if (iconDependsOnFile(name, kind))
            return false;
        if (kind.folder)
            return true;
        std::string extension = lowerExtension(name);
        auto known = typeDrawsEachFile_.find(extension);
        if (known == typeDrawsEachFile_.end())
            known = typeDrawsEachFile_.emplace(extension, typeDrawsEachFile(extension)).first;
        return !known->second;
    }

    // The image an item shows, and the one drawn over it (-1 for none).
    struct ItemPicture {
        int image = -1;
        int overlay = -1;
    };

    struct PendingPicture {
        std::size_t index;
        std::string path;
        std::u16string realPath;
        std::string name;
        EntryKind kind;
        // Where its item is, for a shortcut that may turn out to lead to a folder.
        HMENU menu;
        int position;
        bool checkFolder;
    };

    // The shell's picture of every entry of this kind, which costs no look at the file.
    ItemPicture genericPictureFor(const std::string& name, const EntryKind& kind)
    {
        std::string type = kind.folder ? std::string("\\") : lowerExtension(name);
        auto seen = genericOf_.find(type);
        if (seen != genericOf_.end())
            return seen->second;
        ItemPicture shown = askGenericPicture(name, kind);
        genericOf_.emplace(type, shown);
        return shown;
    }

    ItemPicture askGenericPicture(const std::string& name, const EntryKind& kind)
    {
        SHFILEINFOA info{};
        auto system = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
            name.c_str(), kind.folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info,
            sizeof(info), SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | source_.sizeFlag));
        if (!system)
            return {fallbackImage()};
        int image = imageAt(source_.list ? source_.list : system, info.iIcon);
        return {image >= 0 ? image : fallbackImage()};
    }

    ItemPicture pictureFor(const std::string& path, const std::u16string& realPath,
                           const std::string& name, const EntryKind& kind,
                           const ListedEntry* listed = nullptr)
    {
        // A path the shell's own buffers cannot hold is not handed to it.
        if (path.size() > maxPathChars || realPath.size() >= MAX_PATH)
            return {fallbackImage()};
        KnownPicture now;
        std::u16string key;
        if (listed && learned_ && source_.list) {
            key = realPath.empty() ? widened(path) : realPath;
            now.size = listed->size;
            now.written = (static_cast<unsigned long long>(listed->written.dwHighDateTime) << 32) |
                          listed->written.dwLowDateTime;
            now.attributes = listed->attributes;
            auto earlier = earlier_ ? earlier_->find(key) : KnownPictures::const_iterator();
            if (earlier_ && earlier != earlier_->end() && earlier->second.size == now.size &&
                earlier->second.written == now.written &&
                earlier->second.attributes == now.attributes &&
                writtenAt(earlier->second.targetPath) == earlier->second.targetWritten) {
                (*learned_)[key] = earlier->second;
                ++reused_;
                return pictureOfIndex(path, realPath, name, kind, earlier->second.index,
                                      earlier->second.target, source_.list);
            }
        }
        // A shortcut shows its target's picture with the shortcut overlay: the shell's whole
        // icon of it, once per picture. Where it names no icon of its own, its target's picture
        // is drawn first and the shell's icon over it: on Windows the second covers the first
        // wherever that shows, so the item looks as the shell's icon alone; Wine gives every
        // such shortcut one index and loses the target's picture where it lays the arrow on.
        bool link = !kind.folder && isShellLinkName(name);
        const std::u16string linkPath =
            !link ? std::u16string() : realPath.empty() ? widened(path) : realPath;
        int target = link ? shortcutTargetPicture(wideChars(linkPath), source_.sizeFlag,
                                                  &now.targetPath)
                          : -1;
        int index = target;
        HIMAGELIST pictures = source_.list;
        // The system's index first: a picture seen before in this build costs no icon. A
        // shortcut whose target's is known needs none of its own.
        if (target < 0 || !pictures) {
            int own = 0;
            HIMAGELIST system = systemIndexOf(path, realPath, name, kind, own);
            if (!system)
                return {fallbackImage()};
            pictures = pictures ? pictures : system;
            index = target < 0 ? own : target;
        }
        if (!key.empty() && pictures == source_.list) {
            now.index = index;
            now.target = target;
            now.targetWritten = writtenAt(now.targetPath);
            (*learned_)[key] = now;
        }
        return pictureOfIndex(path, realPath, name, kind, index, target, pictures);
    }

    // The image of the shell's picture at the index (a shortcut's over it when it has one), added
    // once per build.
    ItemPicture pictureOfIndex(const std::string& path, const std::u16string& realPath,
                               const std::string& name, const EntryKind& kind, int index,
                               int target, HIMAGELIST pictures)
    {
        bool link = !kind.folder && isShellLinkName(name);
        Picture picture{index, !link ? 0 : target >= 0 ? 2 : 1};
        auto seen = pictureOf_.find(picture);
        if (seen != pictureOf_.end())
            return seen->second;
        const std::u16string linkPath =
            !link ? std::u16string() : realPath.empty() ? widened(path) : realPath;
        ItemPicture shown = link ? shortcutPicture(linkPath, target, pictures)
                                 : ItemPicture{imageAt(pictures, index)};
        if (shown.image < 0)
            return {fallbackImage()};
        pictureOf_.emplace(picture, shown);
        return shown;
    }

    // The shell's icon of the shortcut and, when target is an index, that picture under it.
    ItemPicture shortcutPicture(const std::u16string& linkPath, int target, HIMAGELIST pictures)
    {
        ItemPicture shown;
        SHFILEINFOW whole{};
        if (source_.wholeIconsSmaller &&
            SHGetFileInfoW(wideChars(linkPath), 0, &whole, sizeof(whole),
                           SHGFI_ICON | SHGFI_SYSICONINDEX | SHGFI_OVERLAYINDEX |
                               source_.sizeFlag)) {
            IconHandle handedOut(whole.hIcon);
            // The shortcut's picture and the shell's arrow, both at the list's size: the index
            // keeps the overlay in its top byte.
            UINT overlay = (static_cast<UINT>(whole.iIcon) >> 24) & 0x0F;
            IconHandle icon(ImageList_GetIcon(source_.list, whole.iIcon & 0x00FFFFFF,
                                              ILD_TRANSPARENT | INDEXTOOVERLAYMASK(overlay)));
            if (icon)
                shown.image = ImageList_ReplaceIcon(images_, -1, icon.get());
        }
        if (shown.image < 0 && SHGetFileInfoW(wideChars(linkPath), 0, &whole, sizeof(whole),
                                              SHGFI_ICON | source_.sizeFlag)) {
            IconHandle icon(whole.hIcon);
            shown.image = ImageList_ReplaceIcon(images_, -1, icon.get());
        }
        if (shown.image >= 0 && target >= 0) {
            shown.overlay = shown.image;
            shown.image = imageAt(pictures, target);
            if (shown.image < 0)
                std::swap(shown.image, shown.overlay);
        }
        return shown;
    }

    // The shell's image list and the entry's index in it, asked by type where the type draws
    // one picture for every file; null when the shell gives none.
    HIMAGELIST systemIndexOf(const std::string& path, const std::u16string& realPath,
                             const std::string& name, const EntryKind& kind, int& index)
    {
        bool byType = askByType(name, kind);
        UINT flags = SHGFI_SYSICONINDEX | source_.sizeFlag | (byType ? SHGFI_USEFILEATTRIBUTES : 0);
        DWORD attributes =
            byType ? (kind.folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL) : 0;
        SHFILEINFOA info{};
        HIMAGELIST system = nullptr;
        if (realPath.empty()) {
            system = reinterpret_cast<HIMAGELIST>(
                SHGetFileInfoA(path.c_str(), attributes, &info, sizeof(info), flags));
        } else {
            // By the real path: the one with "?" names no file.
            SHFILEINFOW wide{};
            system = reinterpret_cast<HIMAGELIST>(
                SHGetFileInfoW(wideChars(realPath), attributes, &wide, sizeof(wide), flags));
            info.iIcon = wide.iIcon;
        }
        index = info.iIcon;
        return system;
    }

    // Our image of the system's picture at that index, added once per build.
    int imageAt(HIMAGELIST pictures, int index)
    {
        auto seen = imageOfIndex_.find(index);
        if (seen != imageOfIndex_.end())
            return seen->second;
        // The index is the same in every size: the list with images large enough for the edge
        // gives the picture.
        IconHandle icon(ImageList_GetIcon(pictures, index, ILD_NORMAL));
        int image = icon ? ImageList_ReplaceIcon(images_, -1, icon.get()) : -1;
        if (image >= 0)
            imageOfIndex_.emplace(index, image);
        return image;
    }

    // An entry the shell gives no picture for shows the system's application icon, or nothing
    // when even that cannot be added.
    int fallbackImage()
    {
        if (fallbackImage_ == noImageYet)
            fallbackImage_ = ImageList_ReplaceIcon(images_, -1, LoadIconA(nullptr, IDI_APPLICATION));
        return fallbackImage_;
    }

    static constexpr int noImageYet = -2;

    HMENU menu_;
    HIMAGELIST images_;
    std::vector<LauncherEntry>& entries_;
    AccessibleItems& items_;
    std::int32_t shownChars_;
    int rowsPerColumn_;
    std::size_t firstOfMenu_ = 0;
    DWORD deadline_ = 0;
    bool checkFolderLater_ = false;
    const KnownPictures* earlier_ = nullptr;
    KnownPictures* learned_ = nullptr;
    std::size_t reused_ = 0;
    std::vector<PendingPicture> pending_;
    // The picture of every entry of a type, by its extension ("\\" for folders).
    std::map<std::string, ItemPicture> genericOf_;
    ShellImageSource source_;
    // What each picture shows: by the system's index, and whether it has the shortcut overlay
    // (1 the shell's whole icon, 2 the shell's icon over the target's picture of that index).
    using Picture = std::pair<int, int>;
    std::map<Picture, ItemPicture> pictureOf_;
    std::map<int, int> imageOfIndex_;
    std::map<std::string, bool> typeDrawsEachFile_;
    int fallbackImage_ = noImageYet;
};

namespace {

// The height of a line of text in the font, measured on the window's device context.
LONG textHeightOf(HWND window, HFONT font, const char* sample)
{
    WindowDC dc(window);
    if (!dc)
        return 0;
    SelectedObject selected(dc.get(), font);
    if (sample) {
        SIZE extent{};
        GetTextExtentPointA(dc.get(), sample, static_cast<int>(std::strlen(sample)), &extent);
        return extent.cy;
    }
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    return metrics.tmHeight;
}

SIZE textExtent(HDC dc, const ShownText& text)
{
    SIZE extent{};
    if (text.real.empty())
        GetTextExtentPointA(dc, text.ansi.c_str(), static_cast<int>(text.ansi.size()), &extent);
    else
        GetTextExtentPoint32W(dc, wideChars(text.real), static_cast<int>(text.real.size()),
                              &extent);
    return extent;
}

// The height the columns fill: the target monitor's; without one (the system told nothing of
// its monitors), the desktop's.
std::int64_t columnHeight(HWND owner, const MenuTarget& target)
{
    if (target.screenHeight > 0)
        return target.screenHeight;
    RECT screen{};
    HWND desktop = GetDesktopWindow();
    if (!desktop || !GetWindowRect(desktop, &screen)) {
        appMessageBox(lastErrorText(), MB_OK | MB_ICONINFORMATION);
        GetWindowRect(owner, &screen);
    }
    return screen.bottom;
}

// Whether the folder's name in the code page names it.
bool folderHeld(const std::string& folder, const std::u16string& wideFolder)
{
    return widened(folder) == wideFolder;
}

// What a sub-menu of the entry lists when sub-folders cascade: a folder's own path, or a
// shortcut's that leads to a folder (its target is read when the sub-menu opens); empty for an
// entry that opens. A shortcut whose record does not tell is read now while there is time,
// else later (checkLater).
std::u16string folderToList(const std::u16string& path, const std::string& name,
                            const EntryKind& kind, bool inTime, bool& checkLater)
{
    checkLater = false;
    if (kind.folder)
        return path;
    if (!isShellLinkName(name))
        return {};
    if (!inTime) {
        checkLater = true;
        return {};
    }
    DWORD recorded = shortcutRecordedAttributes(wideChars(path));
    if (recorded)
        return (recorded & FILE_ATTRIBUTE_DIRECTORY) ? path : std::u16string();
    return shortcutLeadsToFolder(path) ? path : std::u16string();
}

// The folder's entries as listed, as long as the capacity of the entries (counted over the
// whole cascade) allows. Answers how many entries were left out.
std::size_t appendEntries(LauncherMenuBuilder& builder, const std::string& folder,
                          const std::u16string& wideFolder, const LauncherSettings& settings,
                          std::size_t capacity, const std::vector<ListedEntry>& listing)
{
    std::size_t leftOut = 0;
    // A sub-folder whose name the code page cannot hold gives every entry in it a real path.
    const bool held = folderHeld(folder, wideFolder);
    std::string name;
    for (const ListedEntry& found : listing) {
        // The launcher ids end where the folder items begin: the first entries that fit are
        // listed, and a note says how many did not.
        if (builder.size() >= capacity) {
            ++leftOut;
            continue;
        }
        bool nameHeld = narrowedExactly(found.name.c_str(), name);
        EntryKind kind;
        kind.folder = (found.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        kind.readOnlyOrSystem =
            (found.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) != 0;
        std::u16string realName = fromWide(found.name.c_str());
        std::u16string widePath = wideFolder + u"\\" + realName;
        bool checkLater = false;
        std::u16string listed =
            settings.FolderMenu
                ? folderToList(widePath, name, kind, builder.inTime(), checkLater)
                : std::u16string();
        builder.checkFolderLater(checkLater);
        std::string text = entryDisplayText(name, settings.PrintEnt, settings.PrintLnk);
        if (nameHeld && held) {
            builder.append(std::move(text), folder + "\\" + name, name, kind, {}, {},
                           std::move(listed), &found);
            continue;
        }
        builder.append(std::move(text), folder + "\\" + name, name, kind,
                       nameHeld ? std::u16string()
                                : wideEntryDisplayText(realName, settings.PrintEnt,
                                                       settings.PrintLnk),
                       std::move(widePath), std::move(listed), &found);
    }
    return leftOut;
}

// The text in the code page with "?" for what it cannot hold: a name to show, never to open.
std::string lossyNarrowed(const std::u16string& wide)
{
    int size = WideCharToMultiByte(CP_ACP, 0, wideChars(wide), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(size > 0 ? static_cast<std::size_t>(size) : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, wideChars(wide), -1, &ansi[0], size, nullptr, nullptr);
    ansi.resize(std::strlen(ansi.c_str()));
    return ansi;
}

// "…ほか 123 件": the entries of a folder beyond what the ids allow.
std::string leftOutNote(std::size_t count)
{
    return "…ほか " + std::to_string(count) + " 件";
}

}  // namespace

void trackMenu(HWND owner, HMENU menu, int x, int y, UINT alignment)
{
    SetForegroundWindow(owner);
    TrackPopupMenu(menu, alignment | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
}

void LauncherMenu::recreateFont()
{
    measured_.clear();
    measuringDc_.reset();
    menuFont.reset();
    if (!settings_)
        return;
    // Stored as at 96 DPI, drawn at the DPI in force.
    LOGFONTA font = toLogFont(fontAtDpi(settings_->Font, target_.dpi));
    menuFont.reset(CreateFontIndirectA(&font));
}

void LauncherMenu::build(HWND owner, const std::string& folder, const std::string& folderItemText,
                         const MenuTarget& target, bool reuse)
{
    builder_.reset();
    levels_.clear();
    listings_.clear();
    rootEnd_ = 0;
    launcherMenu.reset();
    entries_.clear();
    items_.clear();
    measured_.clear();
    launcherMenu.reset(CreatePopupMenu());
    if (!launcherMenu || !settings_) {
        appMessageBox(lastErrorText(), MB_OK | MB_ICONSTOP);
        return;
    }
    composed_.clear();
    launcherImageList.reset();
    theme_ = currentSystemTheme();
    const LauncherSettings& settings = *settings_;
    if (target != target_ || !menuFont) {
        target_ = target;
        recreateFont();
    }
    MenuLengths lengths = this->lengths();
    int edge = lengths.iconSize;
    // A folder shows a handful of distinct pictures, however many entries it has: the list
    // grows a few images at a time rather than by a hundred images of memory at once.
    launcherImageList.reset(ImageList_Create(edge, edge, ILC_COLORDDB | ILC_MASK, 0, 8));
    if (!launcherImageList) {
        appMessageBox(lastErrorText(), MB_OK | MB_ICONSTOP);
        return;
    }
    ImageList_SetBkColor(launcherImageList.get(), CLR_NONE);

    // Wide enumeration: a name the code page cannot hold is kept as it is, not as the "?" the
    // A functions would give, which names no file.
    std::u16string wideFolder = widened(folder);
    std::vector<ListedEntry> listing;
    bool opened = listFolder(wideChars(wideFolder), listing);

    std::int64_t textHeight = 0;
    if (settings.IconPrint != displayIconOnly)
        textHeight = textHeightOf(owner, menuFont.get(), opened ? "." : nullptr);

    rowsPerColumn = rowsPerColumnFor(columnHeight(owner, target_), settings.DesktopRatio,
                                     lengths.heightSpace,
                                     rowHeight(settings.IconPrint, lengths.iconSize, textHeight));

    builder_ = std::make_unique<LauncherMenuBuilder>(
        launcherMenu.get(), launcherImageList.get(), entries_, items_, settings.StringsNumber,
        rowsPerColumn, shellImageSourceFor(lengths.iconSize));
    // Only an unchanged entry of the same folder, set and size is taken from the last build.
    reuse = reuse && folder == knownFolder_ && settings_ == knownSettings_ && edge == knownEdge_;
    KnownPictures learned;
    builder_->knowPictures(reuse ? &known_ : nullptr, &learned);
    std::size_t leftOut = appendEntries(*builder_, folder, wideFolder, settings,
                                        entryCapacity(settings.PrintMyself), listing);
    builder_->knowPictures(nullptr, nullptr);
    reusedPictures_ = builder_->reused();
    known_ = std::move(learned);
    knownFolder_ = folder;
    knownSettings_ = settings_;
    knownEdge_ = edge;

    if (settings.PrintMyself)
        // The folder itself, whose marks the listing did not give: asked by path.
        builder_->append(folderItemText, folder, folder, EntryKind{true, true});
    if (leftOut)
        builder_->appendNote(leftOutNote(leftOut));
    rootEnd_ = entries_.size();
    folderItemText_ = folderItemText;
    paintBackground();
}

LauncherMenu::LauncherMenu() = default;
LauncherMenu::~LauncherMenu() = default;

int LauncherMenu::levelOf(HMENU menu) const
{
    if (!menu)
        return -1;
    if (menu == launcherMenu.get())
        return 0;
    for (std::size_t i = 0; i < levels_.size(); ++i)
        if (levels_[i].menu == menu)
            return static_cast<int>(i) + 1;
    return -1;
}

bool LauncherMenu::isCascadeMenu(HMENU menu) const
{
    if (levelOf(menu) >= 0)
        return true;
    for (const LauncherEntry& entry : entries_)
        if (entry.subMenu && entry.subMenu == menu)
            return true;
    return false;
}

LauncherMenu::Span LauncherMenu::spanOf(int level) const
{
    if (level <= 0)
        return {0, rootEnd_};
    const Level& shown = levels_[static_cast<std::size_t>(level - 1)];
    return {shown.first, shown.end};
}

bool LauncherMenu::openSubMenu(HMENU menu)
{
    if (!menu || !builder_ || !settings_)
        return false;
    auto owner = std::find_if(entries_.begin(), entries_.end(), [menu](const LauncherEntry& entry) {
        return entry.subMenu == menu;
    });
    if (owner == entries_.end())
        return false;
    std::size_t index = static_cast<std::size_t>(owner - entries_.begin());
    // Only one chain of sub-menus is open: whatever was shown below the opening menu's parent
    // has closed, and its entries and ids serve the menu that opens now.
    int parent = 0;
    for (std::size_t i = 0; i < levels_.size(); ++i)
        if (index >= levels_[i].first && index < levels_[i].end)
            parent = static_cast<int>(i) + 1;
    levels_.resize(static_cast<std::size_t>(parent));
    std::size_t first = spanOf(parent).end;
    std::u16string listed = owner->listedFolder;
    if (isShellLinkName(owner->path))
        listed = fromWide(shortcutTargetWide(wideChars(listed)).c_str());
    entries_.resize(first);
    measured_.resize(std::min(measured_.size(), first));

    // Deleting an item destroys its sub-menu with it, so a closed sub-menu's own cascade goes.
    while (GetMenuItemCount(menu) > 0)
        DeleteMenu(menu, 0, MF_BYPOSITION);
    builder_->startMenu(menu);
    const LauncherSettings& settings = *settings_;
    std::string folder;
    if (!narrowedExactly(listed, folder))
        folder = lossyNarrowed(listed);
    // The listing runs on its own thread; a folder that does not answer in time is said so, and
    // shown whole when it is opened again once it has answered.
    std::unique_ptr<FolderListing> none;
    auto& listing = listed.empty() ? none : listings_[listed];
    if (!listing && !listed.empty())
        listing = std::make_unique<FolderListing>(std::wstring(wideChars(listed)));
    std::size_t leftOut = 0;
    if (!listing) {
        // A shortcut that no longer leads anywhere.
        builder_->appendNote("（開けません）");
    } else if (!listing->waitFor(listingWaitMs)) {
        builder_->appendNote("（応答がありません）");
    } else if (!listing->opened()) {
        builder_->appendNote("（開けません）");
        listings_.erase(listed);
    } else {
        builder_->setPictureDeadline(GetTickCount() + pictureBudgetMs);
        // The capacity counts every entry of the cascade, and keeps the folder item's id
        // below the folder items of the tray popup.
        leftOut = appendEntries(*builder_, folder, listed, settings,
                                entryCapacity(settings.PrintMyself), listing->entries());
        builder_->setPictureDeadline(0);
        if (settings.PrintMyself)
            // As in the launcher menu: the folder itself last, to open it.
            builder_->append(folderItemText_, folder, folder, EntryKind{true, true}, {},
                             folderHeld(folder, listed) ? std::u16string() : listed);
        if (entries_.size() == first && !leftOut)
            builder_->appendNote("（空）");
        // Shown as it is now: the next opening lists it again.
        listings_.erase(listed);
    }
    if (leftOut)
        builder_->appendNote(leftOutNote(leftOut));
    levels_.push_back({menu, first, entries_.size(), 0, folder});
    // A sub-menu made after the last painting (a shortcut found to lead to a folder) has none.
    paintBackground(menu);
    return true;
}

MenuPalette LauncherMenu::palette() const
{
    const LauncherSettings& settings = *settings_;
    return paletteOf(settings.SystemColors, settings.FontRGB, settings.BackgroundColor, theme_);
}

void LauncherMenu::followTheme()
{
    theme_ = currentSystemTheme();
    paintBackground();
}

void LauncherMenu::paintBackground(HMENU menu)
{
    if (!settings_)
        return;
    // The menu's own background shows between the columns and below a short last column: it
    // is the items' colour, or a light strip would cut through a dark menu.
    COLORREF colour = palette().menu;
    BrushHandle previous;
    if (!backgroundBrush_ || colour != backgroundColour_) {
        previous = std::move(backgroundBrush_);
        backgroundBrush_.reset(CreateSolidBrush(colour));
        backgroundColour_ = colour;
        menu = nullptr;
    }
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_BACKGROUND | (menu ? 0 : MIM_APPLYTOSUBMENUS);
    info.hbrBack = backgroundBrush_.get();
    HMENU painted = menu ? menu : launcherMenu.get();
    if (painted)
        SetMenuInfo(painted, &info);
    // A new brush goes to the sub-menus the launcher menu no longer holds as well: the last
    // opened chain was taken out of it.
    if (!menu)
        for (const Level& level : levels_)
            SetMenuInfo(level.menu, &info);
}

bool LauncherMenu::resolvePendingPictures(DWORD sliceMs)
{
    return builder_ && builder_->resolvePending(GetTickCount() + sliceMs);
}

bool LauncherMenu::picturesPending() const
{
    return builder_ && builder_->hasPending();
}

std::string LauncherMenu::folderOf(unsigned id) const
{
    std::size_t index = id - launcherFirstId;
    for (const Level& level : levels_)
        if (index >= level.first && index < level.end)
            return level.folder;
    return {};
}

void LauncherMenu::popUp(HWND owner, int x, int y, UINT alignment)
{
    if (!launcherMenu)
        return;
    menuSelection = 0;
    followTheme();
    // What a sub-menu shows is listed anew at each popup; the pictures are composed anew in
    // the colours of now.
    listings_.clear();
    composed_.clear();
    typed_.clear();
    trackMenu(owner, launcherMenu.get(), x, y, alignment);
}

const LauncherEntry* LauncherMenu::entryOfItem(UINT type, ULONG_PTR data) const
{
    if (type != ODT_MENU)
        return nullptr;
    std::size_t index = items_.indexOf(data);
    return index < entries_.size() ? &entries_[index] : nullptr;
}

SIZE LauncherMenu::textExtentOf(std::size_t index) const
{
    const LauncherSettings& settings = *settings_;
    if (index < measured_.size() && measured_[index].known &&
        measured_[index].stringsNumber == settings.StringsNumber)
        return measured_[index].extent;
    if (!measuringDc_) {
        measuringDc_.reset(CreateCompatibleDC(nullptr));
        if (!measuringDc_)
            return {};
        SelectObject(measuringDc_.get(), menuFont.get());
    }
    const LauncherEntry& entry = entries_[index];
    SIZE extent = textExtent(measuringDc_.get(),
                             shownTextOf(entry.text, entry.realText, settings.StringsNumber));
    if (measured_.size() <= index)
        measured_.resize(entries_.size());
    measured_[index] = {true, settings.StringsNumber, extent};
    return extent;
}

bool LauncherMenu::measure(HWND, MEASUREITEMSTRUCT& item) const
{
    const LauncherEntry* entry = entryOfItem(item.CtlType, item.itemData);
    if (!entry || !settings_)
        return false;
    const LauncherSettings& settings = *settings_;
    SIZE extent{};
    if (settings.IconPrint != displayIconOnly)
        extent = textExtentOf(static_cast<std::size_t>(entry - entries_.data()));
    MenuLengths lengths = this->lengths();
    ItemSize size = measuredItemSize(settings.IconPrint, lengths.iconSize, lengths.heightSpace,
                                     extent.cx, extent.cy, static_cast<std::int32_t>(item.itemWidth),
                                     static_cast<std::int32_t>(item.itemHeight));
    if (!size.valid)
        appMessageBox("Invalid Icon Print.");
    item.itemWidth = static_cast<UINT>(size.width);
    item.itemHeight = static_cast<UINT>(size.height);
    return true;
}

bool LauncherMenu::draw(const DRAWITEMSTRUCT& item) const
{
    const LauncherEntry* entry = entryOfItem(item.CtlType, item.itemData);
    if (!entry || !settings_)
        return false;
    const LauncherSettings& settings = *settings_;
    HDC dc = item.hDC;
    // The system draws every item at each popup, those beyond the screen's edge as well.
    RECT clip{};
    RECT visible{};
    int clipKind = GetClipBox(dc, &clip);
    if (clipKind == NULLREGION ||
        (clipKind != ERROR && !IntersectRect(&visible, &clip, &item.rcItem)))
        return true;

    // The state is a set of bits: Windows adds ODS_NOACCEL to a highlighted item of a menu
    // opened with the mouse, and ODS_INACTIVE, so comparing it whole misses the highlight.
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    ItemColours colours =
        itemColours(palette(), theme_.highContrast, selected, (item.itemState & ODS_FOCUS) != 0,
                    (item.itemState & ODS_NOFOCUSRECT) != 0);
    COLORREF background = colours.background;
    COLORREF text = colours.text;
    UINT iconStyle = !colours.blendPicture ? ILD_TRANSPARENT : selected ? ILD_SELECTED : ILD_FOCUS;

    ShownText shown = shownTextOf(entry->text, entry->realText, settings.StringsNumber);
    SelectedObject font(dc, menuFont.get());
    SIZE extent = textExtentOf(static_cast<std::size_t>(entry - entries_.data()));

    BrushHandle brush(CreateSolidBrush(background));
    FillRect(dc, &item.rcItem, brush.get());
    SetTextColor(dc, text);
    SetBkColor(dc, background);

    int x0 = item.rcItem.left;
    int y = item.rcItem.top;
    int image = entry->image;
    int overlay = entry->overlay;
    if (settings.IconPrint != displayNameOnly && image >= 0)
        drawPicture(dc, {x0, y}, image, overlay, iconStyle, background, item.rcItem);
    MenuLengths lengths = this->lengths();
    TextPlace place =
        itemTextPlace(settings.IconPrint, lengths.iconSize, extent.cy, lengths.nameMargin);
    if (place.drawn && shown.real.empty())
        TextOutA(dc, x0 + place.x, y + place.y, shown.ansi.c_str(),
                 static_cast<int>(shown.ansi.size()));
    else if (place.drawn)
        TextOutW(dc, x0 + place.x, y + place.y, wideChars(shown.real),
                 static_cast<int>(shown.real.size()));
    if (colours.focusFrame)
        DrawFocusRect(dc, &item.rcItem);
    return true;
}

void LauncherMenu::drawPicture(HDC dc, POINT at, int image, int overlay, UINT style,
                               COLORREF background, const RECT& item) const
{
    HIMAGELIST images = launcherImageList.get();
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(images, &width, &height);
    // A picture larger than its item shows what lies beyond the item through its transparent
    // parts: only one on the item's own background can be composed beforehand.
    bool onItem = at.x >= item.left && at.y >= item.top && at.x + width <= item.right &&
                  at.y + height <= item.bottom;
    if (onItem && !composingDc_)
        composingDc_.reset(CreateCompatibleDC(dc));
    if (!onItem || !composingDc_) {
        ImageList_Draw(images, image, dc, at.x, at.y, style);
        if (overlay >= 0)
            ImageList_Draw(images, overlay, dc, at.x, at.y, style);
        return;
    }
    BitmapHandle& picture = composed_[Composition{image, overlay, style, background}];
    HGDIOBJ previous = nullptr;
    if (!picture) {
        picture.reset(CreateCompatibleBitmap(dc, width, height));
        previous = SelectObject(composingDc_.get(), picture.get());
        RECT cell{0, 0, width, height};
        SetBkColor(composingDc_.get(), background);
        ExtTextOutA(composingDc_.get(), 0, 0, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
        ImageList_Draw(images, image, composingDc_.get(), 0, 0, style);
        if (overlay >= 0)
            ImageList_Draw(images, overlay, composingDc_.get(), 0, 0, style);
    } else {
        previous = SelectObject(composingDc_.get(), picture.get());
    }
    BitBlt(dc, at.x, at.y, width, height, composingDc_.get(), 0, 0, SRCCOPY);
    SelectObject(composingDc_.get(), previous);
}

int& LauncherMenu::highlightOf(int level)
{
    return level <= 0 ? menuSelection : levels_[static_cast<std::size_t>(level - 1)].highlighted;
}

void LauncherMenu::followHighlight(WPARAM wParam, HMENU menu)
{
    int level = levelOf(menu);
    if (level < 0)
        return;
    int& highlight = highlightOf(level);
    if (highlight < 0)
        return;
    Span span = spanOf(level);
    // An item with a sub-menu is named by its place, the others by their command id.
    int moved = -1;
    unsigned id = LOWORD(wParam);
    if (HIWORD(wParam) & MF_POPUP)
        moved = LOWORD(wParam);
    else if (id >= launcherFirstId + span.first && id < launcherFirstId + span.end)
        moved = static_cast<int>(id - launcherFirstId - span.first);
    if (moved < 0)
        return;
    // Moving elsewhere with the arrows or the mouse ends a burst of typing; the highlight the
    // typing itself asked for comes back here unchanged.
    if (moved != highlight)
        typed_.clear();
    highlight = moved;
}

std::vector<std::u32string> LauncherMenu::typingTextsOf(Span span) const
{
    // What the user reads, as characters: the real text, or the code page's converted.
    std::vector<std::u32string> texts;
    texts.reserve(span.end - span.first);
    for (std::size_t i = span.first; i < span.end && i < entries_.size(); ++i) {
        const LauncherEntry& entry = entries_[i];
        std::u16string wide = entry.realText.empty() ? widened(entry.text) : entry.realText;
        std::u32string text;
        for (std::size_t at = 0; at < wide.size(); ++at) {
            char32_t unit = wide[at];
            if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < wide.size()) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (wide[at + 1] - 0xDC00);
                ++at;
            }
            text += unit;
        }
        texts.push_back(std::move(text));
    }
    return texts;
}

TypeAheadAnswer LauncherMenu::answerTypedKey(WPARAM wParam, HMENU menu, DWORD time)
{
    unsigned char typed = static_cast<unsigned char>(LOWORD(wParam) & 0xFF);
    int level = levelOf(menu);
    if (level < 0)
        return {};
    int& highlight = highlightOf(level);
    Span span = spanOf(level);
    if (typed == ' ') {
        bool shiftHeld = GetKeyState(VK_SHIFT) < 0;
        std::vector<std::string> texts(span.end - span.first);
        TypeAheadAnswer answer = typeAhead(highlight, texts, typed, shiftHeld);
        highlight = answer.selection;
        if (answer.collected >= 0)
            answer.collected += static_cast<int>(span.first);
        return answer;
    }
    // A lead byte alone is half a character: it is matched as a byte, as a first letter.
    if (isLeadByte(typed)) {
        std::vector<std::string> texts;
        for (std::size_t i = span.first; i < span.end; ++i)
            texts.push_back(entries_[i].realText.empty() ? entries_[i].text : std::string());
        TypeAheadAnswer answer = typeAhead(highlight, texts, typed, false);
        highlight = answer.selection;
        return answer;
    }
    char ansi[2] = {static_cast<char>(typed), 0};
    std::u16string wide = widened(ansi);
    return answerTypedCharacter(wide.empty() ? typed : wide[0], menu, time);
}

TypeAheadAnswer LauncherMenu::answerTypedCharacter(char32_t typed, HMENU menu, DWORD time)
{
    int level = levelOf(menu);
    if (level < 0)
        return {};
    int& highlight = highlightOf(level);
    TypeAheadAnswer answer =
        typeAheadPrefix(highlight, typingTextsOf(spanOf(level)), typed_.add(typed, time));
    highlight = answer.selection;
    return answer;
}

std::wstring LauncherMenu::realPathOf(unsigned id) const
{
    if (id < launcherFirstId || id - launcherFirstId >= entries_.size())
        return {};
    return wideChars(entries_[id - launcherFirstId].realPath);
}

std::string LauncherMenu::pathOf(unsigned id) const
{
    if (id < launcherFirstId || id - launcherFirstId >= entries_.size())
        return {};
    return entries_[id - launcherFirstId].path;
}

namespace {

template <class Field>
auto fieldOfEach(const std::vector<LauncherEntry>& entries, Field field)
{
    std::vector<std::decay_t<decltype(entries.front().*field)>> values;
    values.reserve(entries.size());
    for (const LauncherEntry& entry : entries)
        values.push_back(entry.*field);
    return values;
}

}  // namespace

std::vector<std::string> LauncherMenu::itemTexts() const
{
    return fieldOfEach(entries_, &LauncherEntry::text);
}

std::vector<std::string> LauncherMenu::itemPaths() const
{
    return fieldOfEach(entries_, &LauncherEntry::path);
}

std::vector<std::u16string> LauncherMenu::itemRealTexts() const
{
    return fieldOfEach(entries_, &LauncherEntry::realText);
}

std::vector<std::u16string> LauncherMenu::itemRealPaths() const
{
    return fieldOfEach(entries_, &LauncherEntry::realPath);
}
