#include "launcher/launcher_menu_win.h"

#include "common/path_text.h"
#include "common/shortcut_win.h"
#include "common/wide_text_win.h"
#include "framework/message_box_win.h"
#include "framework/system_error_win.h"
#include "launcher/icon_rules.h"
#include "launcher/item_geometry.h"
#include "launcher/menu_layout.h"
#include "launcher/shell_icon_win.h"
#include "launcher/wide_entry_text.h"
#include "settings/display_scale.h"
#include "settings/system_look_win.h"

#include <shellapi.h>

#include <cstring>
#include <map>
#include <type_traits>

namespace {

// Appends items to a menu under construction, keeping the menu and the entries aligned: entry i
// belongs to command id 0xA000 + i. Entries that show the same picture share one image.
class LauncherMenuBuilder {
public:
    LauncherMenuBuilder(HMENU menu, HIMAGELIST images, std::vector<LauncherEntry>& entries,
                        int rowsPerColumn, ShellImageSource source)
        : menu_(menu), images_(images), entries_(entries), rowsPerColumn_(rowsPerColumn),
          source_(source)
    {
    }

    std::size_t size() const { return entries_.size(); }

    // The name and kind are what the folder listing said; they decide whether the picture can
    // be asked for by type. realText and realPath are given for an entry whose name the code
    // page cannot hold.
    void append(std::string text, std::string path, const std::string& name, EntryKind kind,
                std::u16string realText = {}, std::u16string realPath = {})
    {
        std::size_t index = entries_.size();
        UINT id = launcherFirstId + static_cast<UINT>(index);
        UINT flags = MF_OWNERDRAW | (startsColumn(index, rowsPerColumn_) ? MF_MENUBARBREAK : 0);
        // An entry the menu refuses is left out of the entries as well: one item missing from
        // the menu alone would open its neighbour's file for every later item.
        if (!AppendMenuA(menu_, flags, id, reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(id))))
            return;
        ItemPicture picture = pictureFor(path, realPath, name, kind);
        entries_.push_back({std::move(text), std::move(path), std::move(realText),
                            std::move(realPath), picture.image, picture.overlay});
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

    ItemPicture pictureFor(const std::string& path, const std::u16string& realPath,
                           const std::string& name, const EntryKind& kind)
    {
        // A path the shell's own buffers cannot hold is not handed to it.
        if (path.size() > maxPathChars || realPath.size() >= MAX_PATH)
            return {fallbackImage()};
        // A shortcut shows its target's picture with the shortcut overlay: the shell's whole
        // icon of it, once per picture. Where it names no icon of its own, its target's picture
        // is drawn first and the shell's icon over it: on Windows the second covers the first
        // wherever that shows, so the item looks as the shell's icon alone; Wine gives every
        // such shortcut one index and loses the target's picture where it lays the arrow on.
        bool link = !kind.folder && isShellLinkName(name);
        const std::u16string linkPath =
            !link ? std::u16string() : realPath.empty() ? widened(path) : realPath;
        int target = link ? shortcutTargetPicture(wideChars(linkPath), source_.sizeFlag) : -1;
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
        Picture picture{index, !link ? 0 : target >= 0 ? 2 : 1};
        auto seen = pictureOf_.find(picture);
        if (seen != pictureOf_.end())
            return seen->second;
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
        if (SHGetFileInfoW(wideChars(linkPath), 0, &whole, sizeof(whole),
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
    int rowsPerColumn_;
    ShellImageSource source_;
    // What each picture shows: by the system's index, and whether it has the shortcut overlay
    // (1 the shell's whole icon, 2 the shell's icon over the target's picture of that index).
    using Picture = std::pair<int, int>;
    std::map<Picture, ItemPicture> pictureOf_;
    std::map<int, int> imageOfIndex_;
    std::map<std::string, bool> typeDrawsEachFile_;
    int fallbackImage_ = noImageYet;
};

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

// The folder's entries from the search's first find on; name is that find in the code page,
// and nameHeld whether the code page holds it.
void appendEntries(LauncherMenuBuilder& builder, const std::string& folder,
                   const LauncherSettings& settings, HANDLE search, WIN32_FIND_DATAW& found,
                   std::string name, bool nameHeld)
{
    std::u16string wideFolder = widened(folder);
    std::size_t capacity = entryCapacity(settings.PrintMyself);
    bool first = true;
    do {
        if (!first)
            nameHeld = narrowedExactly(found.cFileName, name);
        first = false;
        if (name == "." || name == "..")
            continue;
        // The launcher ids end where the folder items begin: the first entries that fit are
        // listed, the rest are not.
        if (builder.size() >= capacity)
            break;
        EntryKind kind;
        kind.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        kind.readOnlyOrSystem =
            (found.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) != 0;
        std::string text = entryDisplayText(name, settings.PrintEnt, settings.PrintLnk);
        if (nameHeld) {
            builder.append(std::move(text), folder + "\\" + name, name, kind);
            continue;
        }
        std::u16string realName = fromWide(found.cFileName);
        builder.append(std::move(text), folder + "\\" + name, name, kind,
                       wideEntryDisplayText(realName, settings.PrintEnt, settings.PrintLnk),
                       wideFolder + u"\\" + realName);
    } while (FindNextFileW(search, &found));
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
    menuFont.reset();
    if (!settings_)
        return;
    // Stored as at 96 DPI, drawn at the DPI in force.
    LOGFONTA font = toLogFont(fontAtDpi(settings_->Font, target_.dpi));
    menuFont.reset(CreateFontIndirectA(&font));
}

void LauncherMenu::build(HWND owner, const std::string& folder, const std::string& folderItemText,
                         const MenuTarget& target)
{
    launcherMenu.reset();
    entries_.clear();
    launcherMenu.reset(CreatePopupMenu());
    if (!launcherMenu || !settings_) {
        appMessageBox(lastErrorText(), MB_OK | MB_ICONSTOP);
        return;
    }
    launcherImageList.reset();
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
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW(wideChars(wideFolder + u"\\*.*"), &found));
    std::string name;
    bool nameHeld = search && narrowedExactly(found.cFileName, name);

    std::int64_t textHeight = 0;
    if (settings.IconPrint != displayIconOnly)
        textHeight = textHeightOf(owner, menuFont.get(), search ? name.c_str() : nullptr);

    rowsPerColumn = rowsPerColumnFor(columnHeight(owner, target_), settings.DesktopRatio,
                                     lengths.heightSpace,
                                     rowHeight(settings.IconPrint, lengths.iconSize, textHeight));

    LauncherMenuBuilder builder(launcherMenu.get(), launcherImageList.get(), entries_,
                                rowsPerColumn, shellImageSourceFor(lengths.iconSize));
    if (search) {
        appendEntries(builder, folder, settings, search.get(), found, name, nameHeld);
        search.reset();
    }

    if (settings.PrintMyself)
        // The folder itself, whose marks the listing did not give: asked by path.
        builder.append(folderItemText, folder, folder, EntryKind{true, true});
}

void LauncherMenu::popUp(HWND owner, int x, int y, UINT alignment)
{
    if (!launcherMenu)
        return;
    menuSelection = 0;
    trackMenu(owner, launcherMenu.get(), x, y, alignment);
}

const LauncherEntry* LauncherMenu::entryOfItem(UINT type, ULONG_PTR data) const
{
    if (type != ODT_MENU || data < launcherFirstId || data > launcherLastId)
        return nullptr;
    std::size_t index = static_cast<std::size_t>(data - launcherFirstId);
    return index < entries_.size() ? &entries_[index] : nullptr;
}

bool LauncherMenu::measure(HWND owner, MEASUREITEMSTRUCT& item) const
{
    const LauncherEntry* entry = entryOfItem(item.CtlType, item.itemData);
    if (!entry || !settings_)
        return false;
    const LauncherSettings& settings = *settings_;
    SIZE extent{};
    if (settings.IconPrint != displayIconOnly) {
        WindowDC dc(owner);
        SelectedObject selected(dc.get(), menuFont.get());
        extent = textExtent(dc.get(),
                            shownTextOf(entry->text, entry->realText, settings.StringsNumber));
    }
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

    COLORREF background = settings.BackgroundColor;
    COLORREF text = settings.FontRGB;
    UINT iconStyle = ILD_TRANSPARENT;
    // The state is a set of bits: Windows adds ODS_NOACCEL to a highlighted item of a menu
    // opened with the mouse, and ODS_INACTIVE, so comparing it whole misses the highlight.
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected || (item.itemState & ODS_FOCUS) != 0) {
        background = GetSysColor(COLOR_HIGHLIGHT);
        text = GetSysColor(COLOR_HIGHLIGHTTEXT);
        iconStyle = selected ? ILD_SELECTED : ILD_FOCUS;
    }

    ShownText shown = shownTextOf(entry->text, entry->realText, settings.StringsNumber);
    SelectedObject font(dc, menuFont.get());
    SIZE extent = textExtent(dc, shown);

    BrushHandle brush(CreateSolidBrush(background));
    FillRect(dc, &item.rcItem, brush.get());
    SetTextColor(dc, text);
    SetBkColor(dc, background);

    int x0 = item.rcItem.left;
    int y = item.rcItem.top;
    int image = entry->image;
    int overlay = entry->overlay;
    if (settings.IconPrint != displayNameOnly && image >= 0) {
        ImageList_Draw(launcherImageList.get(), image, dc, x0, y, iconStyle);
        if (overlay >= 0)
            ImageList_Draw(launcherImageList.get(), overlay, dc, x0, y, iconStyle);
    }
    MenuLengths lengths = this->lengths();
    TextPlace place =
        itemTextPlace(settings.IconPrint, lengths.iconSize, extent.cy, lengths.nameMargin);
    if (place.drawn && shown.real.empty())
        TextOutA(dc, x0 + place.x, y + place.y, shown.ansi.c_str(),
                 static_cast<int>(shown.ansi.size()));
    else if (place.drawn)
        TextOutW(dc, x0 + place.x, y + place.y, wideChars(shown.real),
                 static_cast<int>(shown.real.size()));
    return true;
}

void LauncherMenu::followHighlight(WPARAM wParam)
{
    unsigned id = LOWORD(wParam);
    if (menuSelection >= 0 && id >= launcherFirstId && id <= launcherLastId)
        menuSelection = static_cast<int>(id - launcherFirstId);
}

TypeAheadAnswer LauncherMenu::answerTypedKey(WPARAM wParam)
{
    unsigned char typed = static_cast<unsigned char>(LOWORD(wParam) & 0xFF);
    bool shiftHeld = typed == ' ' && GetKeyState(VK_SHIFT) < 0;
    // An entry with a real name is known by its real first character: its text in the code
    // page begins with "?" where the code page has none, and "?" typed is not that character.
    std::vector<std::string> texts;
    texts.reserve(entries_.size());
    for (const LauncherEntry& entry : entries_) {
        if (entry.realText.empty()) {
            texts.push_back(entry.text);
            continue;
        }
        std::u16string first = entry.realText.substr(
            0, entry.realText.size() > 1 && entry.realText[0] >= 0xD800 &&
                       entry.realText[0] <= 0xDBFF
                   ? 2
                   : 1);
        std::string narrowed;
        texts.push_back(narrowedExactly(first, narrowed) ? narrowed : std::string());
    }
    TypeAheadAnswer answer = typeAhead(menuSelection, texts, typed, shiftHeld);
    menuSelection = answer.selection;
    return answer;
}

TypeAheadAnswer LauncherMenu::answerTypedRealKey(char32_t typed)
{
    TypeAheadAnswer answer = typeAheadReal(menuSelection, itemRealTexts(), typed);
    menuSelection = answer.selection;
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
