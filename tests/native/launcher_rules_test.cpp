// The launcher menu's portable rules: display texts, columns, the tray tip, item geometry, and
// the menu keyboard.
#include "launcher/icon_rules.h"
#include "launcher/item_colours.h"
#include "launcher/item_geometry.h"
#include "launcher/launch_errors.h"
#include "launcher/menu_layout.h"
#include "launcher/type_ahead.h"
#include "launcher/wide_entry_text.h"
#include "launcher/param_history.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

namespace {

TEST(EntryDisplayText, ExtensionSwitchesTreatOnlyLowerCaseLnkAsShortcut)
{
    EXPECT_EQ(entryDisplayText("Tool.exe", false, false), "Tool");
    EXPECT_EQ(entryDisplayText("Doc.LNK", false, false), "Doc");
    EXPECT_EQ(entryDisplayText("Web.lnk", false, false), "Web");

    EXPECT_EQ(entryDisplayText("Tool.exe", true, false), "Tool.exe");
    EXPECT_EQ(entryDisplayText("Doc.LNK", true, false), "Doc.LNK");
    EXPECT_EQ(entryDisplayText("Web.lnk", true, false), "Web");

    EXPECT_EQ(entryDisplayText("Tool.exe", false, true), "Tool");
    EXPECT_EQ(entryDisplayText("Web.lnk", false, true), "Web.lnk");
}

TEST(EntryDisplayText, NamesWithoutOrWithOnlyAnExtension)
{
    EXPECT_EQ(entryDisplayText(".profile", false, false), "");
    EXPECT_EQ(entryDisplayText(".profile", true, false), ".profile");
    EXPECT_EQ(entryDisplayText("README", false, false), "README");
    EXPECT_EQ(entryDisplayText("archive.tar.gz", false, false), "archive.tar");
    // The dot is found by characters: the second byte of a double-byte character is no dot
    // and no separator (ソ ends in the backslash byte).
    EXPECT_EQ(entryDisplayText("ソフト.txt", false, false), "ソフト");
    EXPECT_EQ(entryDisplayText("メモ", false, false), "メモ");
}

TEST(Columns, ExamplesOfTheScreen)
{
    // 768 pixels, icons and names, 32-pixel icons, a 12-pixel font: 24 rows.
    std::int64_t h = rowHeight(2, 32, 12);
    EXPECT_EQ(h, 32);
    int rows = rowsPerColumnFor(768, 100, 0, h);
    EXPECT_EQ(rows, 24);
    std::vector<std::size_t> breaks;
    for (std::size_t i = 0; i < 50; ++i)
        if (startsColumn(i, rows))
            breaks.push_back(i);
    EXPECT_EQ(breaks, (std::vector<std::size_t>{24, 48}));

    EXPECT_EQ(rowsPerColumnFor(768, 50, 4, h), 10);  // 384 / 36
    // Names only: the font decides, the icon edge does not.
    EXPECT_EQ(rowHeight(0, 32, 12), 12);
    // Icons only: no text is measured.
    EXPECT_EQ(rowHeight(1, 16, 0), 16);
    EXPECT_EQ(rowHeight(1, 0, 0), 1);
}

TEST(Columns, TinyColumnsGiveOneRowSoEveryLaterItemStartsAColumn)
{
    EXPECT_EQ(rowsPerColumnFor(768, 100, 100000, 32), 1);
    EXPECT_EQ(rowsPerColumnFor(768, 1, 0, 32), 1);
    EXPECT_EQ(rowsPerColumnFor(768, 0, 0, 32), 1);
    for (std::size_t i = 1; i < 5; ++i)
        EXPECT_TRUE(startsColumn(i, 1));
    EXPECT_FALSE(startsColumn(0, 1));
}

TEST(Columns, ProfileValuesOfAnySizeGiveAtLeastOneRow)
{
    // heightSpace + h of 0 or below: no division by zero, no negative count.
    EXPECT_EQ(rowsPerColumnFor(768, 100, -32, 32), 768);
    EXPECT_EQ(rowsPerColumnFor(768, 100, INT_MIN, 32), 768);
    EXPECT_EQ(rowsPerColumnFor(768, -100, 0, 32), 1);
    EXPECT_EQ(rowsPerColumnFor(768, INT_MIN, INT_MIN, 1), 1);
    // Products beyond 32 bits are not wrapped around.
    EXPECT_EQ(rowsPerColumnFor(768, INT_MAX, 0, 32), static_cast<int>(768LL * INT_MAX / 100 / 32));
    EXPECT_EQ(rowsPerColumnFor(768, 100, INT_MAX, INT_MAX), 1);
    EXPECT_EQ(rowsPerColumnFor(768, INT_MAX, -INT_MAX, 0), INT_MAX);
    EXPECT_EQ(rowHeight(2, INT_MIN, 0), 1);
    EXPECT_EQ(rowHeight(2, -5, 12), 12);
    EXPECT_FALSE(startsColumn(5, 0));
}

TEST(TrayTip, LastComponentOrDriveAndDirectory)
{
    EXPECT_EQ(trayTipFor("C:\\Tools\\my.apps"), "my");
    EXPECT_EQ(trayTipFor("D:\\"), "D:\\");
    EXPECT_EQ(trayTipFor("C:\\ランチャー\\ソフト"), "ソフト");
    EXPECT_EQ(trayTipFor(""), "");
}

TEST(TrayTip, CutAt63BytesWithoutSplittingACharacter)
{
    std::string longName(70, 'a');
    EXPECT_EQ(trayTipFor("C:\\" + longName), std::string(63, 'a'));
    // 62 single bytes and then a double-byte character: byte 63 would be its first half.
    std::string tip = trayTipFor("C:\\" + std::string(62, 'b') + "ソフト");
    EXPECT_EQ(tip, std::string(62, 'b'));
    std::string kana;
    for (int i = 0; i < 40; ++i)
        kana += "ア";
    EXPECT_EQ(trayTipFor("C:\\x\\" + kana).size(), 62u);
}

TEST(ImageEdge, KeepsUsualSizesAndBoundsTheRest)
{
    EXPECT_EQ(imageEdgeFor(32), 32);
    EXPECT_EQ(imageEdgeFor(16), 16);
    EXPECT_EQ(imageEdgeFor(0), 1);
    EXPECT_EQ(imageEdgeFor(-7), 1);
    EXPECT_EQ(imageEdgeFor(INT_MAX), 256);
}

TEST(ItemGeometry, IconAndNameMode)
{
    ItemSize size = measuredItemSize(2, 32, 0, 100, 12, 0, 0);
    EXPECT_TRUE(size.valid);
    EXPECT_EQ(size.width, 164);
    EXPECT_EQ(size.height, 32);
    EXPECT_EQ(measuredItemSize(2, 32, 5, 100, 12, 0, 0).height, 37);
    TextPlace place = itemTextPlace(2, 32, 12);
    EXPECT_TRUE(place.drawn);
    EXPECT_EQ(place.x, 48);
    EXPECT_EQ(place.y, 10);
    EXPECT_EQ(itemTextPlace(2, 16, 12).x, 24);
    EXPECT_EQ(itemTextPlace(2, 16, 13).y, 1);  // (16 - 13) / 2, truncated

    // A text narrower than the icon: the icon's edge counts.
    EXPECT_EQ(measuredItemSize(2, 32, 0, 20, 12, 0, 0).width, 96);
    // A text taller than the icon: the item is as high as the text, the text at its top.
    EXPECT_EQ(measuredItemSize(2, 16, 0, 20, 24, 0, 0).height, 24);
    EXPECT_EQ(itemTextPlace(2, 16, 24).y, 0);
}

TEST(ItemGeometry, NameOnlyIconOnlyAndUnknownModes)
{
    ItemSize name = measuredItemSize(0, 32, 3, 70, 12, 0, 0);
    EXPECT_EQ(name.width, 70);
    EXPECT_EQ(name.height, 15);
    EXPECT_EQ(itemTextPlace(0, 32, 12).x, 4);
    EXPECT_EQ(itemTextPlace(0, 32, 12).y, 0);

    ItemSize icon = measuredItemSize(1, 16, 0, 500, 40, 0, 0);
    EXPECT_EQ(icon.width, 16);
    EXPECT_EQ(icon.height, 16);
    EXPECT_FALSE(itemTextPlace(1, 16, 12).drawn);

    ItemSize unknown = measuredItemSize(7, 32, 4, 100, 12, 11, 19);
    EXPECT_FALSE(unknown.valid);
    EXPECT_EQ(unknown.width, 11);
    EXPECT_EQ(unknown.height, 23);
    EXPECT_FALSE(itemTextPlace(7, 32, 12).drawn);
}

TEST(ItemGeometry, SizesStayWithinBoundsForAnyProfileValues)
{
    ItemSize negative = measuredItemSize(2, -40, -100, 10, 12, 0, 0);
    EXPECT_GE(negative.width, 0);
    EXPECT_EQ(negative.height, 1);
    ItemSize huge = measuredItemSize(2, INT_MAX, INT_MAX, 10, 12, 0, 0);
    EXPECT_EQ(huge.width, maxItemExtent);
    EXPECT_EQ(huge.height, maxItemExtent);
    ItemSize lowest = measuredItemSize(1, INT_MIN, INT_MIN, 0, 0, 0, 0);
    EXPECT_EQ(lowest.width, 0);
    EXPECT_EQ(lowest.height, 1);
    TextPlace place = itemTextPlace(2, INT_MIN, 12);
    EXPECT_EQ(place.x, -maxItemExtent);
    EXPECT_EQ(itemTextPlace(2, INT_MAX, 12).x, maxItemExtent);
}

TEST(ItemGeometry, ShownTextIsCutToStringsNumberBytes)
{
    EXPECT_EQ(shownItemText("Hello World", 5), "Hello");
    EXPECT_EQ(shownItemText("Hello", 260), "Hello");
    EXPECT_EQ(shownItemText("Hello", 0), "");
    EXPECT_EQ(shownItemText("Hello", -3), "");
    // Bytes, not characters: three bytes of メモ are the first character and half the next.
    EXPECT_EQ(shownItemText("メモ", 3).size(), 3u);
}

const std::vector<std::string> entries = {"memo", "Mail", "tool", "music", "ソフト", "", "Zip"};

TEST(ItemColours, ChosenFollowingDarkAndHighContrastSetsForEveryItemState)
{
    SystemTheme theme;
    theme.menus = {0xF0F0F0, 0x000000, 0xD77800, 0xFFFFFF, true};
    const std::uint32_t text = 0x0000BB, background = 0xAADDFF;
    auto colours = [&](bool follows, bool selected, bool focused = false, bool noFrame = false) {
        return itemColours(paletteOf(follows, text, background, theme), theme.highContrast,
                           selected, focused, noFrame);
    };
    // Chosen colours stay in both modes, with the system's highlight.
    for (bool dark : {false, true}) {
        theme.darkApps = dark;
        EXPECT_EQ(colours(false, false).background, background);
        EXPECT_EQ(colours(false, false).text, text);
        EXPECT_EQ(colours(false, true).background, 0xD77800u);
        EXPECT_TRUE(colours(false, true).blendPicture);
        EXPECT_FALSE(colours(false, true).focusFrame);
    }
    theme.darkApps = false;
    EXPECT_EQ(colours(true, false).background, 0xF0F0F0u);
    EXPECT_EQ(colours(true, true).text, 0xFFFFFFu);
    // Dark: readable at 7:1, the highlight too, and pictures not tinted by a light highlight.
    theme.darkApps = true;
    for (bool selected : {false, true}) {
        ItemColours dark = colours(true, selected);
        EXPECT_LT(dark.background & 0xFF, 0x50u);
        EXPECT_GE(contrastRatio(dark.text, dark.background), 7.0) << selected;
        EXPECT_FALSE(dark.blendPicture);
    }
    EXPECT_NE(colours(true, true).background, colours(true, false).background);
    // High contrast wins over every choice and every mode, and frames the keyboard's place.
    theme.highContrast = true;
    for (bool follows : {false, true}) {
        EXPECT_EQ(colours(follows, false).background, 0xF0F0F0u);
        EXPECT_EQ(colours(follows, false).text, 0x000000u);
        ItemColours focused = colours(follows, false, true);
        EXPECT_EQ(focused.background, 0xD77800u);
        EXPECT_EQ(focused.text, 0xFFFFFFu);
        EXPECT_FALSE(focused.blendPicture);
        EXPECT_TRUE(focused.focusFrame);
        EXPECT_FALSE(colours(follows, true, false, true).focusFrame);
    }
    EXPECT_NEAR(contrastRatio(0xFFFFFF, 0x000000), 21.0, 0.01);
}

TEST(TypeAhead, LetterCyclesThroughMatchesInMenuOrderAndWraps)
{
    int selection = 0;
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        TypeAheadAnswer answer = typeAhead(selection, entries, 'm', false);
        EXPECT_EQ(answer.result, 0x30000u + static_cast<unsigned>(answer.selection));
        EXPECT_EQ(answer.collected, -1);
        seen.push_back(answer.selection);
        selection = answer.selection;
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 3, 0, 1}));
    // Upper-case typing matches lower-case texts alike.
    EXPECT_EQ(typeAhead(3, entries, 'Z', false).selection, 6);
    EXPECT_EQ(typeAhead(3, entries, 'z', false).selection, 6);
    // The only match is the highlighted entry itself: found after a full turn.
    EXPECT_EQ(typeAhead(2, entries, 't', false).selection, 2);
    EXPECT_EQ(typeAhead(2, entries, 't', false).result, 0x30002u);
}

TEST(TypeAhead, NoMatchLeavesTheHighlightAndIgnoresTheKey)
{
    TypeAheadAnswer answer = typeAhead(2, entries, 'q', false);
    EXPECT_EQ(answer.result, 0u);
    EXPECT_EQ(answer.selection, 2);
    // Only a to z are folded: a double-byte lead byte matches only itself.
    unsigned char lead = static_cast<unsigned char>(entries[4][0]);
    EXPECT_EQ(typeAhead(0, entries, lead, false).selection, 4);
    EXPECT_EQ(typeAhead(0, entries, static_cast<unsigned char>(lead + 0x20), false).result, 0u);
    // The tray command popup is open: keys do nothing at all.
    answer = typeAhead(-1, entries, 'm', false);
    EXPECT_EQ(answer.result, 0u);
    EXPECT_EQ(answer.selection, -1);
    EXPECT_EQ(typeAhead(-1, entries, ' ', false).collected, -1);
    // An empty menu.
    EXPECT_EQ(typeAhead(0, {}, 'm', false).result, 0u);
}

TEST(TypeAhead, CharactersTypedWithinASecondFormAPrefix)
{
    const std::vector<std::u32string> texts = {U"network", U"Notepad", U"notes", U"memo",
                                               U"♪曲", U"\U0001F3B5x"};
    TypedPrefix typed;
    int selection = 0;
    auto type = [&](char32_t c, std::uint32_t ms) {
        TypeAheadAnswer answer = typeAheadPrefix(selection, texts, typed.add(c, ms));
        selection = answer.selection;
        return answer;
    };
    type(U'n', 1000);
    EXPECT_EQ(selection, 1);
    type(U'O', 1500);
    EXPECT_EQ(selection, 1);
    type(U't', 2400);
    EXPECT_EQ(selection, 1);
    type(U'e', 2500);
    type(U's', 2600);
    EXPECT_EQ(selection, 2);
    // A prefix nobody has leaves the highlight, and the key to the menu.
    EXPECT_EQ(type(U'x', 2700).result, 0u);
    EXPECT_EQ(selection, 2);
    // After a pause a letter starts again, from the next entry on; the same letter again moves
    // on, also within the second (the clock wraps).
    type(U'n', 5000);
    EXPECT_EQ(selection, 0);
    typed.add(U'n', 0xFFFFFF00u);
    selection = 0;
    type(U'n', 0x100);
    EXPECT_EQ(selection, 1);
    // Characters beyond the code page and the basic plane, as one character each.
    type(U'\U0001F3B5', 9000);
    EXPECT_EQ(selection, 5);
    type(U'♪', 12000);
    EXPECT_EQ(selection, 4);
    // The tray command popup is open.
    EXPECT_EQ(typeAheadPrefix(-1, texts, typed.add(U'n', 20000)).result, 0u);
}

TEST(TypeAhead, SpaceCollectsAndMovesOnUnlessShiftIsHeld)
{
    int selection = 0;
    std::vector<int> collected;
    for (int i = 0; i < 3; ++i) {
        TypeAheadAnswer answer = typeAhead(selection, entries, ' ', false);
        collected.push_back(answer.collected);
        selection = answer.selection;
        EXPECT_EQ(answer.result, 0x30000u + static_cast<unsigned>(selection));
    }
    EXPECT_EQ(collected, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(selection, 3);

    TypeAheadAnswer last = typeAhead(6, entries, ' ', false);
    EXPECT_EQ(last.collected, 6);
    EXPECT_EQ(last.selection, 0);
    EXPECT_EQ(last.result, 0x30000u);

    for (int i = 0; i < 3; ++i) {
        TypeAheadAnswer held = typeAhead(4, entries, ' ', true);
        EXPECT_EQ(held.collected, 4);
        EXPECT_EQ(held.selection, 4);
        EXPECT_EQ(held.result, 0u);
    }
    // Nothing to collect in an empty menu or beyond its end.
    EXPECT_EQ(typeAhead(0, {}, ' ', false).collected, -1);
    EXPECT_EQ(typeAhead(9, entries, ' ', false).collected, -1);
}

TEST(ParamHistory, NewestFirstAtMostSixteenDuplicatesAndEmptiesKept)
{
    std::vector<std::string> history;
    for (int i = 1; i <= 17; ++i)
        rememberParameter(history, "p" + std::to_string(i));
    ASSERT_EQ(history.size(), 16u);
    EXPECT_EQ(history.front(), "p17");
    EXPECT_EQ(history.back(), "p2");

    rememberParameter(history, "p17");
    rememberParameter(history, "");
    EXPECT_EQ(history[0], "");
    EXPECT_EQ(history[1], "p17");
    EXPECT_EQ(history[2], "p17");
    EXPECT_EQ(history.size(), 16u);
}

}  // namespace

TEST(LaunchErrors, TheShellsOwnCodesGetTextsOfTheirOwnSystemCodesKeepTheSystems)
{
    EXPECT_EQ(shellLaunchErrorText(shellNoAssociation),
              "このファイルを開くプログラムが関連付けられていません。");
    // Each of the shell's own codes says what went wrong in words of its own; the codes it
    // shares with the system (file or path not found, access denied, out of memory, a bad
    // program) and those beside the shell's range are left to the system's text.
    std::set<std::string> texts;
    for (unsigned code : {0u, 26u, 27u, 28u, 29u, 30u, 31u, 32u})
        texts.insert(shellLaunchErrorText(code));
    EXPECT_EQ(texts.size(), 8u);
    EXPECT_EQ(texts.count(""), 0u);
    for (unsigned code : {28u, 29u, 30u})
        EXPECT_NE(shellLaunchErrorText(code).find("DDE"), std::string::npos) << code;
    EXPECT_NE(shellLaunchErrorText(32).find("DLL"), std::string::npos);
    for (unsigned code : {1u, 2u, 3u, 5u, 8u, 11u, 25u, 33u})
        EXPECT_TRUE(shellLaunchErrorText(code).empty()) << code;
}

TEST(IconRules, OnlyEntriesThatMayShowAPictureOfTheirOwnAreAskedByPath)
{
    EXPECT_EQ(lowerExtension("Setup.EXE"), "exe");
    EXPECT_EQ(lowerExtension("archive.tar.GZ"), "gz");
    EXPECT_EQ(lowerExtension("README"), "");
    // A trail byte that looks like a capital letter stays as it is: ア is 0x83 0x41.
    EXPECT_EQ(lowerExtension("x.Aア"), "aア");

    const EntryKind file, folder{true, false}, markedFolder{true, true};
    for (const char* own : {"tool.exe", "Web.LNK", "site.url", "a.ico", "b.cur", "c.ani"})
        EXPECT_TRUE(iconDependsOnFile(own, file)) << own;
    for (const char* typed : {"memo.txt", "photo.bmp", "page.html", "README", "exe"})
        EXPECT_FALSE(iconDependsOnFile(typed, file)) << typed;
    EXPECT_FALSE(iconDependsOnFile("フォルダ", folder));
    EXPECT_TRUE(iconDependsOnFile("フォルダ", markedFolder));
    EXPECT_TRUE(isShellLinkName("Doc.Lnk"));
    EXPECT_FALSE(isShellLinkName("doc.lnk.txt"));
}

// The names stay out of the assertion macros, which would quote them in the CP932 execution
// character set.
const std::u16string naive = u"naïve🎵", naiveExe = u"naïve🎵.exe", naiveX = u"naïve🎵x";
const std::u16string korean = u"한국어", koreanLnk = u"한국어.lnk", koreanUpperLnk = u"한국어.LNK";
const std::u16string coffeeV1 = u"☕.v1", coffeeV1Txt = u"☕.v1.txt", coffeeMemo = u"☕メモ";
const std::u16string note = u"🎵", noteTune = u"🎵曲", hangul = u"한글";
const char32_t han = U'한', noteChar = U'🎵', coffee = U'☕';

TEST(WideEntries, ExtensionRuleAndCutFollowTheAnsiRulesOnCharacters)
{
    EXPECT_EQ(wideEntryDisplayText(naiveExe, false, true), naive);
    EXPECT_EQ(wideEntryDisplayText(naiveExe, true, false), naiveExe);
    EXPECT_EQ(wideEntryDisplayText(koreanLnk, true, false), korean);
    EXPECT_EQ(wideEntryDisplayText(koreanUpperLnk, false, true), korean);
    EXPECT_EQ(wideEntryDisplayText(coffeeV1Txt, false, false), coffeeV1);
    EXPECT_EQ(wideEntryDisplayText(coffeeMemo, false, false), coffeeMemo);

    // "na" 2, the i with diaeresis 2, "ve" 2, the pair 2: a count ending inside a character
    // drops it whole.
    EXPECT_EQ(shownWideItemText(naiveX, 8), naive);
    EXPECT_EQ(shownWideItemText(naiveX, 7), naive.substr(0, 5));
    EXPECT_EQ(shownWideItemText(naiveX, 3), naive.substr(0, 2));
    EXPECT_EQ(shownWideItemText(note, 1), u"");
    EXPECT_EQ(shownWideItemText(note, 0), u"");
    EXPECT_EQ(shownWideItemText(note, -5), u"");
    EXPECT_EQ(shownWideItemText(korean, 260), korean);
    // A lone surrogate (a broken name) counts as a character of its own.
    EXPECT_EQ(shownWideItemText(std::u16string(1, char16_t(0xD83C)) + u"a", 3).size(), 2u);
}

TEST(WideEntries, TypeAheadOnTheRealFirstCharacter)
{
    const std::vector<std::u16string> real = {u"", korean, u"", noteTune, hangul};
    EXPECT_EQ(typeAheadReal(0, real, han).selection, 1);
    EXPECT_EQ(typeAheadReal(1, real, han).result, 0x30004u);
    EXPECT_EQ(typeAheadReal(4, real, han).selection, 1);
    // A character beyond the first 65,536 reaches the window as two halves, one message each:
    // a half matches no entry, not even one whose name starts with that character.
    EXPECT_EQ(typeAheadReal(0, real, char32_t(0xD83C)).result, menuCharIgnore);
    EXPECT_EQ(typeAheadReal(0, real, char32_t(0xDFB5)).result, menuCharIgnore);
    EXPECT_EQ(typeAheadReal(2, real, coffee).result, menuCharIgnore);
    EXPECT_EQ(typeAheadReal(-1, real, han).result, menuCharIgnore);
    EXPECT_EQ(firstCharacter(noteTune), noteChar);
}
