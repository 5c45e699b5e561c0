"""The multiple-execution window of the real program: shown by the tray command and by its own
hot key, a list opened and saved through the file dialogs and run at the next start, and the
panel and after-run options kept across a restart."""

import os
import shutil
import subprocess
import unittest

from harness import (CMD_EXIT, CMD_MULTI_RUN, CMD_SAVE_LIST, ENCODING, FILE_NAME_IDS,
                     MAIN_TITLE, MULTI_RUN_TITLE, LauncherTestCase, child_records, wait_until)

CMD_KEEP_LIST = 32782
CMD_KEEP_WINDOW = 32783
WM_CLOSE = 0x0010
ID_PANEL = 1056
ID_REGISTERED = 1071
ID_RUN_ON_WAKEUP = 1072
ID_ENTRIES = 1049
ID_PARAMETERS = 1054
LB_SETCURSEL = 0x0186
LBN_SELCHANGE = 1
BM_CLICK = 0x00F5
IDOK, IDCANCEL, IDNO = 1, 2, 7
HEADER = "[Quintarel Sequntial Execute File]\n"


class MultiRunTest(LauncherTestCase):
    def show_window(self):
        main = self.wine.find_window(MAIN_TITLE)
        self.wine.post_command(main, CMD_MULTI_RUN)
        window = self.wine.wait_window(MULTI_RUN_TITLE)
        self.assertIsNotNone(window, "the multiple-execution window did not show; windows: "
                             + repr([w for w in self.wine.windows() if w[4]]))
        return window

    def width(self, hwnd):
        left, _, right, _ = map(int, self.wine.driver("rect", hwnd)[1][0].split())
        return right - left

    def entry_count(self, hwnd):
        return int(self.wine.driver("list-count", hwnd, ID_ENTRIES)[1][0])

    def child(self, folder, name, sleep_ms=0):
        """A copy of the child program in a folder below C:, which records its starts."""
        directory = self.wine.drive_c(folder)
        os.makedirs(directory, exist_ok=True)
        self.addCleanup(shutil.rmtree, directory, True)
        log = self.wine.copy_child(os.path.join(directory, name + ".exe"), sleep_ms)
        if os.path.exists(log):
            os.remove(log)
        return f"C:\\{folder}\\{name}.exe", log

    def write_list(self, path, programs, ordered=0):
        """programs: paths, or (path, arguments) pairs; the count before the colon is the
        path's length."""
        pairs = [p if isinstance(p, tuple) else (p, "") for p in programs]
        lines = "".join(f"{len(p.encode(ENCODING)):3d}:{p}{' ' + a if a else ''}\n"
                        for p, a in pairs)
        with open(path, "wb") as f:
            f.write((HEADER + f"Sequential execute: {ordered}\n-- \n" + lines).encode(ENCODING))

    def click_sync(self, window, control):
        """A click on a button that has been handled when this returns."""
        self.wine.driver("send-item", window, control, BM_CLICK, 0, 0)

    def test_tray_command_and_the_window_hotkey_show_it(self):
        # Ctrl+Alt+M: HOTKEYF_CONTROL | HOTKEYF_ALT in the high byte, 'M' in the low.
        self.set_profile_int("MultipleLaunch", "HoyKey", 0x064D)
        process = self.start_launcher()
        window = self.show_window()
        # The close box aborts, which hides the window.
        self.wine.post(window, WM_CLOSE)
        self.assertTrue(wait_until(lambda: not self.wine.is_visible(window), 10))
        self.wine.xdotool("key", "ctrl+alt+m")
        self.assertTrue(wait_until(lambda: self.wine.is_visible(window), 10),
                        "the hot key did not show the window")
        self.exit_launcher(process)

    def open_list(self, window, path_windows):
        # Ctrl+O goes through the window's accelerators.
        self.wine.xdotool("key", "ctrl+o")
        self.assertTrue(self.wine.answer_file_dialog("読み込みファイル名", path_windows))
        # Loaded once the dialog's loop has ended and the window has handled what it posted.
        self.wine.send(window, 0)

    def mark_for_wakeup(self, path_windows):
        self.set_profile_int("MultipleLaunch\\OnWakeup", "Number", 1)
        self.set_profile_str("MultipleLaunch\\OnWakeup", "000", path_windows.replace("\\", "/"))

    def test_a_list_saved_into_the_list_folder_can_be_marked_and_one_from_elsewhere_cannot(self):
        program, log = self.child("ツール", "子")
        source = os.path.join(self.install_dir, "元.sqx")
        self.write_list(source, [(program, "-x")])
        process = self.start_launcher()
        window = self.show_window()
        self.open_list(window, self.install_dir_windows + "\\元.sqx")
        self.assertEqual(self.entry_count(window), 1)
        self.assertEqual(self.wine.title(window), "複数実行(元.sqx)")
        # A list from outside the list folder cannot be marked: the box says so.
        self.click_sync(window, ID_RUN_ON_WAKEUP)
        self.assertEqual(self.wine.driver("check", window, ID_RUN_ON_WAKEUP)[1], ["0"])
        self.assertIsNone(self.profile_int("MultipleLaunch\\OnWakeup", "Number"))
        self.wine.post_command(window, CMD_SAVE_LIST)
        # The dialog opens where the last one was left, so the list folder is named in full.
        self.assertTrue(self.wine.answer_file_dialog("保存ファイル名",
                                                     self.install_dir_windows + "\\seq\\朝.sqx"))
        # Saved into the list folder it is registered and selected, and can be marked.
        self.wine.send(window, 0)
        self.click_sync(window, ID_RUN_ON_WAKEUP)
        self.assertEqual(self.wine.driver("check", window, ID_RUN_ON_WAKEUP)[1], ["1"])

        saved = os.path.join(self.install_dir, "seq", "朝.sqx")
        self.assertTrue(wait_until(lambda: os.path.exists(saved), 10))
        with open(saved, "rb") as f, open(source, "rb") as g:
            self.assertEqual(f.read(), g.read())
        marked = (self.install_dir_windows + "\\seq\\朝.sqx").replace("\\", "/")
        self.assertTrue(wait_until(
            lambda: self.profile("MultipleLaunch\\OnWakeup", "000") == marked, 5))
        self.assertEqual(self.profile_int("MultipleLaunch\\OnWakeup", "Number"), 1)
        self.assertEqual(self.wine.driver("list-count", window, ID_REGISTERED)[1], ["1"])
        self.assertFalse(os.path.exists(log), "nothing was to run yet")
        self.exit_launcher(process)

    def test_the_panel_shows_the_parameters_of_the_selected_entry(self):
        program, _ = self.child("ツール", "子")
        self.write_list(os.path.join(self.install_dir, "元.sqx"), [(program, "-x")])
        process = self.start_launcher()
        window = self.show_window()
        self.open_list(window, self.install_dir_windows + "\\元.sqx")
        narrow = self.width(window)
        self.wine.driver("click", window, ID_PANEL)
        self.assertTrue(wait_until(lambda: self.width(window) > narrow, 5))
        self.wine.driver("send-item", window, ID_ENTRIES, LB_SETCURSEL, 0, 0)
        self.wine.command(window, ID_ENTRIES, LBN_SELCHANGE)
        self.assertEqual(self.wine.text(window, ID_PARAMETERS), "-x")
        self.wine.screenshot("multirun-panel-open-list-loaded")
        self.exit_launcher(process)

    def test_a_marked_list_runs_at_every_start_with_window_list_and_panel_kept(self):
        program, log = self.child("ツール", "子")
        os.makedirs(os.path.join(self.install_dir, "seq"))
        self.write_list(os.path.join(self.install_dir, "seq", "朝.sqx"), [(program, "-x")])
        self.mark_for_wakeup(self.install_dir_windows + "\\seq\\朝.sqx")
        # The window's caption names the list as soon as it is loaded.
        process = self.start_launcher(wait=False)
        starts = lambda: [r for r in child_records(log) if r.kind == "start"]
        self.assertTrue(wait_until(lambda: len(starts()) == 1, 15),
                        "the list did not run at the first start")
        window = self.show_window()
        narrow = self.width(window)
        self.wine.driver("click", window, ID_PANEL)
        self.assertTrue(wait_until(lambda: self.width(window) > narrow, 5))
        full = self.width(window)
        # After a run the window and the list are to stay.
        self.wine.post_command(window, CMD_KEEP_WINDOW)
        self.wine.post_command(window, CMD_KEEP_LIST)
        self.assertTrue(wait_until(
            lambda: self.profile_int("MultipleLaunch", "StillMultiRunList") == 1, 5))
        self.exit_launcher(process)

        # The kept list keeps its name in the caption.
        process = self.start_launcher(wait=False)
        window = self.wine.wait_window("複数実行(朝.sqx)")
        self.assertIsNotNone(window, "the window with the list did not show")
        again = wait_until(lambda: starts()[1:], 15)
        self.assertTrue(again, "the list did not run at the next start")
        self.assertEqual(again[0].arguments.lstrip(), "-x")
        self.assertTrue(wait_until(
            lambda: self.wine.driver("check", window, ID_RUN_ON_WAKEUP)[1] == ["1"], 5))
        self.assertTrue(self.wine.is_visible(window))
        self.assertEqual(self.entry_count(window), 1)
        self.assertEqual(self.width(window), full)
        self.exit_launcher(process)

    def test_exit_during_an_ordered_wakeup_list_ends_at_once_and_starts_nothing_more(self):
        all_day, all_day_log = self.child("長い", "一日", sleep_ms=600000)
        after, after_log = self.child("長い", "次")
        os.makedirs(os.path.join(self.install_dir, "seq"))
        self.write_list(os.path.join(self.install_dir, "seq", "朝.sqx"), [all_day, after], 1)
        self.set_profile_int("MultipleLaunch\\OnWakeup", "Number", 1)
        self.set_profile_str("MultipleLaunch\\OnWakeup", "000",
                             (self.install_dir_windows + "\\seq\\朝.sqx").replace("\\", "/"))
        # The window's caption names the list as soon as it is loaded: no wait for "複数実行".
        process = self.start_launcher(wait=False)
        self.assertIsNotNone(self.wine.wait_window(MAIN_TITLE, visible=False))
        self.assertTrue(wait_until(lambda: os.path.exists(all_day_log), 15),
                        "the wake-up list did not run")
        with open(all_day_log, "rb") as f:
            pid = f.read().decode(ENCODING).split()[2]
        self.addCleanup(self.wine.driver, "kill", pid)

        self.wine.post_command(self.wine.find_window(MAIN_TITLE), CMD_EXIT)
        # The running program lasts ten minutes: a launcher that waited for it is still here.
        try:
            process.wait(timeout=60)
        except subprocess.TimeoutExpired:
            self.fail("the launcher did not end while the list's program ran")
        self.wine.stop(process)
        # The launcher is gone: it had its chance to start the next program and did not.
        self.assertFalse(os.path.exists(after_log), "the next program started")
        with open(all_day_log, "rb") as f:
            self.assertNotIn("end", f.read().decode(ENCODING), "the running program was ended")

    def test_save_onto_an_existing_list_asks_and_no_keeps_it(self):
        program, _ = self.child("ツール", "子")
        os.makedirs(os.path.join(self.install_dir, "seq"))
        kept = os.path.join(self.install_dir, "seq", "朝.sqx")
        self.write_list(kept, [program], 1)
        with open(kept, "rb") as f:
            old = f.read()
        source = os.path.join(self.install_dir, "元.sqx")
        self.write_list(source, [program + " -other"])
        process = self.start_launcher()
        window = self.show_window()
        self.wine.post_command(window, 32785)  # Open
        self.assertTrue(self.wine.answer_file_dialog("読み込みファイル名",
                                                     self.install_dir_windows + "\\元.sqx"))
        # The registered list selected fills in the name: Save, then Enter, as the user does.
        # The dialog opens where the Open above left it, outside the list folder: the name
        # filled in must still be the registered list's.
        self.wine.driver("send-item", window, ID_REGISTERED, LB_SETCURSEL, 0, 0)
        self.wine.post_command(window, CMD_SAVE_LIST)
        dialog = self.wine.wait_window("保存ファイル名")
        self.assertIsNotNone(dialog)
        self.wine.post_command(dialog, IDOK)

        def question():
            for hwnd, class_name, visible, _, title in self.wine.windows():
                if visible and hwnd != dialog and class_name == "#32770" and \
                        title == "保存ファイル名":
                    return hwnd
            return None
        asked = wait_until(question, 10)
        self.wine.screenshot("multirun-save-asks-before-replacing")
        self.assertIsNotNone(asked, "Save did not ask before replacing the list; windows: "
                             + repr([w for w in self.wine.windows() if w[2]]))
        self.assertTrue(self.wine.message_box_text(asked))
        self.wine.post_command(asked, IDNO)
        self.assertTrue(wait_until(lambda: not self.wine.is_visible(asked), 10))
        self.wine.post_command(dialog, IDCANCEL)
        self.assertTrue(self.wine.wait_gone("保存ファイル名"))
        # Answered once the Save command has returned.
        self.wine.send(window, 0)
        with open(kept, "rb") as f:
            self.assertEqual(f.read(), old)
        self.assertFalse(os.path.exists(kept[:-1] + "~"))
        self.exit_launcher(process)


if __name__ == "__main__":
    unittest.main()
