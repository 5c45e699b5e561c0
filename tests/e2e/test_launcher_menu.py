"""The launcher menu used as a person uses it: the tray icon clicked, keys pressed in the menu,
the hot key, entries started, and the tray command popup."""

import os
import shutil
import subprocess
import unittest

from harness import (CMD_MENU_UPDATE, ENCODING, MENU_CLASS, VK_DOWN, VK_ESCAPE, VK_RETURN,
                     WM_KEYDOWN, LauncherTestCase, wait_until)

TRAY_ICON = (1014, 758)
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
            shutil.copy(os.path.join(self.wine.tools, "qchild.exe"),
                        os.path.join(self.folder, name + ".exe"))
        with open(os.path.join(self.folder, "notes.txt"), "w") as f:
            f.write("notes")
        self.set_profile_str("NowFolder", "AppFolder", self.folder_windows)
        # Entries in the order the names sort (Wine lists them so): alpha, beta, gamma, notes,
        # then the folder item.

    # ---- the menu ----
    def menu_window(self, timeout_ms=100):
        return self.wine.wait_class(MENU_CLASS, timeout_ms)

    def menu_rect(self, menu):
        code, lines = self.wine.driver("rect", menu)
        self.assertEqual(code, 0)
        left, top, right, bottom = (int(v) for v in lines[0].split())
        return left, top, right, bottom

    def click_tray(self, button=1):
        self.wine.xdotool("mousemove", *TRAY_ICON)
        self.wine.xdotool("click", button)
        menu = self.menu_window(10000)
        self.assertIsNotNone(menu, "no menu opened on the tray icon")
        return menu

    def key(self, menu, vk, times=1):
        for _ in range(times):
            self.wine.post(menu, WM_KEYDOWN, vk, 0)

    def wait_menu_closed(self):
        self.assertTrue(self.wine.menu_closed(), "the menu stayed open")

    def choose(self, index, modifier=None):
        """Opens the launcher menu, highlights entry index and presses Enter, with the modifier
        key held."""
        menu = self.click_tray()
        self.assertTrue(self.wine.enter_in_menu(menu, index, modifier), "the menu stayed open")

    # ---- the children ----
    def starts(self, name):
        path = os.path.join(self.folder, name + ".log")
        if not os.path.exists(path):
            return []
        with open(path, "rb") as f:
            lines = f.read().decode(ENCODING).splitlines()
        result = []
        for line in lines:
            if line.startswith("start "):
                # start <ms> <pid> <working directory> <args>; the directory has no spaces.
                _, _, _, directory, *rest = line.split(" ", 4)
                result.append((directory, rest[0] if rest else ""))
        return result

    def wait_start(self, name, count=1):
        self.assertTrue(wait_until(lambda: len(self.starts(name)) >= count, 15),
                        f"{name} did not start")
        return self.starts(name)[count - 1]

    # ---- the tray ----
    def tray_colours(self, left=1006):
        """Colours of the tray slot at left: 1 when it is empty."""
        shot = self.wine.screenshot("tray-probe")
        result = subprocess.run(
            ["convert", shot, "-crop", f"16x16+{left}+750", "+repage", "-format", "%k", "info:"],
            stdout=subprocess.PIPE, timeout=30)
        return int(result.stdout.decode().strip() or 0)


class LauncherMenuTest(LauncherMenuCase):
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
        main = self.wine.find_window("Quintarel - Folder の 設定 -")
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
        shutil.copy(os.path.join(self.wine.tools, "qchild.exe"), keeper)
        with open(os.path.join(self.install_dir, "keeper.sleep"), "w") as f:
            f.write("60000")
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
        for mode, ratio in ((0, 20), (1, 40), (2, 40)):
            self.set_profile_int("Detail", "IconPrint", mode)
            self.set_profile_int("Detail", "DesktopRatio", ratio)
            process = self.start_launcher()
            menu = self.click_tray()
            left, top, right, bottom = self.menu_rect(menu)
            shot = self.wine.screenshot(f"launcher-menu-mode{mode}-full")
            cropped = os.path.join(self.wine.artifacts, f"launcher-menu-mode{mode}.png")
            subprocess.run(["convert", shot, "-crop",
                            f"{right - left + 8}x{bottom - top + 8}+{left - 4}+{top - 4}",
                            "+repage", cropped], timeout=30)
            self.key(menu, VK_ESCAPE)
            self.wait_menu_closed()
            self.exit_launcher(process)
            self.assertGreater(right - left, 0)


if __name__ == "__main__":
    unittest.main()
