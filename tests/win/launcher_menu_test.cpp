// The launcher menu against the real window manager and shell: built from real folders,
// measured and drawn on real device contexts, and the main window's answers to the menu's
// messages, called in-process as the menu would call them.
#include "tests/win/support/main_window_fixture.h"

#include "common/path_text.h"
#include "common/shortcut_win.h"
#include "common/wide_text_win.h"
#include "framework/application_win.h"
#include "framework/profile_store.h"
#include "framework/system_error_win.h"
#include "launcher/icon_rules.h"
#include "launcher/tray_icon_win.h"
#include "resources/resource.h"
#include "settings/menu_palette.h"
#include "settings/system_look_win.h"
#include "tests/win/support/child_program.h"
#include "tests/win/support/win_test_support.h"

#include <oleacc.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

// Names and the text each shows with both extension switches clear.
const std::map<std::string, std::string> entryTexts = {
    {"Tool.exe", "Tool"}, {"Doc.LNK", "Doc"},        {"Web.lnk", "Web"},
    {"メモ.txt", "メモ"}, {"ソフト.dat", "ソフト"},  {".profile", ""},
    {"フォルダ", "フォルダ"}, {"a01.txt", "a01"},    {"a02.txt", "a02"},
    {"a03.txt", "a03"},   {"a04.txt", "a04"},        {"a05.txt", "a05"},
    {"abcdefghijk.txt", "abcdefghijk"},
};

struct ItemFacts {
    UINT id = 0;
    ULONG_PTR data = 0;
    bool ownerDrawn = false;
    bool columnBreak = false;
};

ItemFacts itemFacts(HMENU menu, int position)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE;
    ItemFacts facts;
    if (GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) {
        facts.id = info.wID;
        facts.data = info.dwItemData;
        facts.ownerDrawn = (info.fType & MFT_OWNERDRAW) != 0;
        facts.columnBreak = (info.fType & MFT_MENUBARBREAK) != 0;
    }
    return facts;
}

// The item data of a launcher menu's item, as Windows hands it to the drawing.
ULONG_PTR dataOf(MainWindow& window, int position)
{
    return itemFacts(window.launcher().launcherMenu().handle(), position).data;
}

// What a screen reader reads for an item: its data must begin with the signature and the text.
std::wstring accessibleText(ULONG_PTR data)
{
    const auto* info = reinterpret_cast<const MSAAMENUINFO*>(data);
    if (!info || info->dwMSAASignature != static_cast<DWORD>(MSAA_MENU_SIG) || !info->pszWText)
        return L"(no MSAAMENUINFO)";
    EXPECT_EQ(info->pszWText[info->cchWText], L'\0');
    return std::wstring(info->pszWText, info->cchWText);
}

int desktopBottom()
{
    RECT rect{};
    GetWindowRect(GetDesktopWindow(), &rect);
    return rect.bottom;
}

class LauncherMenuTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const auto& entry : entryTexts) {
            if (entry.first == "フォルダ")
                CreateDirectoryA(folder.file(entry.first).c_str(), nullptr);
            else
                folder.write(entry.first);
        }
        ASSERT_TRUE(createShortcut(folder.file("Tool.exe"), folder.file("Web.lnk"), ""));
        app::profile().writeString("NowFolder", "AppFolder", folder.path());
        app::profile().writeString("NowFolder", "TargetFolder", "★ここ");
        ASSERT_TRUE(start());
        boxes.clear();
    }

    // Display settings for the tests: names shown without extensions, icons only, 32 pixels,
    // columns of (25% of the screen) / 36 pixels.
    void iconsInShortColumns()
    {
        LauncherSettings& set = active();
        set.PrintEnt = false;
        set.PrintLnk = false;
        set.IconPrint = 1;
        set.IconSize = 32;
        set.DesktopRatio = 25;
        set.HeightSpace = 4;
        set.PrintMyself = true;
    }

    int indexOf(const std::string& name) const
    {
        const auto& paths = menu().itemPaths();
        auto found = std::find(paths.begin(), paths.end(), folder.file(name));
        return found == paths.end() ? -1 : static_cast<int>(found - paths.begin());
    }

    // Every item has an image of its own or shares one; the list holds no image nobody shows.
    void expectEveryItemShowsAnImage()
    {
        int images = ImageList_GetImageCount(menu().images());
        std::set<int> shown;
        for (std::size_t i = 0; i < menu().itemPaths().size(); ++i) {
            int image = imageOf(static_cast<int>(i));
            EXPECT_GE(image, 0) << i;
            EXPECT_LT(image, images) << i;
            shown.insert(image);
            if (overlayOf(static_cast<int>(i)) >= 0)
                shown.insert(overlayOf(static_cast<int>(i)));
        }
        EXPECT_EQ(static_cast<int>(shown.size()), images);
    }

    MessageResult menuChar(char typed)
    {
        return send(WM_MENUCHAR, MAKEWPARAM(static_cast<unsigned char>(typed), MF_POPUP),
                    reinterpret_cast<LPARAM>(menu().handle()));
    }

    void highlight(int index)
    {
        send(WM_MENUSELECT, MAKEWPARAM(launcherFirstId + index, MF_OWNERDRAW | MF_HILITE),
             reinterpret_cast<LPARAM>(menu().handle()));
    }

    TempFolder folder{"qメニュー"};
};

TEST_F(LauncherMenuTest, MenuListsEveryEntryAlignedWithColumnBreaksAndTheFolderItemLast)
{
    iconsInShortColumns();
    HICON normal = window->tray().icon();
    rebuild();

    // The columns keep to their quarter of the screen (the count itself is fixed natively).
    int rows = menu().rows();
    ASSERT_GE(rows, 1);
    EXPECT_LE(rows * 36, desktopBottom() / 4);

    HMENU handle = menu().handle();
    ASSERT_NE(handle, nullptr);
    const auto& texts = menu().itemTexts();
    const auto& paths = menu().itemPaths();
    std::size_t count = entryTexts.size() + 1;
    ASSERT_EQ(GetMenuItemCount(handle), static_cast<int>(count));
    ASSERT_EQ(texts.size(), count);
    ASSERT_EQ(paths.size(), count);
    expectEveryItemShowsAnImage();
    // The text files share one picture.
    EXPECT_LT(ImageList_GetImageCount(menu().images()), static_cast<int>(count));
    int edge = 0, height = 0;
    ImageList_GetIconSize(menu().images(), &edge, &height);
    EXPECT_EQ(edge, 32);

    std::set<std::string> listed;
    for (std::size_t i = 0; i < count; ++i) {
        ItemFacts facts = itemFacts(handle, static_cast<int>(i));
        EXPECT_EQ(facts.id, launcherFirstId + i);
        EXPECT_EQ(accessibleText(facts.data), widePath(texts[i])) << i;
        EXPECT_TRUE(facts.ownerDrawn);
        EXPECT_EQ(facts.columnBreak, i > 0 && i % static_cast<std::size_t>(rows) == 0) << i;
        if (i + 1 == count)
            break;
        std::string name = paths[i].substr(folder.path().size() + 1);
        ASSERT_EQ(paths[i], folder.file(name));
        ASSERT_TRUE(entryTexts.count(name)) << name;
        EXPECT_EQ(texts[i], entryTexts.at(name)) << name;
        listed.insert(name);
    }
    EXPECT_EQ(listed.size(), entryTexts.size());
    EXPECT_EQ(texts.back(), "★ここ");
    EXPECT_EQ(paths.back(), folder.path());

    EXPECT_EQ(window->tray().tip(), lastComponent(folder.path()));
    EXPECT_EQ(window->tray().icon(), normal);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(LauncherMenuTest, ExtensionSwitchesAndSmallIcons)
{
    iconsInShortColumns();
    active().PrintEnt = true;
    active().IconSize = 16;
    rebuild();
    const auto& texts = menu().itemTexts();
    EXPECT_EQ(texts[static_cast<std::size_t>(indexOf("Tool.exe"))], "Tool.exe");
    EXPECT_EQ(texts[static_cast<std::size_t>(indexOf("Doc.LNK"))], "Doc.LNK");
    EXPECT_EQ(texts[static_cast<std::size_t>(indexOf("Web.lnk"))], "Web");
    EXPECT_EQ(texts[static_cast<std::size_t>(indexOf(".profile"))], ".profile");
    int edge = 0, height = 0;
    ImageList_GetIconSize(menu().images(), &edge, &height);
    EXPECT_EQ(edge, 16);
    // Rows of small icons: more of them than 32-pixel rows would fit in the same share.
    EXPECT_LE(menu().rows() * 20, desktopBottom() / 4);
    EXPECT_GT(menu().rows() * 36, desktopBottom() / 4);
}

TEST_F(LauncherMenuTest, EmptyAndMissingFolders)
{
    TempFolder empty("qempty");
    app::profile().writeString("NowFolder", "AppFolder", empty.path());
    iconsInShortColumns();
    rebuild();
    EXPECT_EQ(GetMenuItemCount(menu().handle()), 1);
    EXPECT_EQ(menu().itemPaths(), std::vector<std::string>{empty.path()});
    EXPECT_EQ(ImageList_GetImageCount(menu().images()), 1);
    // The folder read again from the profile is shown in the edit box too.
    EXPECT_EQ(window->folderPage().currentFolder(), empty.path());
    char shown[MAX_PATH] = {};
    GetDlgItemTextA(window->hwnd(), 1000, shown, MAX_PATH);
    EXPECT_EQ(std::string(shown), empty.path());

    active().PrintMyself = false;
    rebuild();
    EXPECT_EQ(GetMenuItemCount(menu().handle()), 0);
    EXPECT_TRUE(menu().itemTexts().empty());
    EXPECT_EQ(ImageList_GetImageCount(menu().images()), 0);

    std::string missing = empty.path() + "\\なし";
    app::profile().writeString("NowFolder", "AppFolder", missing);
    active().PrintMyself = true;
    rebuild();
    EXPECT_EQ(menu().itemPaths(), std::vector<std::string>{missing});
    EXPECT_EQ(window->tray().tip(), "なし");

    // A folder path longer than any path buffer lists nothing and overruns nothing.
    std::string tooLong = empty.path() + "\\" + std::string(300, 'x');
    app::profile().writeString("NowFolder", "AppFolder", tooLong);
    rebuild();
    EXPECT_EQ(menu().itemPaths(), std::vector<std::string>{tooLong});
    EXPECT_EQ(ImageList_GetImageCount(menu().images()), 1);
    EXPECT_EQ(window->tray().tip(), std::string(63, 'x'));
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(LauncherMenuTest, AnyProfileValuesBuildAnAlignedMenuWithAtLeastOneRow)
{
    struct Case {
        int iconSize, ratio, space, mode;
    };
    const Case cases[] = {{0, 100, 0, 2},       {-5, -50, -32, 2},   {100000, 100, 0, 1},
                          {32, 100, -32, 1},    {32, 0x7FFFFFFF, 0x7FFFFFFF, 0},
                          {16, 100, -2000000000, 0}};
    for (const Case& c : cases) {
        LauncherSettings& set = active();
        set.IconSize = c.iconSize;
        set.DesktopRatio = c.ratio;
        set.HeightSpace = c.space;
        set.IconPrint = c.mode;
        rebuild();
        int count = GetMenuItemCount(menu().handle());
        EXPECT_EQ(count, static_cast<int>(entryTexts.size() + 1)) << c.iconSize;
        expectEveryItemShowsAnImage();
        EXPECT_GE(menu().rows(), 1);

        MEASUREITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemID = launcherFirstId;
        item.itemData = dataOf(*window, 0);
        EXPECT_TRUE(send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item)).handled);
        EXPECT_GE(item.itemHeight, 1u);
        EXPECT_LE(item.itemWidth, 0x7FFFu);
        EXPECT_LE(item.itemHeight, 0x7FFFu);
    }
    EXPECT_TRUE(boxes.boxes().empty());
}

// Measures a text in the font of the set in force, as the menu's items are measured.
SIZE extentInMenuFont(const LauncherSettings& set, HWND window, const std::string& text)
{
    LOGFONTA logFont = toLogFont(set.Font);
    FontHandle font(CreateFontIndirectA(&logFont));
    WindowDC dc(window);
    SelectedObject selected(dc.get(), font.get());
    SIZE extent{};
    GetTextExtentPointA(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

TEST_F(LauncherMenuTest, MeasuringUsesTheCutTextOnARealDeviceContext)
{
    iconsInShortColumns();
    LauncherSettings& set = active();
    set.IconPrint = 0;
    set.StringsNumber = 5;
    set.HeightSpace = 3;
    rebuild();
    int index = indexOf("abcdefghijk.txt");
    ASSERT_GE(index, 0);
    MEASUREITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = launcherFirstId + index;
    item.itemData = dataOf(*window, index);
    ASSERT_TRUE(send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item)).handled);
    SIZE cut = extentInMenuFont(active(), window->hwnd(), "abcde");
    SIZE whole = extentInMenuFont(active(), window->hwnd(), "abcdefghijk");
    ASSERT_GT(cut.cx, 0);
    ASSERT_LT(cut.cx, whole.cx);
    EXPECT_EQ(item.itemWidth, static_cast<UINT>(cut.cx));
    EXPECT_EQ(item.itemHeight, static_cast<UINT>(cut.cy + 3));
    // Measured again at the next popup after the set changed in place: the cut of now.
    set.StringsNumber = 260;
    ASSERT_TRUE(send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item)).handled);
    EXPECT_EQ(item.itemWidth, static_cast<UINT>(whole.cx));

    set.IconPrint = 2;
    set.IconSize = 32;
    set.StringsNumber = 260;
    index = indexOf("メモ.txt");
    item.itemData = dataOf(*window, index);
    ASSERT_TRUE(send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item)).handled);
    SIZE memo = extentInMenuFont(active(), window->hwnd(), "メモ");
    // The text measured on the device context, beside the icon (the margins are fixed
    // natively); the icon is the higher of the two.
    ASSERT_LT(memo.cy, 32);
    EXPECT_GT(item.itemWidth, static_cast<UINT>(memo.cx + 32));
    EXPECT_EQ(item.itemHeight, 35u);

    set.IconPrint = 1;
    set.IconSize = 16;
    ASSERT_TRUE(send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item)).handled);
    EXPECT_EQ(item.itemWidth, 16u);
    EXPECT_EQ(item.itemHeight, 19u);
    EXPECT_TRUE(boxes.boxes().empty());

    // An unknown mode says so and keeps the proposed size, plus the extra height.
    set.IconPrint = 3;
    item.itemWidth = 40;
    item.itemHeight = 20;
    ASSERT_TRUE(send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item)).handled);
    EXPECT_EQ(item.itemWidth, 40u);
    EXPECT_EQ(item.itemHeight, 23u);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Invalid Icon Print.");
    EXPECT_EQ(boxes.boxes()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));

    // Items that are not launcher entries are left to others.
    item.CtlType = ODT_MENU;
    item.itemData = launcherFirstId;
    EXPECT_FALSE(send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item)).handled);
}

TEST_F(LauncherMenuTest, BuiltForA150PercentMonitorItemsIconsAndTextAreHalfAsLargeAgain)
{
    LauncherSettings set = active();
    set.IconPrint = 2;
    set.IconSize = 32;
    set.HeightSpace = 4;
    set.DesktopRatio = 100;
    set.StringsNumber = 260;
    set.Font.lfHeight = -12;
    // The same screen at 100 % and at 150 %, which has half as many pixels again.
    LauncherMenu at96;
    LauncherMenu at144;
    at96.useSettings(set);
    at144.useSettings(set);
    at96.build(window->hwnd(), folder.path(), "", {96, 768});
    at144.build(window->hwnd(), folder.path(), "", {144, 1152});
    ASSERT_EQ(at144.itemPaths(), at96.itemPaths());

    int edge96 = 0;
    int edge144 = 0;
    int unused = 0;
    ImageList_GetIconSize(at96.images(), &edge96, &unused);
    ImageList_GetIconSize(at144.images(), &edge144, &unused);
    EXPECT_EQ(edge96, 32);
    EXPECT_EQ(edge144, 48);
    LOGFONTA font{};
    GetObjectA(at144.font(), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -18);
    EXPECT_EQ(set.Font.lfHeight, -12);
    EXPECT_EQ(at144.rows(), at96.rows());

    auto measured = [&](const LauncherMenu& menu, const std::string& name) {
        const auto paths = menu.itemPaths();
        auto index = std::find(paths.begin(), paths.end(), folder.file(name)) - paths.begin();
        MEASUREITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemData = itemFacts(menu.handle(), static_cast<int>(index)).data;
        EXPECT_TRUE(menu.measure(window->hwnd(), item));
        return item;
    };
    MEASUREITEMSTRUCT small = measured(at96, "abcdefghijk.txt");
    MEASUREITEMSTRUCT large = measured(at144, "abcdefghijk.txt");
    EXPECT_EQ(small.itemHeight, 36u);
    EXPECT_EQ(large.itemHeight, 54u);
    // Icon cell and text alike: within a pixel or two of the rounding of glyph widths.
    EXPECT_NEAR(large.itemWidth, small.itemWidth * 3 / 2, 4);
}

// An item drawn into a bitmap of its own, to read its pixels.
class DrawnItem {
public:
    DrawnItem(MainWindow& window, int index, UINT state) : DrawnItem()
    {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemID = launcherFirstId + static_cast<UINT>(index);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hDC = dc_;
        item.rcItem = {0, 0, width, height};
        item.itemData = dataOf(window, index);
        handled = window.handleMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)).handled;
    }
    // An image on the background, as an icons-only item draws its picture.
    DrawnItem(HIMAGELIST images, int image, COLORREF background) : DrawnItem()
    {
        RECT rect{0, 0, width, height};
        BrushHandle brush(CreateSolidBrush(background));
        FillRect(dc_, &rect, brush.get());
        ImageList_Draw(images, image, dc_, 0, 0, ILD_TRANSPARENT);
    }
    ~DrawnItem()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    COLORREF pixel(int x, int y) const { return GetPixel(dc_, x, y); }
    // The leftmost column holding a pixel of another colour than the background, from x on.
    int firstInkColumn(int from, COLORREF background) const
    {
        for (int x = from; x < width; ++x)
            for (int y = 0; y < height; ++y)
                if (pixel(x, y) != background)
                    return x;
        return -1;
    }

    static constexpr int width = 200;
    static constexpr int height = 40;
    bool handled = false;

private:
    DrawnItem() : screen_(nullptr)
    {
        dc_ = CreateCompatibleDC(screen_.get());
        bitmap_ = CreateCompatibleBitmap(screen_.get(), width, height);
        previous_ = SelectObject(dc_, bitmap_);
    }

    WindowDC screen_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

TEST_F(LauncherMenuTest, DrawingPlacesIconAndTextAndUsesTheStateColours)
{
    iconsInShortColumns();
    LauncherSettings& set = active();
    const COLORREF background = RGB(10, 200, 30);
    set.BackgroundColor = background;
    set.FontRGB = RGB(200, 0, 0);
    set.SystemColors = false;
    set.IconPrint = 0;
    rebuild();
    int index = indexOf("メモ.txt");

    {
        DrawnItem drawn(*window, index, 0);
        ASSERT_TRUE(drawn.handled);
        EXPECT_EQ(drawn.pixel(DrawnItem::width - 1, DrawnItem::height - 1), background);
        EXPECT_GE(drawn.firstInkColumn(0, background), 4);
    }
    set.IconPrint = 2;
    set.IconSize = 32;
    rebuild();
    {
        DrawnItem drawn(*window, index, 0);
        // The icon fills the left 32 columns; nothing is written between it and the text.
        int ink = drawn.firstInkColumn(0, background);
        EXPECT_GE(ink, 0);
        EXPECT_LT(ink, 32);
        int text = drawn.firstInkColumn(32, background);
        EXPECT_GE(text, 48);
        EXPECT_LT(text, 60);
    }
    // Windows adds bits of its own to a highlighted item's state (no keyboard cues in a menu
    // opened with the mouse, an inactive menu); Wine never does.
    for (UINT state : {UINT(ODS_SELECTED), UINT(ODS_FOCUS), UINT(ODS_SELECTED | ODS_NOACCEL),
                       UINT(ODS_SELECTED | ODS_INACTIVE | ODS_NOACCEL)}) {
        DrawnItem drawn(*window, index, state);
        EXPECT_EQ(drawn.pixel(DrawnItem::width - 1, DrawnItem::height - 1),
                  GetSysColor(COLOR_HIGHLIGHT)) << state;
    }
    {
        DrawnItem drawn(*window, index, ODS_NOACCEL);
        EXPECT_EQ(drawn.pixel(DrawnItem::width - 1, DrawnItem::height - 1), background);
    }
}

// The colour of the brush the menu paints its background with, between and below the items.
COLORREF menuBackground(HMENU menu)
{
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_BACKGROUND;
    LOGBRUSH brush{};
    if (!GetMenuInfo(menu, &info) || !info.hbrBack ||
        !GetObjectA(info.hbrBack, sizeof(brush), &brush))
        return CLR_INVALID;
    return brush.lbColor;
}

TEST_F(LauncherMenuTest, ASetOfTheSystemsColoursFollowsDarkModeAtOnceAndAChosenOneStays)
{
    const char personalize[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    auto appsUseLightTheme = [&](DWORD light) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, personalize, 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr), ERROR_SUCCESS);
        RegSetValueExA(key, "AppsUseLightTheme", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&light), sizeof(light));
        RegCloseKey(key);
        // What Windows broadcasts when the user switches.
        send(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("ImmersiveColorSet"));
    };
    struct Undo {
        const char* key;
        ~Undo() { RegDeleteKeyA(HKEY_CURRENT_USER, key); }
    } undo{personalize};
    iconsInShortColumns();
    active().IconPrint = 0;
    rebuild();
    int index = indexOf("メモ.txt");
    auto backgroundOf = [&](UINT state) {
        DrawnItem drawn(*window, index, state);
        return drawn.pixel(DrawnItem::width - 1, DrawnItem::height - 1);
    };
    const MenuPalette dark = darkMenuPalette();
    for (DWORD light : {0u, 1u, 0u}) {
        appsUseLightTheme(light);
        COLORREF expected = light ? GetSysColor(COLOR_MENU) : dark.menu;
        EXPECT_EQ(backgroundOf(0), expected) << light;
        EXPECT_EQ(backgroundOf(ODS_SELECTED), light ? GetSysColor(COLOR_HIGHLIGHT) : dark.highlight);
        EXPECT_EQ(menuBackground(menu().handle()), expected) << light;
    }
    // Chosen colours are kept in dark mode, in the items and between them.
    active().SystemColors = false;
    active().BackgroundColor = RGB(200, 230, 255);
    rebuild();
    EXPECT_EQ(backgroundOf(0), RGB(200, 230, 255));
    EXPECT_EQ(menuBackground(menu().handle()), RGB(200, 230, 255));
}

TEST_F(LauncherMenuTest, SharedPicturesDrawWhatEachEntrysOwnIconWould)
{
    iconsInShortColumns();
    const COLORREF background = RGB(10, 200, 30);
    active().BackgroundColor = background;
    for (int size : {32, 16}) {
        active().IconSize = size;
        active().SystemColors = false;
    rebuild();
        // Each entry's own icon, asked for by its path, one image each.
        ImageListHandle own(ImageList_Create(size, size, ILC_COLORDDB | ILC_MASK, 0, 16));
        ImageList_SetBkColor(own.get(), CLR_NONE);
        const auto& paths = menu().itemPaths();
        for (std::size_t i = 0; i < paths.size(); ++i) {
            SHFILEINFOA info{};
            UINT sizeFlag = size == 32 ? SHGFI_LARGEICON : SHGFI_SMALLICON;
            ASSERT_TRUE(SHGetFileInfoA(paths[i].c_str(), 0, &info, sizeof(info),
                                       SHGFI_ICON | sizeFlag));
            IconHandle icon(info.hIcon);
            ASSERT_EQ(ImageList_ReplaceIcon(own.get(), -1, icon.get()), static_cast<int>(i));

            if (isShellLinkName(paths[i]))
                continue;
            DrawnItem shared(*window, static_cast<int>(i), 0);
            DrawnItem alone(own.get(), static_cast<int>(i), background);
            int differing = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    differing += shared.pixel(x, y) != alone.pixel(x, y);
            EXPECT_EQ(differing, 0) << paths[i] << " at " << size;
        }
        // A shortcut shows its target's picture, and the shell's arrow in its lower left
        // quarter (Wine's own shortcut icon shows the arrow alone, and no arrow when small).
        int link = indexOf("Web.lnk");
        DrawnItem shortcut(*window, link, 0), target(*window, indexOf("Tool.exe"), 0);
        DrawnItem shell(own.get(), link, background);
        int outsideTheArrow = 0, arrow = 0, arrowDrawn = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                if (x >= size / 2 || y < size / 2) {
                    outsideTheArrow += shortcut.pixel(x, y) != target.pixel(x, y);
                } else if (shell.pixel(x, y) != background &&
                           shell.pixel(x, y) != target.pixel(x, y)) {
                    ++arrow;
                    arrowDrawn += shortcut.pixel(x, y) == shell.pixel(x, y);
                }
            }
        EXPECT_EQ(outsideTheArrow, 0) << size;
        EXPECT_EQ(arrowDrawn, arrow) << size;
    }
}

TEST_F(LauncherMenuTest, AfterAddsDeletesRenamesAndRewritesTheWatchsBuildIsAFullBuild)
{
    iconsInShortColumns();
    active().IconPrint = 2;
    rebuild();
    folder.write("新しい.txt");
    ASSERT_TRUE(DeleteFileA(folder.file("a01.txt").c_str()));
    ASSERT_TRUE(MoveFileA(folder.file("a02.txt").c_str(), folder.file("z02.txt").c_str()));
    // Rewritten in place, as an updater replaces a program: this one has an icon of its own.
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    ASSERT_TRUE(CopyFileA(self, folder.file("Tool.exe").c_str(), FALSE));
    struct Built {
        std::vector<std::string> texts, paths;
        std::vector<std::vector<COLORREF>> pixels;
    };
    auto built = [&] {
        Built shown{menu().itemTexts(), menu().itemPaths(), {}};
        for (std::size_t i = 0; i < shown.paths.size(); ++i) {
            DrawnItem drawn(*window, static_cast<int>(i), 0);
            std::vector<COLORREF> pixels;
            for (int y = 0; y < 36; ++y)
                for (int x = 0; x < DrawnItem::width; ++x)
                    pixels.push_back(drawn.pixel(x, y));
            shown.pixels.push_back(std::move(pixels));
        }
        return shown;
    };
    buildMenu();
    EXPECT_GT(menu().reusedPictures(), 0u);
    Built watched = built();
    rebuild();
    EXPECT_EQ(menu().reusedPictures(), 0u);
    Built full = built();
    EXPECT_EQ(watched.texts, full.texts);
    ASSERT_EQ(watched.paths, full.paths);
    for (std::size_t i = 0; i < full.paths.size(); ++i)
        EXPECT_TRUE(watched.pixels[i] == full.pixels[i]) << full.paths[i];
}

TEST_F(LauncherMenuTest, MenuSelectFollowsLauncherItemsOnly)
{
    iconsInShortColumns();
    rebuild();
    highlight(3);
    EXPECT_EQ(menu().highlighted(), 3);
    LPARAM launcher = reinterpret_cast<LPARAM>(menu().handle());
    MessageResult answer = send(WM_MENUSELECT, MAKEWPARAM(32772, MF_HILITE), launcher);
    EXPECT_TRUE(answer.handled);
    EXPECT_EQ(menu().highlighted(), 3);

    // The window's system menu is not the launcher menu: its highlight and typed keys are left
    // to the system, and the space bar collects nothing.
    LPARAM system = reinterpret_cast<LPARAM>(GetSystemMenu(window->hwnd(), FALSE));
    send(WM_MENUSELECT, MAKEWPARAM(launcherFirstId + 5, MF_HILITE), system);
    EXPECT_EQ(menu().highlighted(), 3);
    EXPECT_EQ(send(WM_MENUCHAR, MAKEWPARAM('a', MF_SYSMENU), system).value, 0);
    EXPECT_EQ(send(WM_MENUCHAR, MAKEWPARAM(' ', MF_SYSMENU), system).value, 0);
    EXPECT_TRUE(window->multiRun().entries().empty());
    EXPECT_FALSE(IsWindowVisible(window->multiRun().hwnd()));
    // The menu closing.
    send(WM_MENUSELECT, MAKEWPARAM(0xFFFF, 0xFFFF), 0);
    EXPECT_EQ(menu().highlighted(), 3);
}

TEST_F(LauncherMenuTest, TypedLetterCyclesThroughMatchingEntriesAndOthersAreIgnored)
{
    iconsInShortColumns();
    rebuild();
    std::set<int> aEntries;
    for (const char* name : {"a01.txt", "a02.txt", "a03.txt", "a04.txt", "a05.txt",
                             "abcdefghijk.txt"})
        aEntries.insert(indexOf(name));
    highlight(indexOf("Tool.exe"));
    std::vector<int> answers;
    for (int i = 0; i < 7; ++i) {
        MessageResult answer = menuChar(i % 2 ? 'a' : 'A');
        ASSERT_TRUE(answer.handled);
        ASSERT_EQ(HIWORD(answer.value), MNC_SELECT);
        answers.push_back(LOWORD(answer.value));
        EXPECT_EQ(menu().highlighted(), answers.back());
    }
    EXPECT_EQ(std::set<int>(answers.begin(), answers.begin() + 6), aEntries);
    EXPECT_EQ(answers[6], answers[0]);

    int before = menu().highlighted();
    EXPECT_EQ(menuChar('q').value, 0);
    EXPECT_EQ(menu().highlighted(), before);
}

TEST_F(LauncherMenuTest, LettersTypedInOneBurstFindTheEntryThatBeginsWithThemAll)
{
    for (const char* name : {"notepad.lnk", "notes.txt", "network.lnk"})
        folder.write(name);
    iconsInShortColumns();
    rebuild();
    // Sent one after another, the characters carry one message time: one burst of typing.
    highlight(indexOf("Tool.exe"));
    for (char typed : std::string("not"))
        menuChar(typed);
    EXPECT_EQ(menu().highlighted(), indexOf("notepad.lnk"));
    menuChar('e');
    menuChar('s');
    EXPECT_EQ(menu().highlighted(), indexOf("notes.txt"));
    // Moved with the arrows, the next letter starts a new prefix.
    highlight(indexOf("Tool.exe"));
    menuChar('N');
    menuChar('e');
    EXPECT_EQ(menu().highlighted(), indexOf("network.lnk"));
}

TEST_F(LauncherMenuTest, ACharacterBeyondTheBasicPlaneIsTypedInTwoHalves)
{
    const std::wstring tune = widePath(folder.path()) + L"\\🎵曲.txt";
    FileHandle(CreateFileW(tune.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    rebuild();
    auto real = menu().itemRealTexts();
    int entry = static_cast<int>(
        std::find_if(real.begin(), real.end(),
                     [](const std::u16string& text) { return text.rfind(u"🎵曲", 0) == 0; }) -
        real.begin());
    ASSERT_LT(entry, static_cast<int>(real.size()));
    highlight(0);
    // The window gets the character as UTF-16, one unit a message, as the menu loop sends it.
    auto typed = [&](wchar_t unit) {
        return SendMessageW(window->hwnd(), WM_MENUCHAR, MAKEWPARAM(unit, MF_POPUP),
                            reinterpret_cast<LPARAM>(menu().handle()));
    };
    EXPECT_EQ(typed(0xD83C), 0);
    EXPECT_EQ(typed(0xDFB5), static_cast<LRESULT>(highlightAnswer(entry)));
    // Its text in the code page begins with "?", which a typed "?" is not.
    highlight(0);
    EXPECT_NE(LOWORD(menuChar('?').value), entry);
}

TEST_F(LauncherMenuTest, ANameWithOnlyALookAlikeInTheCodePageKeepsItsRealPath)
{
    // Best fit would give "resume.txt", another file of this folder.
    const std::wstring real = widePath(folder.path()) + L"\\r\u00e9sum\u00e9.txt";
    FileHandle(CreateFileW(real.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    folder.write("resume.txt");
    rebuild();
    auto realPaths = menu().itemRealPaths();
    const std::u16string expected(real.begin(), real.end());
    EXPECT_EQ(std::count(realPaths.begin(), realPaths.end(), expected), 1);
    EXPECT_GE(indexOf("resume.txt"), 0);
}

// A menu holding names the code page cannot hold: a Korean text file and a program whose name
// has a character outside the basic plane, beside ordinary names.
class RealNameMenuTest : public LauncherMenuTest {
protected:
    void SetUp() override
    {
        LauncherMenuTest::SetUp();
        std::string child = copyChild(folder.path(), "qchildcopy", 0);
        ASSERT_TRUE(MoveFileW(widePath(child).c_str(), naivePath.c_str()));
        HANDLE text = CreateFileW(koreanPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(text, INVALID_HANDLE_VALUE);
        CloseHandle(text);
        copyChild(folder.path(), "ordinary", 0);
        iconsInShortColumns();
        rebuild();
        koreanIndex = indexOfReal(koreanPath);
        naiveIndex = indexOfReal(naivePath);
        ASSERT_GE(koreanIndex, 0);
        ASSERT_GE(naiveIndex, 0);
    }
    int indexOfReal(const std::wstring& path) const
    {
        auto realPaths = menu().itemRealPaths();
        auto found = std::find(realPaths.begin(), realPaths.end(),
                               reinterpret_cast<const char16_t*>(path.c_str()));
        return found == realPaths.end() ? -1 : static_cast<int>(found - realPaths.begin());
    }

    const std::wstring folderPath = widePath(folder.path());
    const std::wstring koreanPath = folderPath + L"\\한국어.txt";
    const std::wstring naivePath = folderPath + L"\\naïve🎵.exe";
    int koreanIndex = -1;
    int naiveIndex = -1;
};

TEST_F(RealNameMenuTest, TheyKeepTheirRealNameAndPathAndThePictureOfTheirType)
{
    const std::u16string koreanText = u"한국어", naiveText = u"naïve🎵";
    EXPECT_EQ(menu().itemRealTexts()[static_cast<std::size_t>(koreanIndex)], koreanText);
    EXPECT_EQ(menu().itemRealTexts()[static_cast<std::size_t>(naiveIndex)], naiveText);
    // A screen reader reads the real names too.
    EXPECT_EQ(accessibleText(dataOf(*window, koreanIndex)), wideChars(koreanText));
    EXPECT_EQ(accessibleText(dataOf(*window, naiveIndex)), wideChars(naiveText));
    // Names the code page holds keep the ANSI path alone, byte for byte.
    int memo = indexOf("メモ.txt");
    ASSERT_GE(memo, 0);
    EXPECT_TRUE(menu().itemRealPaths()[static_cast<std::size_t>(memo)].empty());
    // The pictures are those of their types, as for the ordinary names beside them.
    EXPECT_EQ(imageOf(koreanIndex), imageOf(memo));
    EXPECT_EQ(imageOf(naiveIndex), imageOf(indexOf("ordinary.exe")));
}

TEST_F(RealNameMenuTest, TheirFirstCharacterTypedInUtf16HighlightsThem)
{
    // The menu's character in UTF-16, as a Unicode menu loop sends it.
    highlight(0);
    LRESULT answer = SendMessageW(window->hwnd(), WM_MENUCHAR, MAKEWPARAM(L'한', MF_POPUP),
                                  reinterpret_cast<LPARAM>(menu().handle()));
    EXPECT_EQ(HIWORD(answer), MNC_SELECT);
    EXPECT_EQ(LOWORD(answer), koreanIndex);
    EXPECT_EQ(menu().highlighted(), koreanIndex);
    // Characters the code page holds are typed the same way.
    highlight(0);
    answer = SendMessageW(window->hwnd(), WM_MENUCHAR, MAKEWPARAM(L'o', MF_POPUP),
                          reinterpret_cast<LPARAM>(menu().handle()));
    EXPECT_EQ(LOWORD(answer), indexOf("ordinary.exe"));
}

TEST_F(RealNameMenuTest, TheyStartByTheirRealPathAlsoFromTheRunList)
{
    send(WM_COMMAND, MAKEWPARAM(launcherFirstId + naiveIndex, 0));
    ASSERT_TRUE(pumpUntil([&] { return !childRealPaths(naivePath).empty(); }, 15000));
    char utf8[4 * MAX_PATH] = {};
    WideCharToMultiByte(CP_UTF8, 0, naivePath.c_str(), -1, utf8, sizeof(utf8), nullptr, nullptr);
    EXPECT_EQ(childRealPaths(naivePath)[0], utf8);
    EXPECT_TRUE(boxes.boxes().empty());

    // The space bar collects it with its real name, which the run list shows and runs by.
    highlight(naiveIndex);
    menuChar(' ');
    MultiRunWindow& multiRun = window->multiRun();
    ASSERT_EQ(multiRun.entries().size(), 1u);
    EXPECT_EQ(multiRun.entries()[0].realPath, fromWide(naivePath.c_str()));
    wchar_t line[MAX_PATH] = {};
    SendDlgItemMessageW(multiRun.hwnd(), IDC_RUN_LIST, LB_GETTEXT, 0,
                        reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(std::wstring(line), naivePath);
    multiRun.runList();
    ASSERT_TRUE(pumpUntil([&] { return childRealPaths(naivePath).size() == 2; }, 15000));
}

TEST_F(RealNameMenuTest, ARunListHoldingOneIsRefusedByTheListFileAndNamed)
{
    highlight(naiveIndex);
    menuChar(' ');
    std::string list = folder.write("old.sqx", "old list");
    EXPECT_FALSE(window->multiRun().saveListFile(list));
    EXPECT_EQ(readFile(list), "old list");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_NE(boxes.boxes()[0].wideText.find(naivePath), std::wstring::npos);
}

TEST_F(LauncherMenuTest, SubFoldersCascadeAsMenusFilledWhenTheyOpen)
{
    const std::string tools = folder.file("道具");
    CreateDirectoryA(tools.c_str(), nullptr);
    std::string tool = copyChild(tools, "tool", 0);
    CreateDirectoryA((tools + "\\奥").c_str(), nullptr);
    folder.write("道具\\奥\\深い.txt");
    ASSERT_TRUE(createShortcut(tools, folder.file("近道.lnk"), ""));
    iconsInShortColumns();
    rebuild();
    ASSERT_GE(indexOf("道具"), 0);
    EXPECT_EQ(menu().entries()[static_cast<std::size_t>(indexOf("道具"))].subMenu, nullptr);

    active().FolderMenu = true;
    rebuild();
    const int item = indexOf("道具");
    HMENU sub = GetSubMenu(menu().handle(), item);
    ASSERT_NE(sub, nullptr);
    EXPECT_NE(GetSubMenu(menu().handle(), indexOf("近道.lnk")), nullptr);
    EXPECT_EQ(GetSubMenu(menu().handle(), indexOf("メモ.txt")), nullptr);
    EXPECT_EQ(GetSubMenu(menu().handle(), indexOf("Web.lnk")), nullptr);
    // Nothing of a sub-folder is read before it opens.
    EXPECT_EQ(GetMenuItemCount(sub), 0);
    const std::size_t rootEntries = menu().entries().size();

    ASSERT_TRUE(send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), item).handled);
    // Its two entries, and the folder itself last as in the launcher menu.
    ASSERT_EQ(GetMenuItemCount(sub), 3);
    auto paths = menu().itemPaths();
    ASSERT_EQ(paths.size(), rootEntries + 3);
    EXPECT_EQ(paths.back(), tools);
    int toolPosition = paths[rootEntries] == tool ? 0 : 1;
    ASSERT_EQ(paths[rootEntries + static_cast<std::size_t>(toolPosition)], tool);
    UINT toolId = GetMenuItemID(sub, toolPosition);
    EXPECT_EQ(toolId, launcherFirstId + rootEntries + static_cast<UINT>(toolPosition));

    // Typed in the sub-menu, a letter finds the sub-menu's entry.
    highlight(0);
    MessageResult typed =
        send(WM_MENUCHAR, MAKEWPARAM('t', MF_POPUP), reinterpret_cast<LPARAM>(sub));
    EXPECT_EQ(typed.value, static_cast<LRESULT>(highlightAnswer(toolPosition)));

    // The deeper folder cascades again; opening it keeps its parent's entries.
    HMENU deeper = GetSubMenu(sub, 1 - toolPosition);
    ASSERT_NE(deeper, nullptr);
    ASSERT_TRUE(send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(deeper), 1 - toolPosition).handled);
    ASSERT_EQ(GetMenuItemCount(deeper), 2);
    EXPECT_EQ(menu().itemPaths()[rootEntries + 3], tools + "\\奥\\深い.txt");
    EXPECT_EQ(menu().itemPaths()[rootEntries + static_cast<std::size_t>(toolPosition)], tool);

    // The entry starts in the folder it is listed in.
    send(WM_COMMAND, MAKEWPARAM(toolId, 0));
    ASSERT_TRUE(pumpUntil([&] { return readChildRecord(tool).ended; }, 15000));
    EXPECT_EQ(readChildRecord(tool).directory, tools);

    // A folder that cannot be listed says so in a line that opens nothing.
    removeTree(tools);
    ASSERT_TRUE(send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), item).handled);
    ASSERT_EQ(GetMenuItemCount(sub), 1);
    EXPECT_TRUE(GetMenuState(sub, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(menu().entries().size(), rootEntries);
}

TEST_F(LauncherMenuTest, ASubMenuOfManyShortcutsShowsAtOnceAndItsPicturesFollow)
{
    // Each shortcut's picture is read from its target, a few milliseconds apiece under Wine:
    // more than a sub-menu may keep the open menu waiting.
    const std::string links = folder.file("近道");
    UINT_PTR builds = launcher().menuBuilds();
    CreateDirectoryA(links.c_str(), nullptr);
    std::string target = copyChild(folder.path(), "target", 0);
    const std::string one = links + "\\1000.lnk";
    ASSERT_TRUE(createShortcut(target, one, ""));
    for (int i = 1; i < 299; ++i)
        CopyFileA(one.c_str(), (links + "\\" + std::to_string(1000 + i) + ".lnk").c_str(), TRUE);
    // The last one leads to a folder: whether it cascades is known only once it is read.
    ASSERT_TRUE(createShortcut(folder.path(), links + "\\1299.lnk", ""));
    // The watch has built the menu for the new entries, as it would before a popup.
    ASSERT_TRUE(serveUntil(
        [&] { return launcher().menuBuilds() > builds && !launcher().watch().settling(); }));
    iconsInShortColumns();
    active().FolderMenu = true;
    rebuild();
    const int item = indexOf("近道");
    HMENU sub = GetSubMenu(menu().handle(), item);
    ASSERT_NE(sub, nullptr);
    const std::size_t first = menu().entries().size();
    DWORD start = GetTickCount();
    ASSERT_TRUE(send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), item).handled);
    DWORD took = GetTickCount() - start;
    ASSERT_EQ(GetMenuItemCount(sub), 301);
    auto pictureOf = [&](std::size_t i) {
        const LauncherEntry& entry = menu().entries()[first + i];
        return std::make_pair(entry.image, entry.overlay);
    };
    if (!menu().picturesPending())
        GTEST_SKIP() << "300 shortcut pictures took only " << took << " ms here";
    EXPECT_NE(pictureOf(299), pictureOf(0));
    EXPECT_EQ(GetSubMenu(sub, 299), nullptr);
    EXPECT_TRUE(serveUntil([&] { return !menu().picturesPending(); }, 30000));
    // One target, one picture: every entry shows what the first was given at once.
    for (std::size_t i = 1; i < 299; ++i)
        ASSERT_EQ(pictureOf(i), pictureOf(0)) << i;
    EXPECT_NE(GetSubMenu(sub, 299), nullptr);
}

TEST_F(LauncherMenuTest, SpaceBarCollectsEntriesIntoTheMultipleExecutionList)
{
    iconsInShortColumns();
    rebuild();
    const auto& paths = menu().itemPaths();
    highlight(0);
    for (int i = 1; i <= 3; ++i) {
        MessageResult answer = menuChar(' ');
        EXPECT_EQ(answer.value, MAKELRESULT(i, MNC_SELECT));
    }
    std::vector<RunEntry> entries = window->multiRun().entries();
    ASSERT_EQ(entries.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entries[i].entryText, paths[i]);
        EXPECT_EQ(entries[i].pathLength, static_cast<int>(paths[i].size()));
    }
    EXPECT_TRUE(IsWindowVisible(window->multiRun().hwnd()));

    // The last entry (the folder item) wraps the highlight to the first.
    int last = static_cast<int>(paths.size()) - 1;
    highlight(last);
    EXPECT_EQ(menuChar(' ').value, MAKELRESULT(0, MNC_SELECT));
    EXPECT_EQ(window->multiRun().entries().back().entryText, folder.path());

    // With Shift held the same entry goes in again and again, and the highlight stays.
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE shifted[256];
    std::copy(keys, keys + 256, shifted);
    shifted[VK_SHIFT] = 0x80;
    SetKeyboardState(shifted);
    highlight(2);
    EXPECT_EQ(menuChar(' ').value, 0);
    EXPECT_EQ(menuChar(' ').value, 0);
    SetKeyboardState(keys);
    entries = window->multiRun().entries();
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[4].entryText, paths[2]);
    EXPECT_EQ(entries[5].entryText, paths[2]);
    EXPECT_EQ(menu().highlighted(), 2);
}

TEST_F(LauncherMenuTest, TrayClicksPopUpTheMenusAndTheCommandPopupSilencesTheKeyboard)
{
    iconsInShortColumns();
    rebuild();

    // Releases, double clicks and moves show nothing.
    bool shown = false;
    {
        InsideMenu inside([&](HWND) { shown = true; });
        for (UINT mouse : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_RBUTTONUP})
            EXPECT_EQ(send(TrayIcon::callbackMessage, TrayIcon::iconId, mouse).value, 0);
        pumpPostedMessages();
    }
    EXPECT_FALSE(shown);

    highlight(4);
    RECT launcherRect{};
    {
        InsideMenu inside([&](HWND menu) { GetWindowRect(menu, &launcherRect); });
        send(TrayIcon::callbackMessage, TrayIcon::iconId, WM_LBUTTONDOWN);
        EXPECT_TRUE(inside.seen());
    }
    // The popup started with the first entry as the highlight.
    EXPECT_EQ(menu().highlighted(), 0);
    // Fourteen 36-pixel items in columns of (25% of the screen) / 36: at least three columns
    // of 32 pixels each.
    EXPECT_GE(launcherRect.right - launcherRect.left, 3 * 32);

    {
        InsideMenu inside([](HWND) {});
        send(TrayIcon::callbackMessage, TrayIcon::iconId, WM_RBUTTONDOWN);
        EXPECT_TRUE(inside.seen());
    }
    EXPECT_EQ(menu().highlighted(), -1);
    EXPECT_EQ(menuChar('a').value, 0);
    EXPECT_EQ(menuChar(' ').value, 0);
    EXPECT_TRUE(window->multiRun().entries().empty());
    EXPECT_EQ(menu().highlighted(), -1);
}

TEST_F(LauncherMenuTest, HotKeyPopsTheMenuUpInTheBottomRightCorner)
{
    iconsInShortColumns();
    rebuild();
    RECT rect{};
    {
        InsideMenu inside([&](HWND menu) { GetWindowRect(menu, &rect); });
        EXPECT_EQ(send(WM_HOTKEY, mainHotkeyId, 0).value, 0);
        EXPECT_TRUE(inside.seen());
    }
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_GE(rect.right, desktop.right - 8);
    EXPECT_GE(rect.bottom, desktop.bottom - 48);

    // A folder hot key that names no listed folder shows nothing.
    bool shown = false;
    {
        InsideMenu inside([&](HWND) { shown = true; });
        send(WM_HOTKEY, 77, 0);
        pumpPostedMessages();
    }
    EXPECT_FALSE(shown);
}

TEST_F(LauncherMenuTest, CommandsAreRoutedByTheirIdRange)
{
    iconsInShortColumns();
    rebuild();
    int index = indexOf("a05.txt");
    ASSERT_GE(index, 0);
    DeleteFileA(folder.file("a05.txt").c_str());

    // A control notification with a launcher id is not a launcher command.
    EXPECT_FALSE(send(WM_COMMAND, MAKEWPARAM(launcherFirstId + index, 1), 0).handled);
    EXPECT_TRUE(boxes.boxes().empty());

    // The entry's file went after the menu was built.
    EXPECT_TRUE(send(WM_COMMAND, MAKEWPARAM(launcherFirstId + index, 0), 0).handled);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "ShellExecute");
    EXPECT_EQ(boxes.boxes()[0].text, systemErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(boxes.boxes()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_EQ(boxes.boxes()[0].owner, window->hwnd());

    // Ids past the entries and folder ids past the folder list are consumed and do nothing.
    boxes.clear();
    EXPECT_TRUE(send(WM_COMMAND, MAKEWPARAM(launcherLastId, 0), 0).handled);
    EXPECT_TRUE(send(WM_COMMAND, MAKEWPARAM(folderFirstId + 50, 0), 0).handled);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0).handled);
}

// Holds a key down as the keyboard would, so that GetAsyncKeyState sees it.
class HeldKey {
public:
    explicit HeldKey(BYTE key) : key_(key) { keybd_event(key_, 0, 0, 0); }
    ~HeldKey() { keybd_event(key_, 0, KEYEVENTF_KEYUP, 0); }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

private:
    BYTE key_;
};

// Acts once on the first visible window with the title, from inside whatever loop runs.
class OnWindow {
public:
    // With `whenActive`, waits until the window has also become the active one: Wine
    // re-reads the key state when the activation moves, so keys pressed before are lost.
    OnWindow(std::string title, std::function<void(HWND)> action, bool whenActive = false)
        : title_(std::move(title)), action_(std::move(action)), whenActive_(whenActive),
          timer_(30, [this] { actOnceTheWindowIsUp(); })
    {
    }
    bool done() const { return done_; }

private:
    void actOnceTheWindowIsUp()
    {
        HWND window = FindWindowA(nullptr, title_.c_str());
        if (done_ || !window || !IsWindowVisible(window)
            || (whenActive_ && GetForegroundWindow() != window))
            return;
        done_ = true;
        action_(window);
    }
    std::string title_;
    std::function<void(HWND)> action_;
    bool whenActive_ = false;
    bool done_ = false;
    ThreadTimer timer_;
};

TEST_F(LauncherMenuTest, EntriesStartInTheLauncherFolderAndANewPromptEndsTheOpenOne)
{
    std::string firstChild = copyChild(folder.path(), "first", 0);
    std::string secondChild = copyChild(folder.path(), "second", 0);
    ASSERT_TRUE(fileExists(firstChild) && fileExists(secondChild));
    iconsInShortColumns();
    rebuild();
    int first = indexOf("first.exe");
    int second = indexOf("second.exe");
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);

    send(WM_COMMAND, MAKEWPARAM(launcherFirstId + first, 0));
    ASSERT_TRUE(pumpUntil([&] { return readChildRecord(firstChild).ended; }, 15000));
    ChildRecord record = readChildRecord(firstChild);
    EXPECT_EQ(record.directory, folder.path());
    EXPECT_EQ(record.arguments, "");
    DeleteFileA(folder.file("first.log").c_str());

    {
        HeldKey shift(VK_SHIFT);
        ASSERT_TRUE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
        // While the prompt for the first entry is open, the second is chosen (a hot key can
        // bring the menu back then); its prompt is confirmed with parameters.
        OnWindow firstPrompt(folder.file("first.exe"), [&](HWND) {
            // Wine takes the key state from the X server when the focus moves to the prompt,
            // which forgets a key pressed only here: press it again, until it shows.
            for (int tries = 0; tries < 50 && !(GetAsyncKeyState(VK_SHIFT) & 0x8000); ++tries) {
                keybd_event(VK_SHIFT, 0, 0, 0);
                Sleep(20);
            }
            PostMessageA(window->hwnd(), WM_COMMAND, MAKEWPARAM(launcherFirstId + second, 0), 0);
        }, true);
        OnWindow secondPrompt(folder.file("second.exe"), [&](HWND prompt) {
            SetDlgItemTextA(prompt, 1047, "-two \"ソフト\"");
            PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        // Ends the waits of prompts that would never end.
        ThreadTimer watchdog(15000, [&] {
            if (launcher().paramPrompt().isOpen())
                launcher().paramPrompt().endDialog(IDCANCEL);
        });
        send(WM_COMMAND, MAKEWPARAM(launcherFirstId + first, 0));
        EXPECT_TRUE(firstPrompt.done());
        EXPECT_TRUE(secondPrompt.done());
    }
    ASSERT_TRUE(pumpUntil([&] { return readChildRecord(secondChild).ended; }, 15000));
    record = readChildRecord(secondChild);
    EXPECT_EQ(record.directory, folder.path());
    EXPECT_EQ(record.arguments, "-two \"ソフト\"");
    // Every start happens inside the command: once it returned and what it posted ran, a first
    // program started is still running or has written its record.
    pumpPostedMessages();
    EXPECT_FALSE(processRunning("first.exe") || fileExists(folder.file("first.log")));
    EXPECT_FALSE(launcher().paramPrompt().isOpen());
    EXPECT_EQ(launcher().paramPrompt().paramHistory, std::vector<std::string>{"-two \"ソフト\""});
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(LauncherMenuTest, FolderCommandSwitchesTheCurrentFolder)
{
    TempFolder other("qother");
    other.write("only.txt");
    window->folderPage().addFolder(folder.path());
    window->folderPage().addFolder(other.path());
    ASSERT_EQ(window->folderList().paths().size(), 2u);
    iconsInShortColumns();
    send(WM_COMMAND, MAKEWPARAM(folderFirstId + 1, 0), 0);
    EXPECT_EQ(window->folderPage().currentFolder(), other.path());
    EXPECT_EQ(app::profile().readString("NowFolder", "AppFolder", ""), other.path());
    EXPECT_EQ(menu().itemPaths().front(), other.file("only.txt"));
}

TEST_F(LauncherMenuTest, AFolderBeyondTheIdRangeListsTheEntriesThatFit)
{
    // Every entry costs a shell query of a few milliseconds under Wine: one build only.
    TempFolder big("qbig");
    for (int i = 0; i < 4100; ++i) {
        char name[16];
        wsprintfA(name, "f%04d", i);
        HANDLE file = CreateFileA(big.file(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        CloseHandle(file);
    }
    app::profile().writeString("NowFolder", "AppFolder", big.path());
    LauncherSettings& set = active();
    set.IconPrint = 0;
    set.IconSize = 16;
    set.PrintMyself = true;
    rebuild();
    HMENU handle = menu().handle();
    // The items that fit, and a note of the rest that opens nothing.
    ASSERT_EQ(GetMenuItemCount(handle), 4097);
    char note[64] = {};
    GetMenuStringA(handle, 4096, note, sizeof(note), MF_BYPOSITION);
    EXPECT_EQ(std::string(note), "…ほか 5 件");
    EXPECT_TRUE(GetMenuState(handle, 4096, MF_BYPOSITION) & MF_GRAYED);
    expectEveryItemShowsAnImage();
    // Files of one type and the folder item: two pictures for 4,096 items.
    EXPECT_LE(ImageList_GetImageCount(menu().images()), 2);
    EXPECT_EQ(menu().itemTexts().size(), 4096u);
    // The folder item keeps the last launcher id; no item takes a folder id.
    EXPECT_EQ(itemFacts(handle, 4095).id, launcherLastId);
    EXPECT_EQ(menu().itemPaths().back(), big.path());
    const auto& paths = menu().itemPaths();
    EXPECT_TRUE(std::all_of(paths.begin(), paths.end() - 1, [&](const std::string& path) {
        return path.compare(0, big.path().size() + 2, big.path() + "\\f") == 0;
    }));

    // As a sub-menu, after the launcher menu's own entries: its ids end at the same place.
    ASSERT_TRUE(MoveFileA(big.path().c_str(), folder.file("大量").c_str()));
    app::profile().writeString("NowFolder", "AppFolder", folder.path());
    active().FolderMenu = true;
    rebuild();
    const int item = indexOf("大量");
    HMENU sub = GetSubMenu(menu().handle(), item);
    ASSERT_NE(sub, nullptr);
    ASSERT_TRUE(send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), item).handled);
    int count = GetMenuItemCount(sub);
    ASSERT_GE(count, 3);
    EXPECT_EQ(GetMenuItemID(sub, count - 2), launcherLastId);
    EXPECT_EQ(menu().itemPaths().back(), folder.file("大量"));
    EXPECT_TRUE(GetMenuState(sub, static_cast<UINT>(count - 1), MF_BYPOSITION) & MF_GRAYED);
    ASSERT_TRUE(MoveFileA(folder.file("大量").c_str(), big.path().c_str()));
}

}  // namespace
