"""The launcher menu used as a person uses it: the tray icon clicked, keys pressed in the menu,
the hot key, entries started, and the tray command popup."""

import os
import shutil
import subprocess
import time
import unittest

from harness import (CMD_MENU_UPDATE, CMD_MULTI_RUN, CMD_SAVE_LIST, CMD_STANDARD_DETAIL, IDCANCEL,
                     MAIN_TITLE, MULTI_RUN_TITLE, MENU_CLASS, VK_DOWN, VK_ESCAPE, VK_RETURN, TRAY_CALLBACK, TRAY_ICON_ID,
                     WM_LBUTTONDOWN, LauncherTestCase, child_real_paths, child_starts, contrast_ratio,
                     luminance, wait_until)

ID_RUN_ENTRIES = 1049
DETAIL_ICON = 1039
PROPERTIES_TEXT = "ショートカット以外のプロパティは表示できません。"


class LauncherMenuCase(LauncherTestCase):
    """A launcher folder of child programs that record how they were started."""

    children = ("alpha", "beta", "gamma")

    def setUp(self):
        super().setUp()
        self.folder = os.path.join(self.install_dir, "launch")
        os.makedirs(self.folder)
        self.folder_windows = self.install_dir_windows + "\\launch"
        for name in self.children:
            self.wine.copy_child(os.path.join(self.folder, name + ".exe"))
        with open(os.path.join(self.folder, "notes.txt"), "w") as f:
            f.write("notes")
        self.set_profile_str("NowFolder", "AppFolder", self.folder_windows)
        # Entries in the order the names sort (Wine lists them so): alpha, beta, gamma, notes,
        # then the folder item.

    # ---- the menu ----
    def menu_window(self, timeout_ms=100):
        return self.wine.wait_class(MENU_CLASS, timeout_ms)

    def menu_rect(self, menu):
        """The menu's place once it has its size: a menu window just created may not yet."""
        def read():
            code, lines = self.wine.driver("rect", menu)
            self.assertEqual(code, 0)
            return tuple(int(v) for v in lines[0].split())
        rect = read()
        for _ in range(20):
            time.sleep(0.1)
            again = read()
            if again == rect:
                break
            rect = again
        return rect

    def click_tray(self, button=1):
        self.wine.click(*self.wine.tray_point(), button)
        menu = self.menu_window(10000)
        self.assertIsNotNone(menu, "no menu opened on the tray icon")
        return menu

    def key(self, menu, vk, times=1):
        self.wine.post_keys(menu, *([vk] * times))

    def wait_menu_closed(self):
        self.assertTrue(self.wine.menu_closed(), "the menu stayed open")

    def choose(self, index, modifier=None):
        """Opens the launcher menu, highlights entry index and presses Enter, with the modifier
        key held."""
        menu = self.click_tray()
        self.assertTrue(self.wine.enter_in_menu(menu, index, modifier), "the menu stayed open")

    # ---- the children ----
    def starts(self, name):
        return [(start.directory, start.arguments)
                for start in child_starts(os.path.join(self.folder, name + ".log"))]

    def wait_start(self, name, count=1):
        self.assertTrue(wait_until(lambda: len(self.starts(name)) >= count, 15),
                        f"{name} did not start")
        return self.starts(name)[count - 1]

    def first_entry_starts(self, name):
        """Chooses the first entry of a new menu: whether it was that program that started."""
        programs = [f[:-4] for f in os.listdir(self.folder) if f.endswith(".exe")]
        before = {p: len(self.starts(p)) for p in programs}
        self.choose(0)
        started = wait_until(lambda: [p for p in programs if len(self.starts(p)) > before[p]], 15)
        return started == [name]

    # ---- the tray ----
    def tray_colours(self, slot=0):
        return self.wine.tray_slot_colours("tray-probe", slot)


class LauncherMenuTest(LauncherMenuCase):
    def test_a_refresh_while_the_menu_is_open_waits_until_it_closes(self):
        self.start_launcher()
        menu = self.click_tray()
        # An entry that sorts first: a rebuild now would move every item one place on.
        self.wine.copy_child(os.path.join(self.folder, "aardvark.exe"))
        main = self.wine.find_window(MAIN_TITLE)
        # Sent from another process, as a second instance does after making shortcuts: it is
        # handled inside the open menu's loop.
        self.wine.command(main, CMD_MENU_UPDATE)
        self.key(menu, VK_DOWN, 2)
        self.key(menu, VK_RETURN)
        self.wait_menu_closed()
        self.wait_start("beta")
        self.assertEqual(self.starts("alpha"), [])
        # The next menu holds the new entry, first.
        self.choose(0)
        self.wait_start("aardvark")

    def test_click_opens_the_menu_and_enter_starts_the_highlighted_entry(self):
        self.start_launcher()
        self.assertGreater(self.tray_colours(), 4, "the tray icon is not in the tray")
        menu = self.click_tray()
        narrow = self.menu_rect(menu)
        self.wine.screenshot("launcher-menu-one-column")
        self.key(menu, VK_DOWN, 2)
        self.key(menu, VK_RETURN)
        self.wait_menu_closed()
        directory, arguments = self.wait_start("beta")
        self.assertEqual(directory.lower(), self.folder_windows.lower())
        self.assertEqual(arguments, "")
        self.assertEqual(self.starts("alpha"), [])

        # Enough entries for two columns of 32-pixel rows on the 768-pixel screen.
        for i in range(30):
            with open(os.path.join(self.folder, f"more{i:02d}.txt"), "w") as f:
                f.write("x")
        main = self.wine.find_window(MAIN_TITLE)
        self.wine.command(main, CMD_MENU_UPDATE)
        menu = self.click_tray()
        wide = self.menu_rect(menu)
        self.wine.screenshot("launcher-menu-two-columns")
        self.key(menu, VK_ESCAPE)
        self.wait_menu_closed()
        self.assertGreater(wide[2] - wide[0], (narrow[2] - narrow[0]) * 3 // 2)
        self.assertGreater(wide[3] - wide[1], narrow[3] - narrow[1])

    def test_ctrl_asks_for_properties_which_a_document_does_not_have(self):
        self.start_launcher()
        self.choose(3, "ctrl")
        box = self.wine.wait_dialog_with_text(PROPERTIES_TEXT)
        self.assertIsNotNone(box, "the properties message did not appear")
        self.assertEqual(self.wine.message_box_text(box), PROPERTIES_TEXT)
        self.wine.screenshot("launcher-properties-message")
        self.wine.command(box, 1)

    def test_shift_asks_for_parameters_and_starts_with_exactly_them(self):
        self.start_launcher()
        path = self.folder_windows + "\\gamma.exe"
        self.choose(2, "shift")
        prompt = self.wine.wait_window(path)
        self.assertIsNotNone(prompt, "the parameter prompt did not appear")
        self.wine.driver("set-text", prompt, 1047, "-n 3 \"日本語 テキスト\"", check=True)
        self.wine.screenshot("launcher-parameter-prompt")
        self.wine.command(prompt, 1)
        directory, arguments = self.wait_start("gamma")
        self.assertEqual(arguments, "-n 3 \"日本語 テキスト\"")
        self.assertEqual(directory.lower(), self.folder_windows.lower())

        # Cancel starts nothing; a plain choice afterwards has no parameters.
        self.choose(2, "shift")
        prompt = self.wine.wait_window(path)
        self.assertIsNotNone(prompt)
        self.wine.command(prompt, 2)
        self.assertTrue(self.wine.wait_gone(path))
        self.choose(2)
        self.assertEqual(self.wait_start("gamma", 2), (directory, ""))
        self.assertEqual(len(self.starts("gamma")), 2)

    def test_hot_key_pops_the_menu_up_in_the_bottom_right_corner(self):
        # Ctrl+Alt+Q: flags 2 (Ctrl) and 4 (Alt) in the high byte, the key in the low byte.
        self.set_profile_int("NowFolder", "HoyKey", 0x0600 | ord("Q"))
        self.start_launcher()
        self.wine.xdotool("key", "ctrl+alt+q")
        menu = self.menu_window(10000)
        self.assertIsNotNone(menu, "the hot key opened no menu")
        left, top, right, bottom = self.menu_rect(menu)
        self.key(menu, VK_ESCAPE)
        self.wait_menu_closed()
        self.assertGreaterEqual(right, 1024 - 4)
        self.assertGreaterEqual(bottom, 768 - 40)
        self.assertGreater(left, 512)

    def test_right_click_opens_the_command_popup_whose_exit_ends_the_program(self):
        # A program of the same Wine session keeps the desktop and its tray up after the
        # launcher ends.
        keeper = os.path.join(self.install_dir, "keeper.exe")
        self.wine.copy_child(keeper, sleep_ms=60000)
        self.wine.start(keeper)
        process = self.start_launcher()
        self.assertGreater(self.tray_colours(), 4)
        menu = self.click_tray(3)
        self.wine.screenshot("launcher-tray-command-popup")
        # The sixth item of the popup is exit.
        self.key(menu, VK_DOWN, 6)
        self.key(menu, VK_RETURN)
        self.assertEqual(process.wait(timeout=20), 0)
        self.assertTrue(wait_until(lambda: self.tray_colours() == 1, 10),
                        "the tray icon stayed after exit")


class FolderWatchTest(LauncherMenuCase):
    """The menu follows its folder by itself: entries copied in or deleted from outside."""

    BUILDS = "Quintarel.MenuBuilds"

    def builds(self):
        return self.wine.prop(self.main, self.BUILDS)

    def wait_rebuilt(self, after):
        self.assertTrue(wait_until(lambda: self.builds() > after, 15), "the menu was not rebuilt")

    def open_menu_by_button_down(self):
        """The tray's button-down posted as the tray sends it (a real click once let a large
        menu close again at once under Wine)."""
        self.wine.post(self.main, TRAY_CALLBACK, TRAY_ICON_ID, WM_LBUTTONDOWN)
        menu = self.menu_window(10000)
        self.assertIsNotNone(menu, "no menu opened")
        return menu

    def start(self):
        # One column, so that rows can be counted.
        self.set_profile_int("Detail", "DesktopRatio", 100)
        self.start_launcher()
        self.main = self.wine.find_window(MAIN_TITLE)
        return self.builds()

    def test_entries_copied_in_appear_and_deleted_ones_go(self):
        before = self.start()
        self.wine.copy_child(os.path.join(self.folder, "delta.exe"))
        self.wait_rebuilt(before)
        # alpha, beta, delta, gamma, notes, the folder item: a real click on the third row.
        menu = self.click_tray()
        left, top, right, bottom = self.menu_rect(menu)
        row = (bottom - top) / 6
        self.wine.xdotool("mousemove", (left + right) // 2, int(top + 2.5 * row), "click", 1)
        self.wait_menu_closed()
        self.wait_start("delta")

        # The child's own log is an entry too; the menu follows until it lists what the
        # folder holds, one row per entry and the folder item.
        os.remove(os.path.join(self.folder, "notes.txt"))
        entries = len(os.listdir(self.folder)) + 1

        def rows_shown():
            menu = self.open_menu_by_button_down()
            _, top, _, bottom = self.menu_rect(menu)
            self.key(menu, VK_ESCAPE)
            self.wait_menu_closed()
            return abs((bottom - top) - entries * row) <= 2
        self.assertTrue(wait_until(rows_shown, 20), "the deleted entry stayed in the menu")

    def test_a_burst_of_five_hundred_files_gives_few_rebuilds(self):
        before = self.start()
        for i in range(500):
            with open(os.path.join(self.folder, f"burst{i:03d}.txt"), "w") as f:
                f.write("x")
        # Written last and listed first: a menu whose first entry starts it was built after
        # the whole burst had arrived.
        self.wine.copy_child(os.path.join(self.folder, "0-last.exe"))
        self.wait_rebuilt(before)

        def whole_burst_shown():
            menu = self.open_menu_by_button_down()
            # Counted while the menu is open, when no rebuild can come between.
            self.shown_after = self.builds()
            left, _, right, _ = self.menu_rect(menu)
            self.width = right - left
            counts = len(self.starts("0-last")), len(self.starts("alpha"))
            self.assertTrue(self.wine.enter_in_menu(menu, 0), "the menu stayed open")
            wait_until(lambda: (len(self.starts("0-last")), len(self.starts("alpha"))) != counts,
                       15)
            return len(self.starts("0-last")) > counts[0]
        self.assertTrue(wait_until(whole_burst_shown, 30), "the burst never reached the menu")
        self.assertLessEqual(self.shown_after - before, 3)
        # Several columns of rows, wider than the screen.
        self.assertGreater(self.width, 400)

    def test_a_folder_removed_and_made_again_is_followed_after_a_refresh(self):
        self.start()
        shutil.rmtree(self.folder)
        os.makedirs(self.folder)
        # The program answers at once: the watch of a folder that went costs no busy loop.
        self.assertTrue(wait_until(lambda: self.wine.send(self.main, 0) == 0, 5))
        self.wine.copy_child(os.path.join(self.folder, "aardvark.exe"))
        # メニュー更新 reads the folder made again and watches it anew: what arrives next is in
        # the menu by itself. Each file sorts before the ones before it, so the first entry
        # tells which the menu holds.
        self.wine.command(self.main, CMD_MENU_UPDATE)
        self.choose(0)
        self.wait_start("aardvark")
        self.wine.copy_child(os.path.join(self.folder, "aa.exe"))
        self.assertTrue(wait_until(lambda: self.first_entry_starts("aa"), 30),
                        "the folder made again was not watched")

    def test_a_folder_renamed_away_and_made_again_shows_its_program_at_the_next_popup(self):
        self.start()
        os.rename(self.folder, self.folder + ".old")
        os.makedirs(self.folder)
        self.wine.copy_child(os.path.join(self.folder, "aardvark.exe"))
        # No メニュー更新 and no wait: the popup itself finds another folder at the path, and
        # watches and reads it before it shows; its first entry is the new program.
        self.choose(0)
        self.wait_start("aardvark")
        shutil.rmtree(self.folder + ".old", ignore_errors=True)


class FolderMenuTest(LauncherMenuCase):
    """Sub-folders, and shortcuts to folders, opened as cascading sub-menus."""

    children = ("alpha",)
    VK_RIGHT = 0x27

    def setUp(self):
        super().setUp()
        self.tools = os.path.join(self.folder, "道具")
        os.makedirs(os.path.join(self.tools, "奥"))
        self.wine.copy_child(os.path.join(self.tools, "tool.exe"))
        self.wine.copy_child(os.path.join(self.tools, "奥", "deep.exe"))
        self.tools_windows = self.folder_windows + "\\道具"
        self.wine.driver("make-shortcut", self.tools_windows, self.folder_windows + "\\近道.lnk",
                         check=True)
        # Entries as the names sort: alpha, notes, 近道.lnk, 道具, then the folder item.

    def tool_starts(self):
        return child_starts(os.path.join(self.tools, "tool.log"))

    def test_a_sub_folder_opens_with_right_and_its_entry_starts_in_its_folder(self):
        self.set_profile_int("Detail", "FolderMenu", 1)
        process = self.start_launcher()
        menu = self.click_tray()
        # The shortcut to the folder cascades the same way: its sub-menu lists the tool too.
        self.key(menu, VK_DOWN, 3)
        self.key(menu, self.VK_RIGHT)
        self.assertTrue(wait_until(lambda: self.wine.count_class(MENU_CLASS) == 2, 10),
                        "the shortcut's sub-menu did not open")
        self.key(menu, VK_ESCAPE)
        self.assertTrue(wait_until(lambda: self.wine.count_class(MENU_CLASS) == 1, 10))
        # The sub-folder, and the deeper folder inside it.
        self.key(menu, VK_DOWN)
        self.key(menu, self.VK_RIGHT)
        self.key(menu, VK_DOWN)
        self.key(menu, self.VK_RIGHT)
        self.assertTrue(wait_until(lambda: self.wine.count_class(MENU_CLASS) == 3, 10),
                        "the deeper folder did not cascade")
        rects = [self.menu_rect(m) for m in self.wine.windows_of_class(MENU_CLASS)]
        around = (min(r[0] for r in rects), min(r[1] for r in rects),
                  max(r[2] for r in rects), max(r[3] for r in rects))
        self.wine.screenshot_around(around, "launcher-menu-cascade")
        # Left closes the deeper one; Up and Enter start the tool in its own folder.
        self.key(menu, 0x25)
        self.assertTrue(wait_until(lambda: self.wine.count_class(MENU_CLASS) == 2, 10))
        self.key(menu, 0x26)
        self.key(menu, VK_RETURN)
        self.wait_menu_closed()
        self.assertTrue(wait_until(lambda: self.tool_starts(), 15), "tool.exe did not start")
        self.assertEqual(self.tool_starts()[0].directory, self.tools_windows)
        self.exit_launcher(process)

    def test_without_the_setting_a_sub_folder_opens_as_today(self):
        process = self.start_launcher()
        menu = self.click_tray()
        # Right does nothing on an item without a sub-menu; Enter opens the folder's window.
        self.key(menu, VK_DOWN, 4)
        self.key(menu, self.VK_RIGHT)
        self.key(menu, VK_RETURN)
        self.wait_menu_closed()
        folder = self.wine.wait_class("ExplorerWClass", 15000)
        self.assertIsNotNone(folder, "the folder item opened no folder window")
        self.assertEqual(self.wine.title(folder), "道具")
        self.wine.post(folder, 0x0010)
        self.assertTrue(wait_until(lambda: self.wine.wait_class("ExplorerWClass", 100) is None, 10))
        self.exit_launcher(process)


class VeryLargeFolderTest(LauncherMenuCase):
    """More entries than the command ids: the menu shows what fits, says how many are left out,
    and its last entry opens that entry."""

    children = ()

    def test_a_folder_of_five_thousand_entries_shows_what_fits_and_the_last_one_opens(self):
        for i in range(5000):
            if i != 4094:
                open(os.path.join(self.folder, f"a{i:04d}.txt"), "w").close()
        # The entry just before the folder item: the last one the ids allow.
        self.wine.copy_child(os.path.join(self.folder, "a4094.exe"))
        os.remove(os.path.join(self.folder, "notes.txt"))
        process = self.start_launcher()
        # The note and the count of items are checked in-process; here the user's way to the end.
        menu = self.click_tray()
        # Up from the top: the note (which opens nothing), the folder item, the entry before it.
        self.key(menu, 0x26, 3)
        self.key(menu, VK_RETURN)
        self.wait_menu_closed()
        self.wait_start("a4094")
        self.exit_launcher(process)


class DisplayModeScreenshots(LauncherMenuCase):
    """The launcher menu in each display mode, with shell icons and Japanese names, in two
    columns: screenshots to look at."""

    children = ("表計算", "ツール")

    def test_each_display_mode_in_two_columns(self):
        for name in ("メモ帳.txt", "議事録.txt", "ホームページ.htm", "ソース.cpp", "設定.ini",
                     "データ.dat", "一覧.csv", "写真.bmp", "説明書.txt", "予定表.txt"):
            with open(os.path.join(self.folder, name), "w") as f:
                f.write("x")
        for name in ("写真フォルダ", "ダウンロード", "音楽"):
            os.makedirs(os.path.join(self.folder, name))
        # A program with an icon of its own.
        shutil.copy(self.launcher_exe, os.path.join(self.folder, "ランチャー.exe"))
        # 18 items: 9 rows in modes 1 and 2 (40% of 768 over 32), 9 to 12 in mode 0.
        sizes = {}
        for mode, ratio in ((0, 20), (1, 40), (2, 40)):
            self.set_profile_int("Detail", "IconPrint", mode)
            self.set_profile_int("Detail", "DesktopRatio", ratio)
            process = self.start_launcher()
            menu = self.click_tray()
            left, top, right, bottom = self.menu_rect(menu)
            self.wine.screenshot_around((left, top, right, bottom), f"launcher-menu-mode{mode}")
            self.key(menu, VK_ESCAPE)
            self.wait_menu_closed()
            self.exit_launcher(process)
            sizes[mode] = right - left, bottom - top
        # Each menu keeps to its share of the screen's height (a frame of a few pixels aside),
        # which one column of 18 rows would pass: each holds two columns or more.
        for mode, ratio in ((0, 20), (1, 40), (2, 40)):
            self.assertLessEqual(sizes[mode][1], 768 * ratio // 100 + 8, (mode, sizes))
        # Icons alone are narrower than names alone, which are narrower than both; with icons
        # the rows are as high in either mode.
        self.assertLess(sizes[1][0], sizes[0][0], sizes)
        self.assertLess(sizes[0][0], sizes[2][0], sizes)
        self.assertEqual(sizes[1][1], sizes[2][1], sizes)


class DisplayScaleTest(LauncherMenuCase):
    """The launcher menu at 100 % and at 150 % (LogPixels 144): at 150 % items, icons and text
    are half as large again, drawn at that size rather than stretched, and what is stored keeps
    its meaning at 100 %."""

    children = ("表計算", "ツール")

    def open_menu_at(self, dpi):
        """The menu's size in a first start at that DPI, and the font then stored."""
        # Defaults afresh: the system's menu font is given at the DPI in force.
        self.wine.empty_profile()
        self.set_profile_str("NowFolder", "AppFolder", self.folder_windows)
        if dpi != 96:
            self.use_dpi(dpi)
        process = self.start_launcher()
        menu = self.click_tray()
        left, top, right, bottom = self.menu_rect(menu)
        self.wine.screenshot_around((left, top, right, bottom), f"launcher-menu-{dpi}dpi")
        self.key(menu, VK_ESCAPE)
        self.wait_menu_closed()
        self.exit_launcher(process)
        return right - left, bottom - top, self.profile("Detail", "FontData")

    def test_menu_at_150_percent_is_half_as_large_again_and_stored_as_at_100(self):
        os.makedirs(os.path.join(self.folder, "写真フォルダ"))
        shutil.copy(self.launcher_exe, os.path.join(self.folder, "ランチャー.exe"))
        # A program of the session keeps the desktop, its taskbar and the tray at 100 % while
        # the launcher restarts at 150 %.
        keeper = os.path.join(self.install_dir, "keeper.exe")
        self.wine.copy_child(keeper, sleep_ms=120000)
        self.wine.start(keeper)

        width96, height96, font96 = self.open_menu_at(96)
        width144, height144, font144 = self.open_menu_at(144)
        # Six items in one column, with the menu's frame, which scales too.
        self.assertAlmostEqual(height144 / height96, 1.5, delta=0.06)
        self.assertAlmostEqual(width144 / width96, 1.5, delta=0.12)
        self.assertEqual(font144, font96)
        self.assertEqual(self.profile_int("Detail", "IconSize"), 32)
        self.assertEqual(self.profile_int("Detail", "HeightSpace"), 0)


    def test_at_96_144_and_192_dpi_menu_detail_dialog_and_tray_are_drawn_at_their_scale(self):
        os.makedirs(os.path.join(self.folder, "写真フォルダ"))
        shutil.copy(self.launcher_exe, os.path.join(self.folder, "ランチャー.exe"))
        self.wine.driver("make-shortcut", self.folder_windows + "\\ツール.exe",
                         self.folder_windows + "\\ツール.lnk", check=True)
        keeper = os.path.join(self.install_dir, "keeper.exe")
        self.wine.copy_child(keeper, sleep_ms=120000)
        self.wine.start(keeper)
        for dpi in (96, 144, 192):
            self.use_dpi(dpi)
            process = self.start_launcher()
            menu = self.click_tray()
            self.wine.screenshot_around(self.menu_rect(menu), f"launcher-menu-shortcuts-{dpi}dpi")
            self.key(menu, VK_ESCAPE)
            self.wait_menu_closed()
            self.wine.post_command(self.wine.find_window(MAIN_TITLE), CMD_STANDARD_DETAIL)
            detail = self.wine.wait_window("詳細設定(標準設定)")
            self.assertIsNotNone(detail)
            code, lines = self.wine.driver("rect", detail)
            self.wine.screenshot_around(tuple(int(v) for v in lines[0].split()),
                                        f"detail-settings-{dpi}dpi")
            self.assert_icon_inside_its_frame(detail, dpi)
            self.wine.command(detail, IDCANCEL)
            self.exit_launcher(process)

    def assert_icon_inside_its_frame(self, dialog, dpi):
        """The dialog's icon lies inside a frame (a group box) and over no other control."""
        controls = []
        for line in self.wine.driver("children", dialog)[1]:
            number, class_name, visible, rect = line.split("\t")
            controls.append((int(number), class_name, visible == "1",
                             tuple(int(v) for v in rect.split())))
        icon = [c[3] for c in controls if c[0] == DETAIL_ICON]
        self.assertEqual(len(icon), 1, controls)
        left, top, right, bottom = icon[0]
        self.assertGreater(right - left, 0)
        def holds(rect):
            return rect[0] <= left and rect[1] <= top and right <= rect[2] and bottom <= rect[3]
        frames = [c for c in controls if c[2] and c[0] != DETAIL_ICON and holds(c[3])]
        self.assertTrue(frames, f"the icon {icon[0]} is in no frame at {dpi} DPI")
        for number, class_name, visible, rect in controls:
            if not visible or number == DETAIL_ICON or (number, class_name, visible, rect) in frames:
                continue
            apart = rect[2] <= left or right <= rect[0] or rect[3] <= top or bottom <= rect[1]
            self.assertTrue(apart, f"the icon {icon[0]} covers control {number} {rect} at {dpi} DPI")


class RealNamesTest(LauncherMenuCase):
    """Entries whose names the ANSI code page (932) cannot hold, beside ordinary ones."""

    children = ("alpha",)
    real_names = ("☕メモ.txt", "한국어.txt", "naïve🎵.exe")

    def setUp(self):
        super().setUp()
        for name in self.real_names[:2]:
            with open(os.path.join(self.folder, name), "w") as f:
                f.write("x")
        self.wine.copy_child(os.path.join(self.folder, self.real_names[2]))

    def test_real_names_are_shown_and_the_program_starts_by_its_real_path(self):
        self.set_profile_int("Detail", "IconPrint", 2)
        self.set_profile_int("Detail", "PrintEnt", 1)
        self.start_launcher()
        menu = self.click_tray()
        left, top, right, bottom = self.menu_rect(menu)
        self.wine.screenshot_around((left, top, right, bottom), "launcher-menu-real-names")
        # Wine lists the names in the order of their UTF-8 bytes: alpha, naïve🎵, notes, ☕メモ,
        # 한국어, then the folder item.
        self.key(menu, VK_DOWN, 2)
        self.key(menu, VK_RETURN)
        self.wait_menu_closed()
        log = os.path.join(self.folder, "naïve🎵.log")
        self.assertTrue(wait_until(lambda: child_real_paths(log), 15), "naïve🎵.exe did not start")
        self.assertEqual(child_real_paths(log)[0].lower(),
                         (self.folder_windows + "\\naïve🎵.exe").lower())
        self.assertEqual(self.starts("alpha"), [])


    def test_a_run_list_holding_a_real_name_shows_it_and_refuses_to_be_saved(self):
        old = os.path.join(self.install_dir, "seq", "old.sqx")
        os.makedirs(os.path.dirname(old), exist_ok=True)
        with open(old, "wb") as f:
            f.write(b"old list")
        self.start_launcher()
        self.wine.post_command(self.wine.find_window(MAIN_TITLE), CMD_MULTI_RUN)
        window = self.wine.wait_window(MULTI_RUN_TITLE)
        self.assertIsNotNone(window)
        real = self.folder_windows + "\\naïve🎵.exe"
        self.assertEqual(self.wine.driver("drop", window, real)[0], 0)
        self.assertTrue(wait_until(lambda: self.wine.list_lines(window, ID_RUN_ENTRIES) == [real],
                                   10), self.wine.list_lines(window, ID_RUN_ENTRIES))
        self.wine.post_command(window, CMD_SAVE_LIST)
        box = self.wine.wait_dialog_with_text("リストを保存できません")
        self.assertIsNotNone(box, "saving was not refused")
        self.wine.screenshot("multirun-real-name-refused")
        self.wine.command(box, 1)
        self.assertIsNone(self.wine.wait_dialog_with_text("保存ファイル名", 1000))
        with open(old, "rb") as f:
            self.assertEqual(f.read(), b"old list")

    def test_send_to_of_a_real_name_makes_a_shortcut_to_its_real_path(self):
        real = self.folder_windows + "\\한국어.txt"
        self.start_launcher(real, wait=False)
        question = self.wine.wait_dialog_with_text("ショートカット登録しますか")
        self.assertIsNotNone(question)
        self.wine.screenshot("send-to-real-name-question")
        self.wine.command(question, 1)
        link = os.path.join(self.folder, "한국어.lnk")
        self.assertTrue(wait_until(lambda: os.path.exists(link), 15), os.listdir(self.folder))
        # The shell link keeps its target in UTF-16: the real name, not "???".
        with open(link, "rb") as f:
            self.assertIn("한국어.txt".encode("utf-16-le"), f.read())


if __name__ == "__main__":
    unittest.main()


PERSONALIZE_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize"


class DarkModeTest(LauncherMenuCase):
    """The user switches between dark and light apps while the launcher runs: the menu of a set
    of the system's colours follows at once, one of chosen colours keeps them."""

    children = ("表計算", "ツール", "メモ")

    def menu_colours(self, name):
        """The menu's background (its most frequent colour inside the frame) and the colour of
        its text (the one of most contrast among those that cover a few pixels)."""
        menu = self.click_tray()
        # The pointer off the icon, whose tip would cover the menu's corner.
        self.wine.xdotool("mousemove", 100, 100)
        left, top, right, bottom = self.menu_rect(menu)
        # Inside the frame, which Wine draws in the light 3D colours whatever the menu.
        self.wine.screenshot_around((left + 7, top + 7, right - 7, bottom - 7), name)
        self.key(menu, VK_ESCAPE)
        self.wait_menu_closed()
        colours = self.wine.colours_of(os.path.join(self.wine.artifacts, name + ".png"))
        background = colours[0][1]
        text = max((colour for count, colour in colours if count >= 15),
                   key=lambda colour: contrast_ratio(colour, background))
        return background, text

    def switch(self, light):
        self.wine.reg_set_int(PERSONALIZE_KEY, "AppsUseLightTheme", light)
        self.addCleanup(self.wine.reg_set_int, PERSONALIZE_KEY, "AppsUseLightTheme", 1)
        self.wine.driver("setting-change", "ImmersiveColorSet", check=True)

    def test_the_systems_colours_follow_dark_and_light_and_chosen_ones_stay(self):
        # Five entries in columns of three: the second column is shorter, and the menu's own
        # background shows below it.
        self.set_profile_int("Detail", "DesktopRatio", 15)
        process = self.start_launcher()
        for step, light in enumerate((0, 1, 0)):
            self.switch(light)
            background, text = self.menu_colours(f"launcher-menu-{'light' if light else 'dark'}"
                                                 f"-{step}")
            if light:
                self.assertGreater(luminance(background), 0.8, background)
            else:
                self.assertLess(luminance(background), 0.2, background)
            self.assertGreaterEqual(contrast_ratio(text, background), 7.0, (text, background))
        self.exit_launcher(process)

        # A set whose colours the user chose keeps them in either mode.
        chosen = (200, 230, 255)
        self.set_profile_int("Detail", "SystemColors", 0)
        self.set_profile_int("Detail", "BackgroundColor",
                             chosen[0] | chosen[1] << 8 | chosen[2] << 16)
        self.set_profile_int("Detail", "FontRGB", 0)
        process = self.start_launcher()
        for light in (0, 1):
            self.switch(light)
            background, text = self.menu_colours(f"launcher-menu-chosen-{light}")
            self.assertEqual(background, chosen)
            self.assertGreaterEqual(contrast_ratio(text, background), 7.0)
        self.exit_launcher(process)
