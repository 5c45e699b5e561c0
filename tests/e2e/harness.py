"""Drives the real programs under Wine from outside.

scripts/test prepares one run: an Xvfb display, a fresh Wine prefix with a persistent
wineserver, and these variables:
  WINELOADER, WINEPREFIX, DISPLAY   the Wine run
  QUINTAREL_DIST                    folder with quintarel.exe, installer.exe, ReadMe.txt
  QUINTAREL_TOOLS                   folder with qdriver.exe and qchild.exe
  QUINTAREL_ARTIFACTS               where screenshots go

Every process a test starts is stopped by its PID at the end of the test.
"""

import collections
import os
import re
import shutil
import subprocess
import time
import unittest

PROFILE_KEY = "Software\\Brisvane\\Quintarel"
MAIN_TITLE = "Quintarel - Folder の 設定 -"
MULTI_RUN_TITLE = "複数実行"
# Held by the running instance for its whole life.
INSTANCE_MUTEX = "Quintarel: the launcher of the notification area, 2026-12-08"

# Command ids of the main window.
CMD_EXIT = 32771
CMD_SHOW_FOLDER_SETTINGS = 32772
CMD_STANDARD_DETAIL = 32775
CMD_MENU_UPDATE = 32777
CMD_HOTKEY_SETTINGS = 32780
CMD_MULTI_RUN = 32781
# The multiple-execution window's "save the list".
CMD_SAVE_LIST = 32784
# The folder list of the main window.
FOLDER_LIST = 1004

TRAY_CALLBACK = 0x8064
TRAY_ICON_ID = 128
WM_LBUTTONDOWN = 0x0201
WM_RBUTTONDOWN = 0x0204
WM_COMMAND = 0x0111
WM_KEYDOWN = 0x0100
MENU_CLASS = "#32768"
# The folder settings window's Add, the folder browser's tree, and what is asked of it.
BTN_ADD = 4
BROWSER_TREE = 0x3741
IDOK, IDCANCEL = 1, 2
WM_CHAR = 0x0102
VK_RETURN = 0x0D
VK_ESCAPE = 0x1B
VK_DOWN = 0x28
# xdotool's names of the modifier keys, and their virtual keys.
MODIFIER_KEYS = {"shift": 0x10, "ctrl": 0x11, "alt": 0x12}
LB_SETCURSEL = 0x0186
LB_GETHORIZONTALEXTENT, LB_SETHORIZONTALEXTENT = 0x0193, 0x0194
TVM_GETNEXTITEM, TVGN_PARENT, TVGN_CARET = 0x110A, 3, 9
# The file name field of the common file dialogs: the combo box, or the edit control of an
# older template.
FILE_NAME_IDS = (0x480, 0x47C)

ENCODING = "cp932"

# The system's double-click time (500 ms unless the prefix says otherwise), and a margin.
DOUBLE_CLICK_SECONDS = 0.6
_last_click = 0.0


def env_path(name):
    value = os.environ.get(name)
    if not value:
        raise unittest.SkipTest(f"{name} is not set: run the end-to-end tests through scripts/test")
    return value


class Wine:
    """The Wine run of this test session."""

    def __init__(self):
        self.loader = env_path("WINELOADER")
        self.prefix = env_path("WINEPREFIX")
        self.dist = env_path("QUINTAREL_DIST")
        self.tools = env_path("QUINTAREL_TOOLS")
        self.artifacts = os.environ.get("QUINTAREL_ARTIFACTS", "/tmp/quintarel-artifacts")
        os.makedirs(self.artifacts, exist_ok=True)
        self.processes = []

    # ---- paths ----
    def drive_c(self, *parts):
        return os.path.join(self.prefix, "drive_c", *parts)

    @staticmethod
    def windows_path(unix_path):
        """The Z: path of a Unix path; Z: maps the Unix root in every prefix."""
        return "Z:" + os.path.abspath(unix_path).replace("/", "\\")

    def c_path(self, *parts):
        """The C: path of a file below drive_c."""
        return "C:\\" + "\\".join(parts)

    # ---- processes ----
    def start(self, exe, *args, cwd=None):
        process = subprocess.Popen(
            [self.loader, exe, *args],
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
            cwd=cwd,
        )
        self.processes.append(process)
        return process

    def run(self, exe, *args, timeout=60):
        process = self.start(exe, *args)
        try:
            return process.wait(timeout=timeout)
        finally:
            self.stop(process)

    def stop(self, process, grace=5.0):
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(timeout=grace)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(timeout=grace)
        if process in self.processes:
            self.processes.remove(process)

    def stop_all(self):
        for process in list(self.processes):
            self.stop(process)

    def copy_child(self, exe, sleep_ms=None):
        """Copies the child program to exe (a Unix path); the copy appends its starts and ends
        to the log beside it, whose path this answers, and stays alive sleep_ms after a start."""
        shutil.copy(os.path.join(self.tools, "qchild.exe"), exe)
        base = os.path.splitext(exe)[0]
        if sleep_ms:
            with open(base + ".sleep", "w") as f:
                f.write(str(sleep_ms))
        return base + ".log"

    # ---- the driver ----
    def driver(self, *args, timeout=30, check=False):
        """Runs qdriver.exe; answers (exit code, output lines)."""
        # Wine reads its arguments in the Unix locale (UTF-8) and hands them to the program in
        # its code page; what the program prints comes back in that code page.
        command = [self.loader, os.path.join(self.tools, "qdriver.exe"), *[str(a) for a in args]]
        # Only a registry write's errors are read: a program the driver starts inherits the
        # error stream and would hold a pipe open for as long as it runs.
        writes = str(args[0]).startswith("reg-set")
        errors = subprocess.PIPE if writes else subprocess.DEVNULL
        result = subprocess.run(command, stdout=subprocess.PIPE, stderr=errors, timeout=timeout)
        if check and result.returncode != 0:
            said = ""
            # A loaded wineserver has refused a write of test data once in a full run; the
            # write is idempotent, so it gets a second try before the test fails on it.
            if writes:
                said = result.stderr.decode(ENCODING, errors="replace").strip()
                result = subprocess.run(command, stdout=subprocess.PIPE, stderr=errors,
                                        timeout=timeout)
                said += " / " + result.stderr.decode(ENCODING, errors="replace").strip()
            if result.returncode != 0:
                raise AssertionError(f"qdriver {args} failed with {result.returncode}: {said}")
        lines = result.stdout.decode(ENCODING, errors="replace").replace("\r", "").split("\n")
        if lines and lines[-1] == "":
            lines.pop()
        return result.returncode, lines

    def find_window(self, title):
        code, lines = self.driver("find", title)
        return lines[0] if code == 0 and lines else None

    def wait_window(self, title, timeout_ms=15000, visible=True):
        code, lines = self.driver("wait" if visible else "wait-exists", title, timeout_ms,
                                  timeout=timeout_ms / 1000 + 20)
        return lines[0] if code == 0 and lines else None

    def wait_gone(self, title, timeout_ms=15000):
        code, _ = self.driver("wait-gone", title, timeout_ms, timeout=timeout_ms / 1000 + 20)
        return code == 0

    def wait_dialog_with_text(self, text, timeout_ms=15000):
        code, lines = self.driver("wait-text", text, timeout_ms, timeout=timeout_ms / 1000 + 20)
        return lines[0] if code == 0 and lines else None

    def wait_class(self, class_name, timeout_ms=15000):
        code, lines = self.driver("wait-class", class_name, timeout_ms,
                                  timeout=timeout_ms / 1000 + 20)
        return lines[0] if code == 0 and lines else None

    def tray_point(self):
        """The centre of the launcher's icon in the taskbar, as the driver finds it there."""
        def found():
            main = self.find_window(MAIN_TITLE)
            code, lines = self.driver("tray-point", main, TRAY_ICON_ID) if main else (1, [])
            return tuple(map(int, lines[0].split())) if code == 0 and lines else None
        point = wait_until(found, 10)
        if not point:
            raise AssertionError("the launcher's icon is not in the taskbar, or not alone there")
        return point

    def is_visible(self, hwnd):
        return self.driver("visible", hwnd)[1] == ["1"]

    def title(self, hwnd):
        lines = self.driver("title", hwnd)[1]
        return lines[0] if lines else ""

    def text(self, hwnd, control_id):
        code, lines = self.driver("text", hwnd, control_id)
        return "\n".join(lines) if code == 0 else None

    def message_box_text(self, hwnd):
        return self.text(hwnd, -1)

    def command(self, hwnd, command_id, code=0):
        self.driver("command", hwnd, command_id, code)

    def post_command(self, hwnd, command_id, code=0):
        self.driver("post-command", hwnd, command_id, code)

    def post(self, hwnd, message, wparam=0, lparam=0):
        self.driver("post", hwnd, message, wparam, lparam)

    def send(self, hwnd, message, wparam=0, lparam=0):
        lines = self.driver("send", hwnd, message, wparam, lparam)[1]
        return int(lines[0]) if lines else None

    def windows(self):
        """Every top-level window: (hwnd, class, visible, pid, title)."""
        result = []
        for line in self.driver("windows")[1]:
            parts = line.split("\t")
            if len(parts) == 5:
                result.append((parts[0], parts[1], parts[2] == "1", int(parts[3]), parts[4]))
        return result

    def welcome_balloons(self):
        """The texts of the first start's balloons on screen: Wine's taskbar shows a balloon as a
        tooltip window titled with its text."""
        return [w[4] for w in self.windows()
                if w[1] == "tooltips_class32" and w[2] and "HOTKEYの設定" in w[4]]

    def windows_of_class(self, class_name):
        """The visible top-level windows of the class."""
        return [w[0] for w in self.windows() if w[1] == class_name and w[2]]

    def count_class(self, class_name):
        return len(self.windows_of_class(class_name))

    def process_list(self):
        """Every process: (pid, the full path of its program)."""
        return [(int(pid), path) for pid, _, path in
                (line.partition("\t") for line in self.driver("processes")[1])]

    def runs_program(self, windows_path):
        """Whether a process of that program file runs now."""
        return any(path.lower() == windows_path.lower() for _, path in self.process_list())

    def after_posted(self, hwnd):
        """Posts a change to the folder list of the main window hwnd (its horizontal extent,
        which a list without a scroll bar does not show) and waits until it was made: every
        message posted to the program's thread before it has been handled, by its main loop or
        by the loop of a menu or a box it has open. The extent is then put back."""
        list_box = self.driver("item", hwnd, FOLDER_LIST, check=True)[1][0]
        before = self.send(list_box, LB_GETHORIZONTALEXTENT)
        self.post(list_box, LB_SETHORIZONTALEXTENT, before + 1, 0)
        done = wait_until(lambda: self.send(list_box, LB_GETHORIZONTALEXTENT) == before + 1, 15)
        self.send(list_box, LB_SETHORIZONTALEXTENT, before, 0)
        return bool(done)

    def prop(self, hwnd, name):
        """A window property of another process as a number (0 when it has none)."""
        lines = self.driver("prop", hwnd, name)[1]
        return int(lines[0]) if lines else 0

    def count_windows(self, title):
        return sum(1 for w in self.windows() if w[4] == title)

    # ---- controls ----
    def list_lines(self, hwnd, control_id):
        """Every line of a list box of the window."""
        count = int(self.driver("list-count", hwnd, control_id)[1][0])
        return [re.sub(r"&#x([0-9A-F]+);", lambda m: chr(int(m.group(1), 16)),
                       self.driver("list-text", hwnd, control_id, i)[1][0])
                for i in range(count)]

    def select_list_line(self, hwnd, control_id, index):
        list_box = self.driver("item", hwnd, control_id)[1][0]
        self.send(list_box, LB_SETCURSEL, index, 0)

    def tree_depth(self, tree, item):
        """How many levels a tree view item lies below the root."""
        depth = 0
        while item and depth < 20:
            item = self.send(tree, TVM_GETNEXTITEM, TVGN_PARENT, item)
            depth += 1
        return depth

    def move_down_in_tree(self, tree):
        """Down in a tree view of another program, once its selection has moved: a command sent
        after it would otherwise overtake the posted key."""
        before = self.send(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)
        self.post(tree, WM_KEYDOWN, VK_DOWN, 0)
        return wait_until(lambda: self.send(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != before, 10)

    def open_folder_browser(self, main):
        """Add in the folder settings window main: the folder browser, which opens at the
        current folder (some levels below the desktop). Answers the browser and its tree; the
        tree is None when the browser never got there."""
        browser = tree = None
        for _ in range(3):
            self.post_command(main, BTN_ADD)
            browser = self.wait_dialog_with_text("ランチャーシンボルの格納場所")
            if browser is None:
                return None, None
            tree = self.driver("item", browser, BROWSER_TREE, check=True)[1][0]
            if wait_until(lambda: self.tree_depth(
                    tree, self.send(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)) >= 4, 5):
                return browser, tree
            # Now and then Wine's browser leaves the selection it was asked for at the desktop:
            # close it and ask again.
            self.command(browser, IDCANCEL)
        return browser, None

    def click_tray_with(self, modifier, button=1):
        """A click on the launcher's icon with a modifier key held, as the user makes it."""
        self.xdotool("keydown", modifier)
        try:
            wait_until(lambda: self.driver("key-held", MODIFIER_KEYS[modifier])[1] == ["1"], 10,
                       0.05)
            self.click(*self.tray_point(), button)
        finally:
            self.xdotool("keyup", modifier)

    def answer_file_dialog(self, title, name):
        """Types a file name into the open or save dialog of that title and presses OK; answers
        whether the dialog came and went."""
        dialog = self.wait_window(title)
        if not dialog:
            return False
        # A dialog still setting itself up may put its own name back over ours: the name is
        # given again while the dialog stays.
        for _ in range(3):
            for control in FILE_NAME_IDS:
                self.driver("set-text", dialog, control, name)
            self.post_command(dialog, IDOK)
            if self.wait_gone(title, 5000):
                return True
        return False

    # ---- registry ----
    def reg_get(self, key, value):
        code, lines = self.driver("reg-get", key, value)
        if code != 0:
            return None
        text = "\n".join(lines)
        return text

    def reg_int(self, key, value):
        text = self.reg_get(key, value)
        return None if text is None else int(text)

    def reg_set_int(self, key, value, number):
        self.driver("reg-set-int", key, value, number, check=True)

    def reg_set_str(self, key, value, text):
        self.driver("reg-set-str", key, value, text, check=True)

    def reg_delete_tree(self, key):
        self.driver("reg-delete-tree", key)

    def empty_profile(self):
        """A profile that holds nothing: the launcher starts with its defaults, as for a user
        who ran it before (no welcome from the tray icon)."""
        self.reg_delete_tree("Software\\Brisvane")
        self.driver("reg-set-key", PROFILE_KEY, check=True)

    def set_dpi(self, dpi):
        """The display scale of every program started from now on: 96 is 100 %, 144 is 150 %.
        Wine reads it at each process start, so programs already running (the desktop, its
        taskbar) keep theirs."""
        self.reg_set_int("Control Panel\\Desktop", "LogPixels", dpi)

    def shell_link(self, path):
        code, lines = self.driver("shell-link", path)
        if code != 0:
            return None
        while len(lines) < 3:
            lines.append("")
        return {"target": lines[0], "arguments": lines[1], "directory": lines[2]}

    # ---- menus ----
    def menu_closed(self, timeout=10):
        """Whether every menu window ("#32768") is gone within the time."""
        return wait_until(lambda: self.wait_class(MENU_CLASS, 100) is None, timeout)

    def post_keys(self, menu, *keys):
        """Keys posted to an open menu window, in order (Wine gives the tray's menu no
        keyboard)."""
        for key in keys:
            self.post(menu, WM_KEYDOWN, key, 0)

    def enter_in_menu(self, menu, index, modifier=None):
        """Highlights entry index of an open menu and presses Enter on it, with a modifier key
        (an xdotool key name) held; answers whether the menu closed."""
        self.post_keys(menu, *([VK_DOWN] * (index + 1)))
        if modifier:
            self.xdotool("keydown", modifier)
        try:
            # The key reaches the programs through the X server: Enter waits until it is seen
            # held, as the program reads it when it handles the command.
            if modifier:
                vk = MODIFIER_KEYS[modifier]
                wait_until(lambda: self.driver("key-held", vk)[1] == ["1"], 10, 0.05)
            self.post(menu, WM_KEYDOWN, VK_RETURN, 0)
            closed = self.menu_closed()
            # The chosen command was posted before the menu went, and reads the key when it is
            # handled: the key is let go once the program has handled what came before.
            if closed and modifier:
                closed = self.after_posted(self.find_window(MAIN_TITLE))
        finally:
            if modifier:
                self.xdotool("keyup", modifier)
        return closed

    # ---- the screen ----
    def screenshot(self, name):
        path = os.path.join(self.artifacts, name + ".png")
        subprocess.run(["import", "-window", "root", path], timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    def tray_slot_colours(self, name, slot=0):
        """Colours of a taskbar icon slot in a screenshot: 1 when it is empty. Slot 0 is the
        first, at the right end; the slots are 20 pixels apart."""
        shot = self.screenshot(name)
        result = subprocess.run(
            ["convert", shot, "-crop", f"16x16+{1006 - 20 * slot}+750", "+repage", "-format",
             "%k", "info:"], stdout=subprocess.PIPE, timeout=30)
        return int(result.stdout.decode().strip() or 0)

    def screenshot_around(self, rect, name):
        """The whole screen as <name>-full.png and the rectangle with 4 pixels around it as
        <name>.png: a menu to look at closely."""
        shot = self.screenshot(name + "-full")
        left, top, right, bottom = rect
        subprocess.run(["convert", shot, "-crop",
                        f"{right - left + 8}x{bottom - top + 8}+{left - 4}+{top - 4}", "+repage",
                        os.path.join(self.artifacts, name + ".png")], timeout=30)

    def colours_of(self, path):
        """The colours of an image, the most frequent first: [(count, (r, g, b)), ...]."""
        result = subprocess.run(["convert", path, "-format", "%c", "histogram:info:-"],
                                stdout=subprocess.PIPE, timeout=30)
        found = []
        for line in result.stdout.decode().splitlines():
            match = re.match(r"\s*(\d+):\s*\(\s*([\d.]+),\s*([\d.]+),\s*([\d.]+)", line)
            if match:
                found.append((int(match.group(1)),
                              tuple(int(float(match.group(i))) for i in (2, 3, 4))))
        return sorted(found, reverse=True)

    def click(self, x, y, button=1):
        """A real click at a point of the screen. A press within the double-click time of the
        one before arrives as a double click, which the tray icon rightly ignores: every real
        click waits that time out since the last one of the session."""
        global _last_click
        wait = _last_click + DOUBLE_CLICK_SECONDS - time.monotonic()
        if wait > 0:
            time.sleep(wait)
        self.xdotool("mousemove", x, y, "click", button)
        _last_click = time.monotonic()

    def xdotool(self, *args):
        subprocess.run(["xdotool", *[str(a) for a in args]], timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


ChildRecord = collections.namedtuple("ChildRecord", "kind ms pid directory arguments")


def child_records(log):
    """The lines of a child program's log: "start <ms> <pid> <working directory> <arguments>"
    and "end <ms> <pid>", ms counted from the system's start. The folders the tests start
    children in have no spaces."""
    if not os.path.exists(log):
        return []
    with open(log, "rb") as f:
        lines = f.read().decode(ENCODING).splitlines()
    records = []
    for line in lines:
        parts = line.split(" ", 4)
        if parts[0] in ("start", "end"):
            parts += [""] * (5 - len(parts))
            records.append(ChildRecord(parts[0], int(parts[1]), int(parts[2]), *parts[3:]))
    return records


def child_real_paths(log):
    """The real paths a child program logged itself started from ("path <UTF-8 as hex>")."""
    if not os.path.exists(log):
        return []
    with open(log, "rb") as f:
        lines = f.read().split(b"\n")
    return [bytes.fromhex(line[5:].decode()).decode("utf-8")
            for line in lines if line.startswith(b"path ")]


def child_starts(log):
    return [record for record in child_records(log) if record.kind == "start"]


def luminance(rgb):
    """The relative luminance of a colour, 0 to 1, as the contrast ratio reckons it."""
    def channel(value):
        c = value / 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = rgb
    return 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b)


def contrast_ratio(first, second):
    a, b = sorted((luminance(first), luminance(second)))
    return (b + 0.05) / (a + 0.05)


def wait_until(condition, timeout=15.0, interval=0.2):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(interval)
    return condition()


class ProfileReads:
    """The launcher's profile as a test reads it; the class gives self.wine."""

    def profile(self, section, value):
        return self.wine.reg_get(PROFILE_KEY + "\\" + section, value)

    def profile_int(self, section, value):
        return self.wine.reg_int(PROFILE_KEY + "\\" + section, value)

    def wait_profile(self, section, value, wanted, timeout=10):
        self.assertTrue(wait_until(lambda: self.profile(section, value) == wanted, timeout),
                        f"{section}/{value} is {self.profile(section, value)!r}, not {wanted!r}")


class LauncherTestCase(ProfileReads, unittest.TestCase):
    """Each test gets a clean profile and its own copy of the programs under C:\\q\\<test>."""

    def setUp(self):
        self.wine = Wine()
        self.wine.empty_profile()
        name = self.id().split(".")[-1]
        self.install_dir = self.wine.drive_c("q", name)
        shutil.rmtree(self.install_dir, ignore_errors=True)
        os.makedirs(self.install_dir)
        for file in ("quintarel.exe", "installer.exe", "ReadMe.txt"):
            source = os.path.join(self.wine.dist, file)
            if os.path.exists(source):
                shutil.copy(source, self.install_dir)
        self.launcher_exe = os.path.join(self.install_dir, "quintarel.exe")
        self.install_dir_windows = "C:\\q\\" + name

    def tearDown(self):
        main = self.wine.find_window(MAIN_TITLE)
        if main:
            self.wine.post_command(main, CMD_EXIT)
            self.wine.wait_gone(MAIN_TITLE, 5000)
        self.wine.stop_all()

    def use_dpi(self, dpi):
        """Programs this test starts from now on run at that DPI; the next test at 96 again."""
        self.wine.set_dpi(dpi)
        self.addCleanup(self.wine.set_dpi, 96)

    def start_launcher(self, *args, wait=True):
        process = self.wine.start(self.launcher_exe, *args)
        if wait:
            self.wait_started(process)
        return process

    def wait_started(self, process=None):
        hwnd = self.wine.wait_window(MAIN_TITLE, visible=False)
        if hwnd is None:
            ended = process.poll() if process else None
            self.fail("the launcher's main window did not appear; the process "
                      + ("still runs" if ended is None else f"ended with {ended}")
                      + (", a launcher mutex is held" if self.wine.driver(
                          "hold-mutex", INSTANCE_MUTEX, 0)[0] != 0 else ""))
        # The multiple-execution window is made after the main window's initialisation ended.
        self.assertIsNotNone(self.wine.wait_window(MULTI_RUN_TITLE, visible=False),
                             "the launcher did not finish starting")
        return hwnd

    def exit_launcher(self, process):
        main = self.wine.find_window(MAIN_TITLE)
        self.assertIsNotNone(main)
        self.wine.post_command(main, CMD_EXIT)
        process.wait(timeout=20)
        self.wine.stop(process)

    def set_profile_int(self, section, value, number):
        self.wine.reg_set_int(PROFILE_KEY + "\\" + section, value, number)

    def set_profile_str(self, section, value, text):
        self.wine.reg_set_str(PROFILE_KEY + "\\" + section, value, text)
