"""Start-up, the single instance and its hand-over, command-line shortcuts, and exit."""

import os
import shutil
import subprocess
import unittest

from harness import (CMD_EXIT, CMD_SHOW_FOLDER_SETTINGS, INSTANCE_MUTEX, MAIN_TITLE,
                     MULTI_RUN_TITLE, TRAY_ICON_ID, LauncherTestCase, wait_until)


class StartupTest(LauncherTestCase):
    def test_first_start_stays_hidden_and_keeps_running(self):
        process = self.start_launcher()
        main = self.wine.find_window(MAIN_TITLE)
        # A sent message is answered only by a program that runs its message loop.
        self.assertEqual(self.wine.send(main, 0), 0)
        self.assertIsNone(process.poll(), "the launcher ended on its own")
        self.assertFalse(self.wine.is_visible(main))
        multi = self.wine.find_window(MULTI_RUN_TITLE)
        self.assertIsNotNone(multi, "the multiple-execution window was not created")
        self.assertFalse(self.wine.is_visible(multi))
        # The first start makes the folder "app" beside the program the current folder.
        self.assertTrue(os.path.isdir(os.path.join(self.install_dir, "app")))
        self.assertEqual(self.profile("NowFolder", "AppFolder"),
                         self.install_dir_windows + "\\app")
        self.wine.screenshot("startup-first-start")
        self.exit_launcher(process)

    def test_the_very_first_start_says_once_where_the_icon_is(self):
        balloons = self.wine.welcome_balloons
        self.wine.reg_delete_tree("Software\\Brisvane")
        process = self.start_launcher()
        self.assertTrue(wait_until(balloons, 10), "no balloon at the first start")
        self.assertTrue(balloons()[0].startswith("通知領域のこのアイコンから"), balloons())
        self.wine.screenshot("startup-welcome-balloon")
        self.exit_launcher(process)
        self.assertTrue(wait_until(lambda: not balloons(), 30), "the balloon stayed")

        process = self.start_launcher()
        # A balloon is asked for as the icon goes up, before the start ends; one asked for
        # after it shows only once the taskbar has shown the launcher's.
        main = self.wine.find_window(MAIN_TITLE)
        self.assertEqual(self.wine.driver("tray-has", main, TRAY_ICON_ID)[1], ["1"])
        self.assertEqual(self.wine.driver("balloon-probe", "probe balloon", 10000)[0], 0,
                         "a balloon of the launcher's came before the probe's")
        self.assertEqual(balloons(), [])
        self.exit_launcher(process)

    def test_second_start_shows_the_first_and_ends(self):
        first = self.start_launcher()
        main = self.wine.find_window(MAIN_TITLE)
        self.assertFalse(self.wine.is_visible(main))

        second = self.wine.start(self.launcher_exe)
        self.assertEqual(second.wait(timeout=30), 0)
        self.assertTrue(wait_until(lambda: self.wine.is_visible(main), 10))
        self.assertEqual(self.wine.count_windows(MAIN_TITLE), 1)
        self.assertIsNone(first.poll())
        self.wine.screenshot("startup-second-start-shows-first")
        self.exit_launcher(first)

    def test_a_start_while_the_last_instance_is_ending_is_not_lost(self):
        # An instance that is ending holds the mutex a moment after its window went.
        holder = subprocess.Popen([self.wine.loader, os.path.join(self.wine.tools, "qdriver.exe"),
                                   "hold-mutex", INSTANCE_MUTEX, "1500"], stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL)
        self.wine.processes.append(holder)
        self.assertEqual(holder.stdout.readline().strip(), b"held")
        process = self.start_launcher(wait=False)
        self.wait_started(process)
        self.assertIsNone(process.poll())
        self.exit_launcher(process)

    def test_exit_saves_the_settings_and_ends_the_process(self):
        process = self.start_launcher()
        self.set_profile_str("NowFolder", "TargetFolder", "★ここ")
        self.assertIsNone(self.profile("Detail", "IconSize"))
        main = self.wine.find_window(MAIN_TITLE)
        self.wine.post_command(main, CMD_EXIT)
        self.assertEqual(process.wait(timeout=20), 0)
        self.assertEqual(self.profile_int("Detail", "IconSize"), 32)
        self.assertEqual(self.profile_int("Detail", "IconPrint"), 2)
        self.assertEqual(self.profile_int("Detail", "Number"), 0)
        self.assertEqual(len(self.profile("Detail", "FontData")), 120)
        # Read at start-up, so the value written while it ran is the one written back.
        self.assertEqual(self.profile("NowFolder", "TargetFolder"), ":☆フォルダ☆")
        self.assertIsNone(self.wine.find_window(MAIN_TITLE))

    def test_close_box_leaves_the_folder_settings_window_open(self):
        process = self.start_launcher()
        main = self.wine.find_window(MAIN_TITLE)
        self.wine.command(main, CMD_SHOW_FOLDER_SETTINGS)
        self.assertTrue(wait_until(lambda: self.wine.is_visible(main), 10))
        # Sent: when it returns the window has handled the close box.
        self.wine.send(main, 0x0010)  # WM_CLOSE
        self.assertTrue(self.wine.is_visible(main))
        self.exit_launcher(process)

    def test_about_box(self):
        process = self.start_launcher()
        main = self.wine.find_window(MAIN_TITLE)
        self.wine.command(main, CMD_SHOW_FOLDER_SETTINGS)
        self.wine.post(main, 0x0112, 0x10, 0)  # WM_SYSCOMMAND with the about item
        about = self.wine.wait_window("バージョン情報 Quintarel")
        self.assertIsNotNone(about)
        self.wine.screenshot("startup-about-box")
        self.wine.command(about, 1)
        self.assertTrue(self.wine.wait_gone("バージョン情報 Quintarel"))
        self.exit_launcher(process)

    def test_renamed_program_keeps_its_profile_under_its_own_name(self):
        renamed = os.path.join(self.install_dir, "Other.exe")
        shutil.copy(self.launcher_exe, renamed)
        process = self.wine.start(renamed)
        main = self.wait_started()
        self.wine.post_command(main, CMD_EXIT)
        process.wait(timeout=20)
        self.assertEqual(self.wine.reg_int("Software\\Brisvane\\Other\\Detail", "IconSize"), 32)
        self.assertIsNone(self.profile("Detail", "IconSize"))


class CommandLineShortcutTest(LauncherTestCase):
    def make_target(self, name):
        folder = os.path.join(self.install_dir, "data")
        os.makedirs(folder, exist_ok=True)
        path = os.path.join(folder, name)
        with open(path, "w") as f:
            f.write("x")
        return path, self.install_dir_windows + "\\data\\" + name

    def make_launcher_folder(self):
        folder = os.path.join(self.install_dir, "launch")
        os.makedirs(folder, exist_ok=True)
        windows_folder = self.install_dir_windows + "\\launch"
        self.set_profile_str("NowFolder", "AppFolder", windows_folder)
        return folder, windows_folder

    def answer_question(self, answer_id):
        box = self.wine.wait_dialog_with_text("ショートカット登録しますか")
        self.assertIsNotNone(box, "the shortcut question did not appear")
        text = self.wine.message_box_text(box)
        self.wine.command(box, answer_id)
        return text

    def test_first_start_with_a_file_asks_and_writes_the_shortcut(self):
        folder, windows_folder = self.make_launcher_folder()
        _, target = self.make_target("メモ.txt")
        process = self.wine.start(self.launcher_exe, target)
        text = self.answer_question(1)
        self.assertEqual(text, "メモ.txt\n\nを " + windows_folder + " に\nショートカット登録しますか?")
        self.wait_started(process)
        shortcut = os.path.join(folder, "メモ.lnk")
        self.assertTrue(os.path.exists(shortcut))
        link = self.wine.shell_link(windows_folder + "\\メモ.lnk")
        self.assertEqual(link["target"].lower(), target.lower())
        self.assertEqual(link["directory"].lower(), (self.install_dir_windows + "\\data").lower())
        self.exit_launcher(process)

    def test_files_of_one_stem_and_a_drive_root_get_shortcuts_of_their_own(self):
        folder, windows_folder = self.make_launcher_folder()
        _, text = self.make_target("memo.txt")
        _, document = self.make_target("memo.doc")
        process = self.wine.start(self.launcher_exe, text, document, "C:\\")
        question = self.answer_question(1)
        self.assertTrue(question.startswith("memo.txt\nmemo.doc\nドライブ C\n"), question)
        self.wait_started(process)
        targets = {name: self.wine.shell_link(windows_folder + "\\" + name)["target"].lower()
                   for name in ("memo.lnk", "memo (2).lnk", "ドライブ C.lnk")}
        self.assertEqual(targets, {"memo.lnk": text.lower(), "memo (2).lnk": document.lower(),
                                   "ドライブ C.lnk": "c:\\"})
        self.assertEqual(sorted(os.listdir(folder)), ["memo (2).lnk", "memo.lnk", "ドライブ C.lnk"])
        self.exit_launcher(process)

    def test_second_start_with_a_file_hands_over_without_showing_the_window(self):
        folder, _ = self.make_launcher_folder()
        first = self.start_launcher()
        main = self.wine.find_window(MAIN_TITLE)
        _, target = self.make_target("tool.exe")
        second = self.wine.start(self.launcher_exe, target)
        self.answer_question(1)
        self.assertEqual(second.wait(timeout=30), 0)
        self.assertTrue(os.path.exists(os.path.join(folder, "tool.lnk")))
        self.assertFalse(self.wine.is_visible(main))
        self.assertEqual(self.wine.count_windows(MAIN_TITLE), 1)
        self.exit_launcher(first)

    def test_cancelled_question_writes_nothing(self):
        folder, _ = self.make_launcher_folder()
        _, target = self.make_target("a.txt")
        process = self.wine.start(self.launcher_exe, target)
        self.answer_question(2)
        box = self.wine.wait_dialog_with_text("ショートカット作成を中止しました。")
        self.assertIsNotNone(box)
        self.wine.command(box, 1)
        self.wait_started(process)
        self.assertEqual(os.listdir(folder), [])
        self.exit_launcher(process)

    def test_without_a_current_folder_nothing_is_created_and_the_program_starts(self):
        _, target = self.make_target("a.txt")
        # Started in its own folder: a shortcut made against an empty folder name would land
        # in the root of this drive.
        process = self.wine.start(self.launcher_exe, target, cwd=self.install_dir)
        box = self.wine.wait_dialog_with_text("標準フォルダーが設定されていません")
        self.assertIsNotNone(box)
        self.wine.screenshot("startup-no-standard-folder")
        self.wine.command(box, 1)
        # No question follows: the shortcuts are made before the main window.
        self.wait_started(process)
        self.exit_launcher(process)
        made = [os.path.join(top, name) for top, _, names in os.walk(self.install_dir)
                for name in names if name.lower().endswith(".lnk")]
        made += [name for name in os.listdir(self.wine.drive_c()) if name.lower().endswith(".lnk")]
        self.assertEqual(made, [])
        # The first start made its folder "app" and left it empty.
        self.assertEqual(os.listdir(os.path.join(self.install_dir, "app")), [])


if __name__ == "__main__":
    unittest.main()
