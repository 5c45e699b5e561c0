"""Soundness in daily use: the tray icon after the taskbar restarts, the settings at log-off, a
start on a damaged profile, and the version resource of both programs."""

import time
import unittest

from harness import MAIN_TITLE, TRAY_ICON_ID, VK_ESCAPE, LauncherTestCase, wait_until
from test_folders import WIDTH_BOX, FolderTestCase
from test_launcher_menu import LauncherMenuCase

WM_QUERYENDSESSION = 0x0011
WM_ENDSESSION = 0x0016


class TrayTestCase(LauncherMenuCase):
    def tray_has_icon(self, main):
        return self.wine.driver("tray-has", main, TRAY_ICON_ID)[1] == ["1"]

    def start_beta_from_the_menu(self):
        """A real click on the icon, then the second entry: the launcher works."""
        self.choose(1)
        self.wait_start("beta")


class TaskbarRestartTest(TrayTestCase):
    def test_the_icon_comes_back_when_the_taskbar_is_created_again(self):
        self.start_launcher()
        main = self.wine.find_window(MAIN_TITLE)
        self.assertTrue(self.tray_has_icon(main))

        # The message while the icon is still there: it stays. (That it is not added twice is
        # the Windows tier's: Wine's taskbar refuses a second add of the same icon itself.)
        self.wine.driver("broadcast", "TaskbarCreated", check=True)
        self.assertTrue(self.tray_has_icon(main))

        # A restarting taskbar starts without the icons of the running programs.
        self.wine.driver("tray-delete", main, TRAY_ICON_ID, check=True)
        self.assertTrue(wait_until(lambda: self.tray_colours() == 1, 10),
                        "the icon did not leave the tray")
        self.wine.driver("broadcast", "TaskbarCreated", check=True)
        self.assertTrue(wait_until(lambda: self.tray_has_icon(main), 10),
                        "the icon was not put up again")
        self.assertTrue(wait_until(lambda: self.tray_colours() > 4, 10))
        self.wine.screenshot("soundness-tray-icon-back")
        self.start_beta_from_the_menu()


class SessionEndTest(FolderTestCase):
    def test_log_off_saves_what_exit_would_save(self):
        first, second = self.make_folders("first", "second")
        self.store_folders([first, second], first)
        process = self.start_launcher()
        main = self.show_folder_settings()
        detail = self.open_folder_detail(main, 1, second)
        title = "詳細設定(" + second + ")"
        self.wine.driver("set-text", detail, WIDTH_BOX, "120")
        self.wine.command(detail, 1)
        self.assertTrue(self.wine.wait_gone(title))
        # The folder's set lives in memory until Done, exit, or the end of the session.
        self.assertIsNone(self.profile("Detail", "Number"))

        self.assertEqual(self.wine.send(main, WM_QUERYENDSESSION, 0, 0), 1)
        # A session end that was called off writes nothing.
        self.wine.send(main, WM_ENDSESSION, 0, 0)
        self.assertIsNone(self.profile("Detail", "Number"))
        self.wine.send(main, WM_ENDSESSION, 1, 0)
        section = "Detail\\FolderSpecificDetail(00)"
        self.assertEqual(self.profile_int("Detail", "Number"), 1)
        self.assertEqual(self.profile(section, "Folder"), second)
        self.assertEqual(self.profile_int(section, "StringsNumber"), 120)
        self.assertEqual(self.profile_int("Detail", "IconSize"), 32)
        self.assertEqual(self.profile("NowFolder", "TargetFolder"), ":☆フォルダ☆")

        # The system ends the process without the exit command; the next start has the set.
        self.wine.stop(process)
        self.assertTrue(self.wine.wait_gone(MAIN_TITLE))
        process = self.start_launcher()
        main = self.show_folder_settings()
        self.assertEqual(self.list_lines(main), [first, "[*] " + second])
        self.exit_launcher(process)


class DamagedProfileTest(TrayTestCase):
    def damage_the_profile(self):
        text_for_number = "壊れた"
        for value in ("PrintEnt", "PrintLnk", "PrintMyself", "HoyKey", "FontRGB"):
            self.set_profile_str("Detail", value, text_for_number)
        for value, number in (("IconPrint", 7), ("IconSize", -5), ("DesktopRatio", 0),
                              ("StringsNumber", -1), ("HeightSpace", 100000),
                              ("BackgroundColor", 0xFFFFFFFF), ("Number", 0x7FFFFFFF)):
            self.set_profile_int("Detail", value, number)
        # A font thousands of pixels high.
        self.set_profile_str("Detail", "FontData", "7" * 120)
        # The current folder's own set, the one in force.
        own = "Detail\\FolderSpecificDetail(00)"
        self.set_profile_str(own, "Folder", self.folder_windows)
        self.set_profile_str(own, "IconPrint", "2")
        for value, number in (("IconSize", 0x7FFFFFFF), ("DesktopRatio", -100),
                              ("StringsNumber", 0x7FFFFFFF), ("HeightSpace", -0x80000000)):
            self.set_profile_int(own, value, number)
        self.set_profile_str(own, "FontData", "zz" * 200)
        # Far beyond a menu text (a command line holds no more).
        self.set_profile_str("NowFolder", "TargetFolder", "長" * 12000)
        self.set_profile_str("NowFolder", "HoyKey", "ctrl+q")
        self.set_profile_int("FolderList", "Number", 0x7FFFFFFF)
        self.set_profile_str("FolderList", "AppFolder(00)", self.folder_windows)
        self.set_profile_int("FolderList", "AppFolder(01)", 12)
        for value in ("StillMultiRun", "StillMultiRunList", "HoyKey"):
            self.set_profile_str("MultipleLaunch", value, text_for_number)
        self.set_profile_int("MultipleLaunch", "ShowOption", 0x7FFFFFFF)
        self.set_profile_int("MultipleLaunch", "RunOnWait", -1)
        self.set_profile_int("MultipleLaunch\\OnWakeup", "Number", 0x7FFFFFFF)
        self.set_profile_int("MultipleLaunch\\OnWakeup", "000", 5)
        self.set_profile_str("MultipleLaunch\\OnWakeup", "001", "C:\\nowhere\\list.sqx")

    def test_a_start_on_a_damaged_profile_gives_a_working_launcher(self):
        self.damage_the_profile()
        process = self.start_launcher()
        self.assertIsNone(process.poll())
        # Whatever the start posted itself has been handled: a box it showed would be up.
        self.assertTrue(self.wine.after_posted(self.wine.find_window(MAIN_TITLE)))
        self.assertIsNone(self.wine.wait_class("#32770", 0), "a message box came up")
        self.assertTrue(wait_until(lambda: self.tray_colours() > 4, 10),
                        "the tray icon is not in the tray")
        menu = self.click_tray()
        self.wine.screenshot("soundness-damaged-profile-menu")
        self.key(menu, VK_ESCAPE)
        self.wait_menu_closed()
        self.start_beta_from_the_menu()

        # What is saved is what was used: sane values, in the stored form.
        self.exit_launcher(process)
        own = "Detail\\FolderSpecificDetail(00)"
        self.assertEqual(self.profile_int("Detail", "IconPrint"), 2)
        self.assertEqual(self.profile_int("Detail", "HeightSpace"), 0)
        self.assertEqual(len(self.profile("Detail", "FontData")), 120)
        self.assertEqual(self.profile_int("Detail", "Number"), 100)
        self.assertEqual(self.profile_int(own, "IconSize"), 32)
        self.assertEqual(self.profile_int(own, "DesktopRatio"), 100)
        self.assertEqual(self.profile_int(own, "StringsNumber"), 260)


class VersionResourceTest(LauncherTestCase):
    def test_both_programs_name_product_version_and_maker(self):
        for program in ("quintarel.exe", "installer.exe"):
            code, lines = self.wine.driver(
                "version", self.install_dir_windows + "\\" + program, "ProductName",
                "ProductVersion", "FileVersion", "CompanyName", "OriginalFilename")
            self.assertEqual(code, 0, program + " has no version resource")
            self.assertEqual(lines, ["Quintarel", "2.2", "2.2", "Brisvane", program])

    def test_both_manifests_ask_for_common_controls_six_own_rights_and_dpi_awareness(self):
        for program in ("quintarel.exe", "installer.exe"):
            code, lines = self.wine.driver("manifest",
                                           self.install_dir_windows + "\\" + program)
            self.assertEqual(code, 0, program + " has no manifest")
            manifest = "\n".join(lines)
            self.assertIn('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"',
                          " ".join(manifest.split()))
            self.assertIn('level="asInvoker"', manifest)
            # Per monitor where the system knows it, the system's DPI before that.
            self.assertIn(">PerMonitorV2, System</dpiAwareness>", manifest)
            self.assertIn(">true</dpiAware>", manifest)
            # Windows 10 and 11 share one identifier; without it they treat the program as
            # written for Vista.
            self.assertIn("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", manifest)


if __name__ == "__main__":
    unittest.main()
