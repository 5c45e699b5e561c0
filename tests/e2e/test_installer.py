"""The setup program driven from outside: its dialog, the copies, the start of the launcher, the
Startup and Send To shortcuts, and what the Send To shortcut then does."""

import os
import shutil
import subprocess
import unittest

from harness import ENCODING, MAIN_TITLE, PROFILE_KEY, LauncherTestCase, wait_until

DIALOG_TITLE = "Install"
IDOK, IDCANCEL = 1, 2
FOLDER_BOX, BROWSE, SKIP_COPY, ADD_TO_STARTUP, ADD_TO_SENDTO = 1000, 1001, 1002, 1003, 1004
CSIDL_STARTUP, CSIDL_SENDTO, CSIDL_LOCAL_APPDATA = 7, 9, 28
IDYES, IDNO = 6, 7
WS_EX_TOPMOST = 0x8
COPY_FAILED = "にコピーできませんでした。"
UNINSTALL_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quintarel"


class InstallerTestCase(LauncherTestCase):
    def setUp(self):
        super().setUp()
        self.installer_exe = os.path.join(self.install_dir, "installer.exe")
        self.startup_folder = self.special_folder(CSIDL_STARTUP)
        self.sendto_folder = self.special_folder(CSIDL_SENDTO)
        # The user's own program folder, where no administrator's rights are needed.
        self.default_folder = self.special_folder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Quintarel"
        self.remove_installation()
        self.wine.reg_delete_tree(UNINSTALL_KEY)
        self.addCleanup(self.wine.reg_delete_tree, UNINSTALL_KEY)

    def tearDown(self):
        # The installer started the launcher, so its process is not one of ours: end it by the
        # pid of its window when asking it to exit is not enough.
        main = self.wine.find_window(MAIN_TITLE)
        pid = self.wine.driver("pid", main)[1][0] if main else None
        super().tearDown()
        if pid and self.wine.find_window(MAIN_TITLE):
            self.wine.driver("kill", pid)
        self.remove_installation()

    # ---- paths ----
    def special_folder(self, csidl):
        code, lines = self.wine.driver("special-folder", csidl)
        self.assertEqual(code, 0)
        return lines[0]

    def unix(self, windows_path):
        self.assertTrue(windows_path.upper().startswith("C:\\"), windows_path)
        return self.wine.drive_c(*windows_path[3:].split("\\"))

    def shortcut(self, folder):
        return folder + "\\Quintarel.lnk"

    def remove_installation(self):
        shutil.rmtree(self.unix(self.default_folder), ignore_errors=True)
        for folder in (self.startup_folder, self.sendto_folder):
            path = self.unix(self.shortcut(folder))
            if os.path.exists(path):
                os.remove(path)

    def files_in(self, windows_folder):
        return sorted(name.lower() for name in os.listdir(self.unix(windows_folder))
                      if os.path.isfile(os.path.join(self.unix(windows_folder), name)))

    def assert_shortcuts_to(self, launcher, startup=True, sendto=True):
        folder = launcher.rsplit("\\", 1)[0] if launcher else None
        for wanted, shortcut_folder in ((startup, self.startup_folder),
                                        (sendto, self.sendto_folder)):
            path = self.shortcut(shortcut_folder)
            self.assertEqual(os.path.exists(self.unix(path)), wanted, path)
            if wanted:
                link = self.wine.shell_link(path)
                self.assertEqual(link, {"target": launcher, "arguments": "", "directory": folder})

    # ---- the installer ----
    def start_installer(self, installer=None, *args):
        """Starts the installer through the driver, which gives its exact exit code; answers its
        dialog, or with arguments (an uninstall) nothing."""
        command = [self.wine.loader, os.path.join(self.wine.tools, "qdriver.exe"), "run", 60000,
                   installer or self.installer_exe, *args]
        self.installer = subprocess.Popen([str(c) for c in command], stdout=subprocess.PIPE,
                                          stderr=subprocess.DEVNULL)
        self.wine.processes.append(self.installer)
        if args:
            return None
        dialog = self.wine.wait_window(DIALOG_TITLE)
        self.assertIsNotNone(dialog, "the Install dialog did not appear")
        return dialog

    def install(self, installer=None, answers=()):
        """Installs with the defaults, answering each message containing the text with the
        button; answers the exit code."""
        self.wine.command(self.start_installer(installer), IDOK)
        for text, button in answers:
            box = self.wine.wait_dialog_with_text(text)
            self.assertIsNotNone(box, f"no message with {text!r}")
            self.wine.command(box, button)
        return self.exit_code()

    def uninstall(self, answer):
        self.start_installer(self.unix(self.default_folder + "\\installer.exe"), "/uninstall")
        box = self.wine.wait_dialog_with_text("アンインストールします")
        self.assertIsNotNone(box, "no uninstall question")
        self.wine.command(box, answer)
        self.answer_message("アンインストールしました")
        return self.exit_code()

    def newer_build(self, name):
        """A copy of the programs told apart by its read-me, in a folder of its own."""
        folder = os.path.join(self.install_dir, name)
        os.makedirs(folder)
        for file in ("quintarel.exe", "installer.exe", "ReadMe.txt"):
            shutil.copy(os.path.join(self.install_dir, file), folder)
        with open(os.path.join(folder, "ReadMe.txt"), "ab") as f:
            f.write(name.encode() + b"\r\n")
        return folder

    def launcher_pid(self):
        main = self.wine.find_window(MAIN_TITLE)
        return self.wine.driver("pid", main)[1][0] if main else None

    def assert_installed_from(self, folder):
        for name in ("installer.exe", "quintarel.exe", "ReadMe.txt"):
            installed = [n for n in os.listdir(self.unix(self.default_folder))
                         if n.lower() == name.lower()][0]
            with open(os.path.join(folder, name), "rb") as source, \
                    open(os.path.join(self.unix(self.default_folder), installed), "rb") as copy:
                self.assertEqual(source.read(), copy.read(), name)

    def exit_code(self):
        output, _ = self.installer.communicate(timeout=50)
        self.wine.stop(self.installer)
        lines = output.decode(ENCODING).split()
        self.assertTrue(lines, "the installer did not end in time")
        return int(lines[-1])

    def check(self, dialog, control):
        return self.wine.driver("check", dialog, control)[1] == ["1"]

    def enabled(self, dialog, control):
        return self.wine.driver("enabled", dialog, control)[1] == ["1"]

    def click(self, dialog, control, checked):
        self.wine.driver("click", dialog, control)
        self.assertTrue(wait_until(lambda: self.check(dialog, control) == checked, 5))

    def answer_message(self, text):
        box = self.wine.wait_dialog_with_text(text)
        self.assertIsNotNone(box, f"no message with {text!r}")
        self.assertEqual(self.wine.title(box), "Install")
        message = self.wine.message_box_text(box)
        self.wine.command(box, IDOK)
        return message


class InstallerTest(InstallerTestCase):
    def test_defaults_copy_start_and_register_the_launcher(self):
        dialog = self.start_installer()
        self.assertEqual(self.wine.text(dialog, FOLDER_BOX), self.default_folder)
        self.assertEqual([self.check(dialog, c) for c in (SKIP_COPY, ADD_TO_STARTUP, ADD_TO_SENDTO)],
                         [False, True, True])
        self.assertTrue(self.enabled(dialog, FOLDER_BOX))
        self.assertTrue(int(self.wine.driver("exstyle", dialog)[1][0], 16) & WS_EX_TOPMOST)
        left, top, right, bottom = map(int, self.wine.driver("rect", dialog)[1][0].split())
        self.assertLessEqual(abs((left + right) // 2 - 512), 8)
        self.assertLessEqual(abs((top + bottom) // 2 - 384), 16)
        self.wine.screenshot("installer-dialog")

        self.wine.command(dialog, IDOK)
        self.assertEqual(self.exit_code(), 0)
        self.assertEqual(self.files_in(self.default_folder),
                         ["installer.exe", "quintarel.exe", "readme.txt"])
        self.assert_installed_from(self.install_dir)
        self.wait_started()
        # The installed launcher's first start made its folder "app" there.
        self.assertEqual(self.profile("NowFolder", "AppFolder"), self.default_folder + "\\app")
        self.assert_shortcuts_to(self.default_folder + "\\Quintarel.exe")

    def test_send_to_shortcut_registers_a_file_in_the_running_launcher(self):
        self.wine.command(self.start_installer(), IDOK)
        self.assertEqual(self.exit_code(), 0)
        self.wait_started()
        data = os.path.join(self.install_dir, "送る")
        os.makedirs(data)
        with open(os.path.join(data, "メモ.txt"), "w") as f:
            f.write("x")
        document = self.install_dir_windows + "\\送る\\メモ.txt"

        # The shell runs the Send To shortcut with the chosen file as its argument.
        code, _ = self.wine.driver("shell-open", self.shortcut(self.sendto_folder), document)
        self.assertEqual(code, 0)
        question = self.wine.wait_dialog_with_text("ショートカット登録しますか")
        self.assertIsNotNone(question)
        self.assertIn(self.default_folder + "\\app", self.wine.message_box_text(question))
        self.wine.command(question, IDOK)
        created = self.default_folder + "\\app\\メモ.lnk"
        self.assertTrue(wait_until(lambda: os.path.exists(self.unix(created)), 15))
        self.assertEqual(self.wine.shell_link(created)["target"].lower(), document.lower())
        self.assertIsNotNone(self.wine.find_window(MAIN_TITLE))

    def test_no_copy_registers_the_launcher_beside_the_installer(self):
        dialog = self.start_installer()
        self.click(dialog, SKIP_COPY, True)
        self.assertFalse(self.enabled(dialog, FOLDER_BOX))
        self.assertFalse(self.enabled(dialog, BROWSE))
        self.wine.screenshot("installer-dialog-no-copy")
        self.wine.command(dialog, IDOK)
        self.assertEqual(self.exit_code(), 0)
        self.assertFalse(os.path.exists(self.unix(self.default_folder)))
        # The installer's start is made before it ends: a launcher it started is in the process
        # list from then on.
        self.assertFalse(self.wine.runs_program(self.install_dir_windows + "\\quintarel.exe"),
                         "the launcher was started")
        self.assertEqual(os.listdir(self.install_dir).count("app"), 0, "the launcher was started")
        self.assertIsNone(self.wine.find_window(MAIN_TITLE))
        self.assert_shortcuts_to(self.install_dir_windows + "\\Quintarel.exe")

    def test_only_the_checked_registration_is_made(self):
        for unchecked, startup, sendto in ((ADD_TO_STARTUP, False, True),
                                           (ADD_TO_SENDTO, True, False)):
            self.remove_installation()
            dialog = self.start_installer()
            self.click(dialog, SKIP_COPY, True)
            self.click(dialog, unchecked, False)
            self.wine.command(dialog, IDOK)
            self.assertEqual(self.exit_code(), 0)
            self.assert_shortcuts_to(self.install_dir_windows + "\\Quintarel.exe",
                                     startup=startup, sendto=sendto)

    def test_missing_read_me_is_reported_once_and_the_install_completes(self):
        os.remove(os.path.join(self.install_dir, "ReadMe.txt"))
        # Nested folders with double-byte names, none of which exists yet.
        target = self.install_dir_windows + "\\インストール先\\ソフト"
        dialog = self.start_installer()
        self.wine.driver("set-text", dialog, FOLDER_BOX, target)
        self.wine.command(dialog, IDOK)
        message = self.answer_message(COPY_FAILED)
        self.assertEqual(message.split("\n")[0], self.install_dir_windows + "\\ReadMe.txt を " +
                         target + "\\ReadMe.txt にコピーできませんでした。")
        # A second message would hold the installer until the driver's time runs out.
        self.assertEqual(self.exit_code(), 0)
        self.assertEqual(self.files_in(target), ["installer.exe", "quintarel.exe"])
        self.wait_started()
        self.assert_shortcuts_to(target + "\\Quintarel.exe")

    def test_launcher_not_copied_ends_the_run_and_leaves_nothing(self):
        os.remove(self.launcher_exe)
        dialog = self.start_installer()
        self.wine.command(dialog, IDOK)
        message = self.answer_message(COPY_FAILED)
        # The system's reason on a line of its own.
        first, reason = message.split("\n")
        self.assertEqual(first, self.install_dir_windows + "\\Quintarel.exe を " +
                         self.default_folder + "\\Quintarel.exe にコピーできませんでした。")
        self.assertRegex(reason, r"^\(.+\)$")
        self.assertEqual(self.exit_code(), -1)
        # The launcher goes first: nothing else was copied, and the folders made for it are gone.
        self.assertFalse(os.path.exists(self.unix(self.default_folder)))
        self.assertTrue(os.path.isdir(self.unix(self.default_folder.rsplit("\\", 1)[0])))
        self.assert_shortcuts_to(None, startup=False, sendto=False)
        self.assertIsNone(self.wine.reg_get(UNINSTALL_KEY, "DisplayName"))

    def test_folder_too_long_or_unwritable_is_refused_and_the_dialog_stays(self):
        dialog = self.start_installer()
        # 246 bytes: with "\Quintarel.exe" one past the 259 a path may have.
        too_long = "C:\\" + "長" * 120 + "abc"
        self.wine.driver("set-text", dialog, FOLDER_BOX, too_long)
        self.wine.post_command(dialog, IDOK)
        box = self.wine.wait_dialog_with_text("長すぎます")
        self.assertIsNotNone(box)
        self.assertIn("245", self.wine.message_box_text(box))
        self.wine.screenshot("installer-folder-too-long")
        self.wine.command(box, IDOK)
        self.assertTrue(self.wine.is_visible(dialog))
        self.assertEqual(self.wine.text(dialog, FOLDER_BOX), too_long)

        # A folder only an administrator could write to; here one no one can, since the tests
        # run with every right.
        shared = os.path.join(self.install_dir, "共有")
        os.makedirs(shared)
        if subprocess.run(["chattr", "+i", shared], stderr=subprocess.DEVNULL).returncode != 0:
            self.skipTest("chattr cannot make a folder unwritable here")
        self.addCleanup(subprocess.run, ["chattr", "-i", shared])
        refused = self.install_dir_windows + "\\共有\\Quintarel"
        self.wine.driver("set-text", dialog, FOLDER_BOX, refused)
        self.wine.post_command(dialog, IDOK)
        box = self.wine.wait_dialog_with_text("書き込めない")
        self.assertIsNotNone(box, "an unwritable folder was accepted")
        message = self.wine.message_box_text(box)
        self.assertTrue(message.startswith(refused + " には"), message)
        self.assertIn("既定のインストール先は " + self.default_folder + " です。", message)
        self.wine.screenshot("installer-folder-unwritable")
        self.wine.command(box, IDOK)
        self.assertTrue(self.wine.is_visible(dialog))
        self.assertEqual(self.wine.text(dialog, FOLDER_BOX), refused)
        self.assertEqual(os.listdir(shared), [])

        self.wine.command(dialog, IDCANCEL)
        self.answer_message("中止")
        self.assertEqual(self.exit_code(), -1)

    def test_relative_folder_or_one_below_a_file_is_refused_and_the_dialog_stays(self):
        dialog = self.start_installer()
        below_file = self.install_dir_windows + "\\ReadMe.txt\\Quintarel"
        for folder, words in (("Quintarel", "完全な名前"), ("rel\\q", "完全な名前"),
                              ("C:rel", "完全な名前"), ("\\rel", "完全な名前"),
                              (below_file, "書き込めない")):
            self.wine.driver("set-text", dialog, FOLDER_BOX, folder)
            self.wine.post_command(dialog, IDOK)
            box = self.wine.wait_dialog_with_text(words)
            self.assertIsNotNone(box, f"{folder} was accepted")
            self.assertTrue(self.wine.message_box_text(box).startswith(folder + " "))
            self.wine.command(box, IDOK)
            self.assertTrue(self.wine.is_visible(dialog))
            self.assertEqual(self.wine.text(dialog, FOLDER_BOX), folder)
        self.wine.screenshot("installer-folder-relative")
        self.assertFalse(os.path.exists(os.path.join(self.install_dir, "rel")))
        self.wine.command(dialog, IDCANCEL)
        self.answer_message("中止")
        self.assertEqual(self.exit_code(), -1)

    def test_cancelled_picker_puts_the_held_folder_back_and_cancel_abandons(self):
        dialog = self.start_installer()
        self.wine.driver("set-text", dialog, FOLDER_BOX, "C:\\typed")
        self.wine.driver("click", dialog, BROWSE)
        picker = self.wine.wait_dialog_with_text("Select Install Folder.")
        self.assertIsNotNone(picker, "the folder picker did not open")
        self.wine.screenshot("installer-folder-picker")
        self.wine.command(picker, IDCANCEL)
        self.assertTrue(wait_until(
            lambda: self.wine.text(dialog, FOLDER_BOX) == self.default_folder, 5))

        self.wine.command(dialog, IDCANCEL)
        self.assertEqual(self.answer_message("中止"), "Install を中止します")
        self.assertEqual(self.exit_code(), -1)
        self.assertFalse(os.path.exists(self.unix(self.default_folder)))
        self.assertFalse(os.path.exists(self.unix("C:\\typed")))
        self.assert_shortcuts_to(None, startup=False, sendto=False)


class UpdateTest(InstallerTestCase):
    def test_update_ends_the_running_launcher_by_its_exit_and_starts_the_new_one(self):
        self.assertEqual(self.install(), 0)
        self.wait_started()
        self.assertIsNone(self.profile("Detail", "IconSize"), "written before the exit")

        # No: nothing changes, and the launcher runs on.
        newer = self.newer_build("newer")
        first = self.launcher_pid()
        self.assertEqual(self.install(os.path.join(newer, "installer.exe"),
                                      [("起動しています", IDNO), ("中止", IDOK)]), -1)
        self.assert_installed_from(self.install_dir)
        self.assertEqual(self.launcher_pid(), first)

        # Yes: ended by its own exit (which writes the display settings), then replaced, also
        # over a read-only launcher file.
        for build in ("newer", "read-only"):
            if build == "read-only":
                newer = self.newer_build(build)
                os.chmod(os.path.join(self.unix(self.default_folder), "Quintarel.exe"), 0o444)
            running = self.launcher_pid()
            self.wine.reg_delete_tree(PROFILE_KEY + "\\Detail")
            self.assertEqual(self.install(os.path.join(newer, "installer.exe"),
                                          [("起動しています", IDYES)]), 0)
            self.assertEqual(self.profile_int("Detail", "IconSize"), 32, build)
            self.assert_installed_from(newer)
            self.assertEqual(self.files_in(self.default_folder),
                             ["installer.exe", "quintarel.exe", "readme.txt"])
            self.wait_started()
            self.assertNotEqual(self.launcher_pid(), running, build)
            self.assert_shortcuts_to(self.default_folder + "\\Quintarel.exe")

    def test_installed_installer_copying_onto_itself_keeps_the_launcher_running(self):
        self.assertEqual(self.install(), 0)
        self.wait_started()
        running = self.launcher_pid()
        self.assertEqual(self.install(self.unix(self.default_folder + "\\installer.exe")), 0)
        self.assert_installed_from(self.install_dir)
        self.assertEqual(self.launcher_pid(), running)
        self.assertIsNone(self.wine.find_window(DIALOG_TITLE))


class UninstallTest(InstallerTestCase):
    def test_nothing_installed_is_said_and_ends_with_0(self):
        self.start_installer(self.installer_exe, "/uninstall")
        self.assertEqual(self.answer_message("インストールされていません"),
                         "Quintarel はインストールされていません。")
        self.assertEqual(self.exit_code(), 0)

    def test_uninstall_keeps_or_removes_the_users_data_as_asked(self):
        self.assertEqual(self.install(), 0)
        self.wait_started()
        entry = {name: self.wine.reg_get(UNINSTALL_KEY, name) for name in (
            "DisplayName", "DisplayVersion", "Publisher", "InstallLocation", "DisplayIcon",
            "UninstallString", "NoModify", "NoRepair", "VersionMajor", "VersionMinor")}
        installer = self.default_folder + "\\installer.exe"
        self.assertEqual(entry, {
            "DisplayName": "Quintarel", "DisplayVersion": "2.2.0.0", "Publisher": "Brisvane",
            "InstallLocation": self.default_folder,
            "DisplayIcon": self.default_folder + "\\Quintarel.exe,0",
            "UninstallString": f'"{installer}" /uninstall', "NoModify": "1", "NoRepair": "1",
            "VersionMajor": "2", "VersionMinor": "2"})
        folder = self.unix(self.default_folder)
        size = sum(os.path.getsize(os.path.join(folder, f)) for f in os.listdir(folder)
                   if os.path.isfile(os.path.join(folder, f)))
        self.assertEqual(self.wine.reg_int(UNINSTALL_KEY, "EstimatedSize"), (size + 1023) // 1024)

        # Kept: the running launcher ends, the program files, shortcuts and entry go.
        seq = os.path.join(self.unix(self.default_folder), "seq")
        # The launcher made "seq" at its start; a saved list in it.
        with open(os.path.join(seq, "朝.sqx"), "w") as f:
            f.write("x")
        with open(os.path.join(self.unix(self.default_folder), "app", "メモ.txt"), "w") as f:
            f.write("x")
        self.assertEqual(self.uninstall(IDNO), 0)
        self.assertIsNone(self.wine.find_window(MAIN_TITLE))
        self.assertEqual(sorted(os.listdir(folder)), ["app", "seq"])
        self.assertEqual(os.listdir(os.path.join(folder, "app")), ["メモ.txt"])
        self.assertEqual(os.listdir(seq), ["朝.sqx"])
        self.assert_shortcuts_to(None, startup=False, sendto=False)
        self.assertIsNone(self.wine.reg_get(UNINSTALL_KEY, "DisplayName"))
        self.assertIsNotNone(self.profile("NowFolder", "AppFolder"))

        # Removed: the folder and the settings are gone too.
        self.assertEqual(self.install(), 0)
        self.wait_started()
        self.assertEqual(self.uninstall(IDYES), 0)
        self.assertFalse(os.path.exists(folder))
        self.assertIsNone(self.profile("NowFolder", "AppFolder"))
        self.assertIsNone(self.wine.reg_get(UNINSTALL_KEY, "DisplayName"))
        self.assert_shortcuts_to(None, startup=False, sendto=False)


class ReadMeTest(unittest.TestCase):
    def test_shipped_read_me_is_shift_jis_with_windows_line_ends(self):
        dist = os.environ.get("QUINTAREL_DIST")
        if not dist:
            raise unittest.SkipTest("QUINTAREL_DIST is not set")
        with open(os.path.join(dist, "ReadMe.txt"), "rb") as f:
            data = f.read()
        self.assertNotIn(b"\n", data.replace(b"\r\n", b""))
        text = data.decode("cp932")
        for words in ("インストール", "アンインストール", "ホットキー",
                      "HKEY_CURRENT_USER\\Software\\Brisvane\\Quintarel"):
            self.assertIn(words, text)


if __name__ == "__main__":
    unittest.main()
