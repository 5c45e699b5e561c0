"""One user's whole day with Quintarel, end to end: installed, started, fed files through Send
To, given folders with settings and hot keys of their own, used to launch entries and to collect
and run a list, tidied up, and started again the next morning.

The journeys run in order on one installation and one profile, as one person's day: each builds
on what the ones before left. When one fails, the later ones are skipped, so the first failure
is the one to read. Everything is driven as a user drives it: tray clicks and global hot keys
with xdotool, keys posted to the open menu (Wine gives the tray menu no keyboard), the windows'
controls through messages, files through the Send To shortcut. Screenshots go to the build's
artifact folder, named journey<N>-*.png.
"""

import functools
import os
import shutil
import subprocess
import time
import unittest

from harness import (CMD_EXIT, CMD_SAVE_LIST, ENCODING, FOLDER_LIST, MAIN_TITLE, MENU_CLASS,
                     MULTI_RUN_TITLE, VK_DOWN, VK_ESCAPE, VK_RETURN, ProfileReads, Wine,
                     child_records, child_starts, wait_until)

# The installer's default folder, the user's own program folder; set with the day's set-up, as
# the prefix's user name is part of it.
INSTALL = APP = WORK = HOBBY = None
DOCUMENTS = "C:\\users\\Public\\Documents\\持ち物"
TOOLS = DOCUMENTS + "\\ツール"
DOWNLOAD = "C:\\ダウンロード\\Quintarel"
CSIDL_STARTUP, CSIDL_SENDTO, CSIDL_LOCAL_APPDATA = 7, 9, 28

IDOK, IDCANCEL = 1, 2
WM_CLOSE = 0x0010
WM_MENUCHAR = 0x0120
MN_GETHMENU = 0x01E1
MF_POPUP = 0x0010
HKM_SETHOTKEY = 0x0401

# The folder settings window.
BTN_ADD, BTN_DELETE, BTN_DETAIL, BTN_DONE = 4, 3, 5, 1
# The detail settings dialog.
MODE_ICON_ONLY, ICON_SMALL, DETAIL_HOTKEY = 1012, 1009, 1037
# The multiple-execution window.
RUN_LIST, RUN_ORDERED, RUN_ON_WAKEUP, REGISTERED = 1049, 1040, 1072, 1071

# The tray command popup: six fixed items, a separator (which the Down key skips), then one item
# per listed folder.
TRAY_MULTI_RUN, TRAY_EXIT, TRAY_FIRST_FOLDER = 4, 5, 6

# Ctrl+Alt+H: HOTKEYF_CONTROL | HOTKEYF_ALT in the high byte, the key in the low byte.
HOBBY_HOTKEY = 0x0600 | ord("H")
HOBBY_HOTKEY_KEYS = "ctrl+alt+h"

# The entries of the work folder, in the order the menu lists them (Wine sorts them; the
# katakana sort the same in Unicode and in Shift-JIS): shortcuts to programs kept elsewhere, and
# a document.
WORK_PROGRAMS = ("スケジュール", "タイマー", "レポート")
WORK_ENTRIES = ("スケジュール.lnk", "タイマー.lnk", "メモ.txt", "レポート.lnk")


def program(name):
    return TOOLS + "\\" + name + ".exe"


def journey(number):
    """A step of the day: skipped when an earlier one failed, and marks the day broken when it
    fails itself."""
    def wrap(body):
        @functools.wraps(body)
        def test(self):
            day = type(self)
            if day.broken:
                self.skipTest(f"journey {day.broken} failed, and this one builds on it")
            try:
                body(self)
            except unittest.SkipTest:
                raise
            except BaseException:
                day.broken = number
                self.wine.screenshot(f"journey{number}-failed")
                raise
        return test
    return wrap


class UserDay(ProfileReads, unittest.TestCase):
    broken = None

    # ---- the day's set-up ----
    @classmethod
    def setUpClass(cls):
        cls.wine = Wine()
        wine = cls.wine
        wine.reg_delete_tree("Software\\Brisvane")
        cls.startup = wine.driver("special-folder", CSIDL_STARTUP)[1][0]
        cls.sendto = wine.driver("special-folder", CSIDL_SENDTO)[1][0]
        global INSTALL, APP, WORK, HOBBY
        INSTALL = wine.driver("special-folder", CSIDL_LOCAL_APPDATA)[1][0] + "\\Programs\\Quintarel"
        APP, WORK, HOBBY = (INSTALL + "\\" + name for name in ("app", "仕事", "趣味"))
        cls.remove_installation()
        # The downloaded programs, unpacked where a user would.
        os.makedirs(cls.unix(DOWNLOAD))
        for name in ("quintarel.exe", "installer.exe", "ReadMe.txt"):
            shutil.copy(os.path.join(wine.dist, name), cls.unix(DOWNLOAD))
        # The user's own files, some of which go into the launcher folders through the day.
        os.makedirs(cls.unix(DOCUMENTS))
        cls.child_at(DOCUMENTS + "\\カレンダー.exe")
        with open(cls.unix(DOCUMENTS + "\\メモ.txt"), "w", encoding=ENCODING) as f:
            f.write("買い物\n")
        # A program of the same Wine session keeps the desktop and its tray up while the
        # launcher is not running.
        keeper = cls.unix(DOWNLOAD + "\\keeper.exe")
        wine.copy_child(keeper, sleep_ms=900000)
        cls.keeper = wine.start(keeper)

    @classmethod
    def tearDownClass(cls):
        wine = cls.wine
        main = wine.find_window(MAIN_TITLE)
        if main:
            pid = wine.driver("pid", main)[1]
            wine.post_command(main, CMD_EXIT)
            if not wine.wait_gone(MAIN_TITLE, 10000) and pid:
                wine.driver("kill", pid[0])
        # Whatever the launcher started and is still open (an editor, a folder window).
        for hwnd, class_name, visible, pid, title in wine.windows():
            if visible and class_name not in ("Shell_TrayWnd", "#32769"):
                wine.post(hwnd, WM_CLOSE)
        wine.stop_all()
        cls.remove_installation()
        wine.reg_delete_tree("Software\\Brisvane")

    @classmethod
    def unix(cls, windows_path):
        return cls.wine.drive_c(*windows_path[3:].split("\\"))

    @classmethod
    def remove_installation(cls):
        for path in (INSTALL, DOCUMENTS, DOWNLOAD.rsplit("\\", 1)[0]):
            shutil.rmtree(cls.unix(path), ignore_errors=True)
        for folder in (cls.startup, cls.sendto):
            link = cls.unix(folder + "\\Quintarel.lnk")
            if os.path.exists(link):
                os.remove(link)

    @classmethod
    def child_at(cls, windows_path, sleep_ms=None):
        """A copy of the recording child program, which logs each start and end beside itself."""
        cls.wine.copy_child(cls.unix(windows_path), sleep_ms)

    # ---- the children ----
    def records(self, windows_exe):
        return child_records(self.unix(windows_exe[:-4] + ".log"))

    def starts(self, windows_exe):
        return child_starts(self.unix(windows_exe[:-4] + ".log"))

    def wait_starts(self, windows_exe, count, timeout=15):
        self.assertTrue(wait_until(lambda: len(self.starts(windows_exe)) >= count, timeout),
                        f"{windows_exe} started {len(self.starts(windows_exe))} times, "
                        f"not {count}")
        return self.starts(windows_exe)[count - 1]

    # ---- the tray and the menus ----
    def main_window(self):
        main = self.wine.find_window(MAIN_TITLE)
        self.assertIsNotNone(main, "the launcher is not running")
        return main

    def wait_ready(self):
        self.assertIsNotNone(self.wine.wait_window(MAIN_TITLE, 20000, visible=False),
                             "the launcher's main window did not appear")
        self.assertIsNotNone(self.wine.wait_window(MULTI_RUN_TITLE, 20000, visible=False),
                             "the launcher did not finish starting")

    def tray_tip(self):
        """The tip the notification area shows while the mouse rests on the icon."""
        self.wine.xdotool("mousemove", 700, 400)
        time.sleep(0.3)
        self.wine.xdotool("mousemove", *self.wine.tray_point())

        def shown():
            for hwnd, class_name, visible, pid, title in self.wine.windows():
                if class_name == "tooltips_class32" and visible and title:
                    return title
            return None
        tip = wait_until(shown, 6, 0.3)
        self.wine.xdotool("mousemove", 700, 400)
        return tip

    def open_menu(self, button=1, hotkey=None):
        if hotkey:
            self.wine.xdotool("key", hotkey)
        else:
            self.wine.click(*self.wine.tray_point(), button)
        menu = self.wine.wait_class(MENU_CLASS, 10000)
        self.assertIsNotNone(menu, "no menu opened")
        return menu

    def keys(self, menu, *keys):
        self.wine.post_keys(menu, *keys)

    def menu_closed(self):
        self.assertTrue(self.wine.menu_closed(), "the menu stayed open")

    def menu_size(self, menu):
        left, top, right, bottom = map(int, self.wine.driver("rect", menu)[1][0].split())
        return right - left, bottom - top

    def choose(self, menu, index, modifier=None):
        """Highlights entry index of the open menu and presses Enter, with a modifier held."""
        self.assertTrue(self.wine.enter_in_menu(menu, index, modifier), "the menu stayed open")

    def tray_command(self, position):
        menu = self.open_menu(3)
        self.keys(menu, *([VK_DOWN] * (position + 1)), VK_RETURN)
        self.menu_closed()

    def look_at_menu(self, menu, name):
        """A screenshot of the whole screen and one cut to the open menu."""
        rect = tuple(map(int, self.wine.driver("rect", menu)[1][0].split()))
        self.wine.screenshot_around(rect, name)

    # ---- the folder settings window ----
    def show_folder_settings(self):
        """Ctrl and a click on the tray icon, as the user opens it."""
        main = self.main_window()
        self.wine.click_tray_with("ctrl")
        self.assertTrue(wait_until(lambda: self.wine.is_visible(main), 10),
                        "the folder settings window did not show")
        return main

    def list_lines(self, main):
        return self.wine.list_lines(main, FOLDER_LIST)

    def add_through_browser(self, main, downs):
        """Add, and in the folder browser, which opens at the current folder, the folder that
        many places further down the tree, then OK."""
        browser, tree = self.wine.open_folder_browser(main)
        self.assertIsNotNone(tree, "the folder browser did not open at the current folder")
        for _ in range(downs):
            self.assertTrue(self.wine.move_down_in_tree(tree))
        self.wine.screenshot("journey4-folder-browser")
        self.wine.command(browser, IDOK)

    # ---- the multiple-execution window ----
    def run_list_lines(self, window):
        return self.wine.list_lines(window, RUN_LIST)

    def start_counts(self):
        return {name: len(self.starts(program(name))) for name in WORK_PROGRAMS}

    def assert_ran_in_order(self, before):
        """Each work program started once more than `before` counted and ended; each started
        after the one before it in the list had ended."""
        last = []
        for name in WORK_PROGRAMS:
            records = self.records(program(name))
            starts = [r for r in records if r.kind == "start"]
            ends = [r for r in records if r.kind == "end"]
            self.assertEqual(len(starts), before[name] + 1, name)
            self.assertEqual(len(ends), len(starts), f"{name} did not end")
            last.append((starts[-1].ms, ends[-1].ms))
        for (start, end), (next_start, _) in zip(last, last[1:]):
            self.assertGreaterEqual(next_start, end, "a program started before the one before "
                                    "it in the list had ended")

    # =============================================================================== the day
    @journey(1)
    def test_1_install(self):
        """The installer copies the programs, starts the launcher and puts its shortcuts into
        Startup and Send To."""
        command = [self.wine.loader, os.path.join(self.wine.tools, "qdriver.exe"), "run", "60000",
                   DOWNLOAD + "\\installer.exe"]
        installer = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.wine.processes.append(installer)
        dialog = self.wine.wait_window("Install")
        self.assertIsNotNone(dialog, "the Install dialog did not appear")
        self.assertEqual(self.wine.text(dialog, 1000), INSTALL)
        self.wine.screenshot("journey1-installer")
        self.wine.command(dialog, IDOK)
        output, _ = installer.communicate(timeout=80)
        self.wine.stop(installer)
        self.assertEqual(output.decode(ENCODING).split()[-1:], ["0"], "the installer failed")

        installed = sorted(n.lower() for n in os.listdir(self.unix(INSTALL)))
        self.assertEqual([n for n in installed if "." in n],
                         ["installer.exe", "quintarel.exe", "readme.txt"])
        for folder in (self.startup, self.sendto):
            self.assertEqual(self.wine.shell_link(folder + "\\Quintarel.lnk"),
                             {"target": INSTALL + "\\Quintarel.exe", "arguments": "",
                              "directory": INSTALL})
        self.wait_ready()

    @journey(2)
    def test_2_first_start(self):
        """The first start made the folder "app" beside the program and lists it; the icon is in
        the tray with the folder's name as its tip; the menu holds only the folder item, which
        opens the folder. A balloon from the icon says where it is, once, and goes by itself."""
        balloons = self.wine.welcome_balloons
        self.assertTrue(wait_until(balloons, 10), "no welcome at the first start")
        self.wine.screenshot("journey2-welcome-balloon")
        self.assertTrue(wait_until(lambda: not balloons(), 30), "the balloon stayed")
        self.assertTrue(os.path.isdir(self.unix(APP)))
        self.assertEqual(self.profile("NowFolder", "AppFolder"), APP)
        self.assertEqual(self.profile_int("FolderList", "Number"), 1)
        self.assertEqual(self.profile("FolderList", "AppFolder(00)"), APP)
        self.assertGreater(self.wine.tray_slot_colours("journey2-tray-icon"), 4, "no icon in the tray")
        self.assertEqual(self.tray_tip(), "app")

        menu = self.open_menu()
        width, height = self.menu_size(menu)
        type(self).one_row_height = height
        self.look_at_menu(menu, "journey2-empty-menu")
        self.choose(menu, 0)
        folder = self.wine.wait_class("ExplorerWClass", 15000)
        self.assertIsNotNone(folder, "the folder item opened no folder window")
        self.assertEqual(self.wine.title(folder), "app")
        self.wine.screenshot("journey2-folder-item-opened")
        self.wine.post(folder, WM_CLOSE)
        self.assertTrue(wait_until(lambda: self.wine.wait_class("ExplorerWClass", 100) is None, 10))

    @journey(3)
    def test_3_send_to(self):
        """Two files sent through the Send To shortcut: one question for both, two shortcuts in
        the current folder, and the running launcher's menu lists them."""
        calendar, memo = DOCUMENTS + "\\カレンダー.exe", DOCUMENTS + "\\メモ.txt"
        code, _ = self.wine.driver("shell-open", self.sendto + "\\Quintarel.lnk",
                                   f'"{calendar}" "{memo}"')
        self.assertEqual(code, 0)
        question = self.wine.wait_dialog_with_text("ショートカット登録しますか")
        self.assertIsNotNone(question, "the shortcut question did not appear")
        self.assertEqual(self.wine.message_box_text(question),
                         "カレンダー.exe\nメモ.txt\n\nを " + APP + " に\nショートカット登録しますか?")
        self.wine.screenshot("journey3-send-to-question")
        self.wine.command(question, IDOK)
        for name, target in (("カレンダー", calendar), ("メモ", memo)):
            link = APP + "\\" + name + ".lnk"
            self.assertTrue(wait_until(lambda: os.path.exists(self.unix(link)), 15), link)
            self.assertEqual(self.wine.shell_link(link)["target"].lower(), target.lower())
        # The second instance handed the files over and ended; one launcher runs.
        self.assertTrue(wait_until(
            lambda: sum(1 for w in self.wine.windows() if w[4] == MAIN_TITLE) == 1, 10))

        menu = self.open_menu()
        width, height = self.menu_size(menu)
        self.look_at_menu(menu, "journey3-menu-after-send-to")
        # Three rows now: the two shortcuts and the folder item.
        self.assertGreaterEqual(height, self.one_row_height * 2.5)
        self.choose(menu, 0)
        self.wait_starts(calendar, 1)

    @journey(4)
    def test_4_folders_of_their_own(self):
        """Two more folders added through the folder browser; the hobby folder gets icons only,
        small icons and a hot key of its own; switching by the tray popup and by the hot key;
        each menu shows its folder's settings."""
        os.makedirs(self.unix(WORK))
        os.makedirs(self.unix(TOOLS))
        for name in WORK_PROGRAMS:
            self.child_at(program(name), sleep_ms=700)
            self.wine.driver("make-shortcut", program(name), WORK + "\\" + name + ".lnk",
                             check=True)
        with open(self.unix(WORK + "\\メモ.txt"), "w", encoding=ENCODING) as f:
            f.write("議題\n")
        os.makedirs(self.unix(HOBBY + "\\アルバム"))
        for name in ("トラベル.txt", "マップ.bmp", "ミュージック.htm", "レシピ.txt"):
            with open(self.unix(HOBBY + "\\" + name), "w") as f:
                f.write("x")

        main = self.show_folder_settings()
        # Beside "app" the browser shows "seq" (the registered lists), then 仕事 and 趣味.
        self.add_through_browser(main, 2)
        self.assertTrue(wait_until(lambda: len(self.list_lines(main)) == 2, 10))
        self.add_through_browser(main, 3)
        self.assertTrue(wait_until(lambda: len(self.list_lines(main)) == 3, 10))
        self.assertEqual(self.list_lines(main), [APP, WORK, HOBBY])

        self.wine.select_list_line(main, FOLDER_LIST, 2)
        self.wine.post_command(main, BTN_DETAIL)
        title = "詳細設定(" + HOBBY + ")"
        detail = self.wine.wait_window(title)
        self.assertIsNotNone(detail, "the folder's detail settings did not open")
        self.wine.driver("click", detail, MODE_ICON_ONLY)
        self.wine.driver("click", detail, ICON_SMALL)
        hotkey = self.wine.driver("item", detail, DETAIL_HOTKEY)[1][0]
        self.wine.send(hotkey, HKM_SETHOTKEY, HOBBY_HOTKEY, 0)
        time.sleep(0.5)
        self.wine.screenshot("journey4-detail-settings")
        self.wine.command(detail, IDOK)
        self.assertTrue(self.wine.wait_gone(title))
        self.assertEqual(self.list_lines(main), [APP, WORK, "[*] " + HOBBY])
        self.wine.screenshot("journey4-folder-settings-window")
        self.wine.command(main, BTN_DONE)
        self.assertTrue(wait_until(lambda: not self.wine.is_visible(main), 10))
        section = "Detail\\FolderSpecificDetail(00)"
        self.wait_profile(section, "Folder", HOBBY)
        self.assertEqual(self.profile_int(section, "IconPrint"), 1)
        self.assertEqual(self.profile_int(section, "IconSize"), 16)
        self.assertEqual(self.profile_int(section, "HoyKey"), HOBBY_HOTKEY)

        menu = self.open_menu(hotkey=HOBBY_HOTKEY_KEYS)
        self.wait_profile("NowFolder", "AppFolder", HOBBY)
        hobby_size = self.menu_size(menu)
        self.look_at_menu(menu, "journey4-hobby-menu-by-hot-key")
        self.keys(menu, VK_ESCAPE)
        self.menu_closed()
        self.assertEqual(self.tray_tip(), "趣味")

        self.tray_command(TRAY_FIRST_FOLDER + 1)
        self.wait_profile("NowFolder", "AppFolder", WORK)
        menu = self.open_menu()
        work_size = self.menu_size(menu)
        self.look_at_menu(menu, "journey4-work-menu-from-tray-popup")
        self.keys(menu, VK_ESCAPE)
        self.menu_closed()
        # Small icons without names against large icons with them: 5 entries and the folder
        # item each way.
        self.assertLess(hobby_size[0] * 3, work_size[0], (hobby_size, work_size))
        self.assertLess(hobby_size[1], work_size[1], (hobby_size, work_size))

    @journey(5)
    def test_5_launching(self):
        """Entries of the work folder launched plainly, with Shift and parameters, and with Ctrl."""
        timer = program("タイマー")
        menu = self.open_menu()
        self.choose(menu, 1)
        self.assertEqual(self.wait_starts(timer, 1).arguments, "")

        before = {w[0] for w in self.wine.windows()}
        menu = self.open_menu()
        self.choose(menu, WORK_ENTRIES.index("メモ.txt"))
        editor = wait_until(lambda: next((w for w in self.wine.windows() if w[2] and
                                          w[0] not in before and "メモ" in w[4]), None), 15)
        self.assertIsNotNone(editor, "the document did not open in an editor")
        self.wine.screenshot("journey5-document-opened")
        self.wine.post(editor[0], WM_CLOSE)

        menu = self.open_menu()
        self.choose(menu, 1, "shift")
        prompt = self.wine.wait_window(WORK + "\\タイマー.lnk")
        self.assertIsNotNone(prompt, "the parameter prompt did not appear")
        self.wine.driver("set-text", prompt, 1047, "25 \"お茶の時間\"", check=True)
        self.wine.screenshot("journey5-parameter-prompt")
        self.wine.command(prompt, IDOK)
        # Wine's shell puts the shortcut's own (empty) arguments and a space before them.
        self.assertEqual(self.wait_starts(timer, 2).arguments.lstrip(), "25 \"お茶の時間\"")

        # Wine has no property sheets: the shell refuses the verb and the program says so.
        menu = self.open_menu()
        self.choose(menu, WORK_ENTRIES.index("メモ.txt"), "ctrl")
        box = self.wine.wait_dialog_with_text("ショートカット以外のプロパティは表示できません。")
        self.assertIsNotNone(box, "neither a property sheet nor the message appeared")
        self.wine.screenshot("journey5-properties-message")
        self.wine.command(box, IDOK)
        self.assertEqual(len(self.starts(timer)), 2)

    @journey(6)
    def test_6_collect_and_run_a_list(self):
        """Three entries collected from the menu with the space bar, run in order, saved as a
        list that runs on wake-up; after an exit and a new start the list runs again."""
        main = self.main_window()
        menu = self.open_menu()
        # Wine's menus run the highlighted item on the space bar themselves and never ask the
        # window, so the journey sends the window the WM_MENUCHAR a Windows menu sends for it,
        # and moves the highlight with Down, since Wine's menus ignore the MNC_SELECT answer.
        # Windows names the menu in the message; the open menu's window tells which it is.
        handle = self.wine.send(menu, MN_GETHMENU)
        highlighted = -1
        for index in (0, 1, 3):
            self.keys(menu, *([VK_DOWN] * (index - highlighted)))
            highlighted = index
            # A sent message overtakes posted ones: it goes once the keys have been handled.
            self.assertTrue(self.wine.after_posted(main))
            answer = self.wine.send(main, WM_MENUCHAR, MF_POPUP << 16 | ord(" "), handle)
            # The answer asks the menu to highlight the next entry.
            self.assertEqual(answer, 0x30000 + index + 1)
        window = self.wine.wait_window(MULTI_RUN_TITLE, 5000)
        self.assertIsNotNone(window, "the multiple-execution window did not show")
        self.look_at_menu(menu, "journey6-collected-with-the-space-bar")
        self.keys(menu, VK_ESCAPE)
        self.menu_closed()
        self.assertEqual(self.run_list_lines(window),
                         [WORK + "\\" + name + ".lnk" for name in WORK_PROGRAMS])

        self.wine.driver("click", window, RUN_ORDERED)
        self.assertTrue(wait_until(lambda: self.profile_int("MultipleLaunch", "RunOnWait") == 1))
        self.wine.post_command(window, CMD_SAVE_LIST)
        self.assertTrue(self.wine.answer_file_dialog("保存ファイル名", INSTALL + "\\seq\\朝.sqx"))
        # Saved in the list folder, the list is registered and selected: now it can be marked.
        self.wine.driver("click", window, RUN_ON_WAKEUP)
        marked = (INSTALL + "\\seq\\朝.sqx").replace("\\", "/")
        self.wait_profile("MultipleLaunch\\OnWakeup", "000", marked)
        self.assertTrue(os.path.exists(self.unix(INSTALL + "\\seq\\朝.sqx")))
        self.assertEqual(self.wine.title(window), "複数実行(朝.sqx)")
        self.wine.screenshot("journey6-list-saved")

        before = self.start_counts()
        self.wine.driver("click", window, IDOK)
        self.assertTrue(wait_until(lambda: len(self.starts(program("レポート"))) == 1 and
                                   len(self.records(program("レポート"))) == 2, 20))
        self.assert_ran_in_order(before)

        self.tray_command(TRAY_EXIT)
        self.assertTrue(self.wine.wait_gone(MAIN_TITLE, 20000), "the launcher did not end")
        before = self.start_counts()
        self.wine.start(INSTALL + "\\Quintarel.exe")
        self.wait_ready()
        self.assertTrue(wait_until(lambda: len(self.records(program("レポート"))) == 4, 20),
                        "the wake-up list did not run to its end")
        self.assert_ran_in_order(before)

    @journey(7)
    def test_7_delete_a_folder_before_one_with_a_hot_key(self):
        """The work folder goes from the list; the hobby folder's hot key, whose folder moved
        up one place, still opens the hobby folder."""
        main = self.show_folder_settings()
        self.wine.select_list_line(main, FOLDER_LIST, 1)
        self.wine.command(main, BTN_DELETE)
        self.assertEqual(self.list_lines(main), [APP, "[*] " + HOBBY])
        self.wine.screenshot("journey7-folder-deleted")
        self.wine.command(main, BTN_DONE)
        self.assertTrue(wait_until(lambda: not self.wine.is_visible(main), 10))
        self.assertEqual(self.profile_int("FolderList", "Number"), 2)
        self.assertEqual(self.profile("FolderList", "AppFolder(01)"), HOBBY)
        self.assertIsNone(self.profile("FolderList", "AppFolder(02)"))

        menu = self.open_menu(hotkey=HOBBY_HOTKEY_KEYS)
        self.wait_profile("NowFolder", "AppFolder", HOBBY)
        self.look_at_menu(menu, "journey7-hobby-menu-by-hot-key")
        self.choose(menu, 0)
        folder = self.wine.wait_class("ExplorerWClass", 15000)
        self.assertIsNotNone(folder, "the first entry, a folder, did not open")
        self.assertEqual(self.wine.title(folder), "アルバム")
        self.wine.post(folder, WM_CLOSE)

    @journey(8)
    def test_8_the_next_morning(self):
        """Exit takes the icon away; a fresh start shows every choice of the day."""
        self.tray_command(TRAY_EXIT)
        self.assertTrue(self.wine.wait_gone(MAIN_TITLE, 20000), "the launcher did not end")
        self.assertTrue(wait_until(lambda: self.wine.tray_slot_colours("journey8-tray-after-exit") == 1,
                                   10), "the tray icon stayed after exit")

        before = self.start_counts()
        self.wine.start(INSTALL + "\\Quintarel.exe")
        self.wait_ready()
        self.assertGreater(self.wine.tray_slot_colours("journey8-tray-next-morning"), 4)
        # The wake-up list ran a third time.
        self.assertTrue(wait_until(lambda: len(self.records(program("レポート"))) == 6, 20))
        self.assert_ran_in_order(before)
        self.assertEqual(self.tray_tip(), "趣味")
        main = self.show_folder_settings()
        self.assertEqual(self.list_lines(main), [APP, "[*] " + HOBBY])
        self.assertEqual(self.wine.text(main, 1000), HOBBY)
        self.wine.screenshot("journey8-folder-settings-window")
        self.wine.command(main, BTN_DONE)
        self.assertTrue(wait_until(lambda: not self.wine.is_visible(main), 10))

        # The hobby folder's own look and hot key.
        menu = self.open_menu(hotkey=HOBBY_HOTKEY_KEYS)
        hobby_size = self.menu_size(menu)
        self.keys(menu, VK_ESCAPE)
        self.menu_closed()
        # The app folder in the standard look, with the two files sent yesterday.
        self.tray_command(TRAY_FIRST_FOLDER)
        self.wait_profile("NowFolder", "AppFolder", APP)
        menu = self.open_menu()
        app_size = self.menu_size(menu)
        self.look_at_menu(menu, "journey8-app-menu")
        self.choose(menu, 0)
        self.wait_starts(DOCUMENTS + "\\カレンダー.exe", 2)
        self.assertLess(hobby_size[0] * 3, app_size[0])
        # The ordered run stays chosen, the list stays registered and marked.
        window = self.wine.find_window(MULTI_RUN_TITLE)
        self.tray_command(TRAY_MULTI_RUN)
        self.assertTrue(wait_until(lambda: self.wine.is_visible(window), 10))
        self.assertEqual(self.wine.driver("check", window, RUN_ORDERED)[1], ["1"])
        self.assertEqual(self.wine.driver("list-count", window, REGISTERED)[1], ["1"])
        self.wine.screenshot("journey8-multiple-execution-window")
        self.wine.post(window, WM_CLOSE)


if __name__ == "__main__":
    unittest.main()
