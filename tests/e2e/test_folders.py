"""The launcher folders and their settings: the folder settings window, the folder browser, the
detail settings dialogs, the hot key dialog, and switching folders from the tray and by hot key."""

import os
import time
import unittest

from harness import (CMD_HOTKEY_SETTINGS, CMD_MULTI_RUN, CMD_SHOW_FOLDER_SETTINGS,
                     CMD_STANDARD_DETAIL, FOLDER_LIST, MAIN_TITLE, MENU_CLASS, MULTI_RUN_TITLE,
                     VK_DOWN, VK_ESCAPE, VK_RETURN, LauncherTestCase, child_starts, wait_until)


LIST = FOLDER_LIST
CURRENT = 1000
BTN_ADD, BTN_DELETE, BTN_SETTINGS, BTN_STANDARD, BTN_DONE = 4, 3, 5, 1032, 1
HKM_SETHOTKEY = 0x0401
HKM_GETHOTKEY = 0x0402
HOTKEY_DELETE = 3
WIDTH_BOX = 1021
HOTKEY_CONTROL = 1037

FOLDER_HOTKEY = 0x0600 | ord("J")  # Ctrl+Alt+J as the hot key control reports it
FOLDER_HOTKEY_KEYS = "ctrl+alt+j"


class FolderTestCase(LauncherTestCase):
    def make_folders(self, *names):
        """Folders of their own below the test's directory, where the program makes folders
        too; answers their Windows paths."""
        paths = []
        for name in names:
            os.makedirs(os.path.join(self.install_dir, "folders", name), exist_ok=True)
            paths.append(self.install_dir_windows + "\\folders\\" + name)
        return paths

    def put_child(self, folder_name, exe_name):
        """A copy of the recording child program as an entry of a launcher folder."""
        return self.wine.copy_child(os.path.join(self.install_dir, "folders", folder_name,
                                                 exe_name))

    def store_folders(self, paths, current):
        self.set_profile_int("FolderList", "Number", len(paths))
        for i, path in enumerate(paths):
            self.set_profile_str("FolderList", "AppFolder(%02d)" % i, path)
        self.set_profile_str("NowFolder", "AppFolder", current)

    def give_hotkey(self, index, folder, word):
        section = "Detail\\FolderSpecificDetail(%02d)" % index
        self.set_profile_str(section, "Folder", folder)
        self.set_profile_int(section, "HoyKey", word)
        self.set_profile_int("Detail", "Number", index + 1)

    def show_folder_settings(self):
        main = self.wine.find_window(MAIN_TITLE)
        self.wine.command(main, CMD_SHOW_FOLDER_SETTINGS)
        self.assertTrue(wait_until(lambda: self.wine.is_visible(main), 10))
        return main

    def open_folder_detail(self, main, index, folder):
        """Selects line index of the folder list and opens that folder's detail settings."""
        self.select_line(main, index)
        self.wine.post_command(main, BTN_SETTINGS)
        detail = self.wine.wait_window("詳細設定(" + folder + ")")
        self.assertIsNotNone(detail, "the folder's detail settings did not open")
        return detail

    def list_lines(self, main):
        return self.wine.list_lines(main, LIST)

    def select_line(self, main, index):
        self.wine.select_list_line(main, LIST, index)

    def add_through_browser(self, main):
        """Add, and in the browser the folder after the current one: the tests make the folder
        to add the current folder's next sibling."""
        browser, tree = self.wine.open_folder_browser(main)
        self.assertIsNotNone(tree, "the browser did not open at the current folder")
        self.assertTrue(self.wine.move_down_in_tree(tree))
        self.wine.command(browser, 1)

    def post_menu_keys(self, *keys):
        menu = self.wine.wait_class(MENU_CLASS, 10000)
        self.assertIsNotNone(menu, "no popup menu appeared")
        self.wine.post_keys(menu, *keys)

    def wait_log(self, log):
        self.assertTrue(wait_until(lambda: child_starts(log), 15), log + " was not written")


class FolderSettingsWindowTest(FolderTestCase):
    def test_first_start_creates_and_lists_the_folder_beside_the_program(self):
        process = self.start_launcher()
        main = self.show_folder_settings()
        app = self.install_dir_windows + "\\app"
        self.assertEqual(self.list_lines(main), [app])
        self.assertEqual(self.wine.text(main, CURRENT), app)
        self.assertEqual(self.profile_int("FolderList", "Number"), 1)
        self.assertEqual(self.profile("FolderList", "AppFolder(00)"), app)
        self.exit_launcher(process)

    def test_folders_chosen_in_the_browser_are_listed_and_stored(self):
        first, second = self.make_folders("first", "ソフト")
        self.store_folders([first], first)
        process = self.start_launcher()
        main = self.show_folder_settings()

        self.add_through_browser(main)
        self.assertTrue(wait_until(lambda: len(self.list_lines(main)) == 2, 10))
        self.assertEqual(self.list_lines(main), [first, second])
        self.assertEqual(self.profile_int("FolderList", "Number"), 2)
        self.assertEqual(self.profile("FolderList", "AppFolder(01)"), second)

        # Typing into the current-folder box is undone at once.
        self.wine.driver("set-text", main, CURRENT, "C:\\nowhere")
        self.assertEqual(self.wine.text(main, CURRENT), first)

        self.wine.command(main, BTN_DONE)
        self.assertTrue(wait_until(lambda: not self.wine.is_visible(main), 10))
        self.assertEqual(self.profile("NowFolder", "AppFolder"), first)
        self.exit_launcher(process)

    def test_settings_of_a_folder_and_the_standard_set(self):
        first, second = self.make_folders("first", "second")
        self.store_folders([first, second], first)
        process = self.start_launcher()
        main = self.show_folder_settings()
        detail = self.open_folder_detail(main, 1, second)
        title = "詳細設定(" + second + ")"
        time.sleep(0.3)
        self.wine.screenshot("folders-detail-folder")
        self.wine.driver("set-text", detail, WIDTH_BOX, "120")
        self.wine.command(detail, 1)
        self.assertTrue(self.wine.wait_gone(title))
        self.assertEqual(self.list_lines(main), [first, "[*] " + second])
        self.wine.screenshot("folders-settings-window")

        # The standard set from the tray command: saved at once.
        self.wine.post_command(main, CMD_STANDARD_DETAIL)
        standard = self.wine.wait_window("詳細設定(標準設定)")
        self.assertIsNotNone(standard)
        time.sleep(0.3)
        self.wine.screenshot("folders-detail-standard")
        self.wine.driver("set-text", standard, WIDTH_BOX, "80")
        self.wine.command(standard, 1)
        self.assertTrue(self.wine.wait_gone("詳細設定(標準設定)"))
        self.assertEqual(self.profile_int("Detail", "StringsNumber"), 80)

        # The folder's set is stored with the next save, when the window is closed.
        self.wine.command(main, BTN_DONE)
        self.assertTrue(wait_until(lambda: not self.wine.is_visible(main), 10))
        section = "Detail\\FolderSpecificDetail(00)"
        self.assertEqual(self.profile_int("Detail", "Number"), 1)
        self.assertEqual(self.profile(section, "Folder"), second)
        self.assertEqual(self.profile_int(section, "StringsNumber"), 120)
        self.exit_launcher(process)

    def test_the_hotkey_dialog_and_the_multiple_execution_command(self):
        process = self.start_launcher()
        main = self.wine.find_window(MAIN_TITLE)
        self.wine.post_command(main, CMD_HOTKEY_SETTINGS)
        dialog = self.wine.wait_window("HOTKEYの設定")
        self.assertIsNotNone(dialog)
        control = self.wine.driver("item", dialog, HOTKEY_CONTROL)[1][0]
        self.wine.send(control, HKM_SETHOTKEY, FOLDER_HOTKEY, 0)
        self.wine.command(dialog, 1)
        self.assertTrue(self.wine.wait_gone("HOTKEYの設定"))
        self.assertEqual(self.profile_int("NowFolder", "HoyKey"), FOLDER_HOTKEY)

        self.wine.post_command(main, CMD_MULTI_RUN)
        self.assertIsNotNone(self.wine.wait_window(MULTI_RUN_TITLE, 10000))
        self.exit_launcher(process)

    def test_a_hotkey_deleted_then_cancelled_works_again_after_ok(self):
        self.set_profile_int("NowFolder", "HoyKey", FOLDER_HOTKEY)
        process = self.start_launcher()
        main = self.wine.find_window(MAIN_TITLE)

        def hotkey_dialog(button):
            self.wine.post_command(main, CMD_HOTKEY_SETTINGS)
            dialog = self.wine.wait_window("HOTKEYの設定")
            self.assertIsNotNone(dialog)
            if button == 1:
                control = self.wine.driver("item", dialog, HOTKEY_CONTROL)[1][0]
                self.assertEqual(self.wine.send(control, HKM_GETHOTKEY), FOLDER_HOTKEY)
            else:
                self.wine.command(dialog, HOTKEY_DELETE)
            self.wine.command(dialog, button)
            self.assertTrue(self.wine.wait_gone("HOTKEYの設定"))

        hotkey_dialog(2)  # DELETE, then CANCEL: the key is withdrawn, the stored one stays
        hotkey_dialog(1)  # reopened on the stored key: OK makes it work again
        self.wine.xdotool("key", FOLDER_HOTKEY_KEYS)
        menu = self.wine.wait_class(MENU_CLASS, 10000)
        self.assertIsNotNone(menu, "the hot key popped no menu up")
        self.post_menu_keys(VK_ESCAPE)
        self.assertTrue(self.wine.menu_closed())
        self.exit_launcher(process)


class FolderSwitchTest(FolderTestCase):
    def test_ctrl_click_on_the_tray_icon_shows_the_folder_settings_window(self):
        process = self.start_launcher()
        main = self.wine.find_window(MAIN_TITLE)
        self.wine.click_tray_with("ctrl")
        self.assertTrue(wait_until(lambda: self.wine.is_visible(main), 10))
        # The click has been handled: a menu it popped up would be open now.
        self.assertTrue(self.wine.after_posted(main))
        self.assertIsNone(self.wine.wait_class(MENU_CLASS, 0))
        self.exit_launcher(process)

    def test_a_folder_chosen_in_the_tray_popup_becomes_current(self):
        first, second = self.make_folders("first", "second")
        log = self.put_child("second", "entry.exe")
        self.store_folders([first], first)
        process = self.start_launcher()
        main = self.show_folder_settings()
        # Added through the browser, it shows in the tray popup once the window is closed.
        self.add_through_browser(main)
        self.assertTrue(wait_until(lambda: len(self.list_lines(main)) == 2, 10))
        self.wine.command(main, BTN_DONE)

        self.wine.click(*self.wine.tray_point(), 3)
        # Six fixed items, the separator is skipped, then the folders.
        self.post_menu_keys(*([VK_DOWN] * 8), VK_RETURN)
        self.assertTrue(wait_until(lambda: self.profile("NowFolder", "AppFolder") == second, 10))
        # The launcher menu now lists that folder: its first entry starts.
        self.wine.click(*self.wine.tray_point(), 1)
        self.post_menu_keys(VK_DOWN, VK_RETURN)
        self.wait_log(log)
        self.exit_launcher(process)

    def test_a_folder_hotkey_makes_its_folder_current_and_pops_its_menu_up(self):
        first, second = self.make_folders("first", "second")
        log = self.put_child("second", "entry.exe")
        self.store_folders([first, second], first)
        self.give_hotkey(0, second, FOLDER_HOTKEY)
        process = self.start_launcher()
        self.wine.xdotool("key", FOLDER_HOTKEY_KEYS)
        self.post_menu_keys(VK_DOWN, VK_RETURN)
        self.wait_log(log)
        self.assertEqual(self.profile("NowFolder", "AppFolder"), second)
        self.exit_launcher(process)

    def test_deleting_an_earlier_folder_keeps_a_hotkey_on_its_folder(self):
        first, second, third = self.make_folders("first", "second", "third")
        log = self.put_child("third", "entry.exe")
        self.store_folders([first, second, third], first)
        self.give_hotkey(0, third, FOLDER_HOTKEY)
        process = self.start_launcher()
        main = self.show_folder_settings()
        self.select_line(main, 0)
        self.wine.command(main, BTN_DELETE)
        self.assertEqual(self.list_lines(main), [second, "[*] " + third])
        self.wine.command(main, BTN_DONE)

        self.wine.xdotool("key", FOLDER_HOTKEY_KEYS)
        self.post_menu_keys(VK_DOWN, VK_RETURN)
        self.wait_log(log)
        self.assertEqual(self.profile("NowFolder", "AppFolder"), third)
        self.exit_launcher(process)


if __name__ == "__main__":
    unittest.main()
