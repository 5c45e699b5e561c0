"""The multiple-execution window of the real program: shown by the tray command and by its own
hot key, a list opened and saved through the file dialogs and run at the next start, and the
panel and after-run options kept across a restart."""

import os
import shutil
import time
import unittest

from harness import CMD_MULTI_RUN, ENCODING, MULTI_RUN_TITLE, LauncherTestCase, wait_until

CMD_KEEP_LIST = 32782
CMD_KEEP_WINDOW = 32783
CMD_SAVE_LIST = 32784
WM_CLOSE = 0x0010
ID_PANEL = 1056
ID_REGISTERED = 1071
ID_RUN_ON_WAKEUP = 1072
ID_ENTRIES = 1049
ID_PARAMETERS = 1054
LB_SETCURSEL = 0x0186
LBN_SELCHANGE = 1
HEADER = "[Quintarel Sequntial Execute File]\n"


class MultiRunTest(LauncherTestCase):
    def show_window(self):
        main = self.wine.find_window("Quintarel - Folder の 設定 -")
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

    def child(self, folder, name):
        """A copy of the child program in a folder below C:, which records its starts."""
        directory = self.wine.drive_c(folder)
        shutil.rmtree(directory, ignore_errors=True)
        os.makedirs(directory)
        self.addCleanup(shutil.rmtree, directory, True)
        shutil.copy(os.path.join(self.wine.tools, "qchild.exe"),
                    os.path.join(directory, name + ".exe"))
        return f"C:\\{folder}\\{name}.exe", os.path.join(directory, name + ".log")

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

    def test_list_saved_to_run_on_wakeup_runs_at_the_next_start_with_the_options_kept(self):
        program, log = self.child("ツール", "子")
        entry = program + " -x"
        source = os.path.join(self.install_dir, "元.sqx")
        with open(source, "wb") as f:
            f.write((HEADER + "Sequential execute: 0\n-- \n"
                     f"{len(program.encode(ENCODING)):3d}:{entry}\n").encode(ENCODING))

        process = self.start_launcher()
        window = self.show_window()
        # Ctrl+O goes through the window's accelerators.
        self.wine.xdotool("key", "ctrl+o")
        self.assertTrue(self.wine.answer_file_dialog("読み込みファイル名",
                                                     self.install_dir_windows + "\\元.sqx"))
        self.assertEqual(self.entry_count(window), 1)
        self.assertEqual(self.wine.title(window), "複数実行(元.sqx)")
        self.wine.driver("click", window, ID_RUN_ON_WAKEUP)
        self.assertTrue(wait_until(
            lambda: self.wine.driver("check", window, ID_RUN_ON_WAKEUP)[1] == ["1"], 5))
        self.wine.post_command(window, CMD_SAVE_LIST)
        # The dialog opens where the last one was left, so the list folder is named in full.
        self.assertTrue(self.wine.answer_file_dialog("保存ファイル名",
                                                     self.install_dir_windows + "\\seq\\朝.sqx"))

        saved = os.path.join(self.install_dir, "seq", "朝.sqx")
        self.assertTrue(wait_until(lambda: os.path.exists(saved), 10))
        with open(saved, "rb") as f, open(source, "rb") as g:
            self.assertEqual(f.read(), g.read())
        marked = (self.install_dir_windows + "\\seq\\朝.sqx").replace("\\", "/")
        self.assertTrue(wait_until(
            lambda: self.profile("MultipleLaunch\\OnWakeup", "000") == marked, 5))
        self.assertEqual(self.profile_int("MultipleLaunch\\OnWakeup", "Number"), 1)
        self.assertEqual(self.wine.driver("list-count", window, ID_REGISTERED)[1], ["1"])
        narrow = self.width(window)
        self.wine.driver("click", window, ID_PANEL)
        self.assertTrue(wait_until(lambda: self.width(window) > narrow, 5))
        full = self.width(window)
        self.wine.driver("send-item", window, ID_ENTRIES, LB_SETCURSEL, 0, 0)
        self.wine.command(window, ID_ENTRIES, LBN_SELCHANGE)
        time.sleep(1)
        self.assertEqual(self.wine.text(window, ID_PARAMETERS), "-x")
        self.wine.screenshot("multirun-panel-open-list-loaded")
        self.assertFalse(os.path.exists(log), "nothing was to run yet")
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
        self.assertTrue(wait_until(lambda: os.path.exists(log), 15), "the list did not run")
        with open(log, "rb") as f:
            first = f.read().decode(ENCODING).splitlines()[0]
        self.assertTrue(first.startswith("start ") and first.endswith(" -x"), first)
        self.assertTrue(wait_until(
            lambda: self.wine.driver("check", window, ID_RUN_ON_WAKEUP)[1] == ["1"], 5))
        self.assertTrue(self.wine.is_visible(window))
        self.assertEqual(self.entry_count(window), 1)
        self.assertEqual(self.width(window), full)
        self.exit_launcher(process)


if __name__ == "__main__":
    unittest.main()
