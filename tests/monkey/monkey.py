#!/usr/bin/env python3
"""Random input for the editor on a real X server.

Starts the editor on a fresh demo cartridge and feeds it seeded random mouse and keyboard
input through xdotool: clicks, drags, the wheel, keys, page switches, the editor's dialogs
(worked in, then closed with Escape) and saves. A run is a series of rounds, each with its own
seed and a fresh editor. A round fails when the editor ends by itself, when a sanitizer
reports, when it does not close when asked, or when the image it saved differs from the one
it opened outside the tables it encodes.

Run it inside an X server of its own (tests/support/with-x-server): it clears the clipboard
and moves the pointer.
"""

import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import time
from pathlib import Path

# Windows of the editor that random input may work in; every other window (file dialogs,
# message boxes, the guide, the overview, menus) is closed with Escape, or put behind the
# main window when Escape does not close it.
WORKABLE_TITLE = re.compile(
    "オブジェクトの編集|チップ番号|タイル番号|チップの置換|マップセット|"
    "Objects of room|chip numbers|tile numbers|Replace duplicate|map set",
    re.IGNORECASE)

# Menus, drop-down lists and tooltips carry no title of their own.
POPUP_TITLES = ("", "quartex3editor")
KEYS = (["Left", "Right", "Up", "Down", "Tab", "shift+Tab", "Return", "space", "Delete",
         "BackSpace", "Home", "End", "Prior", "Next", "Escape", "minus", "plus"]
        + list("0123456789abcdefx")
        + ["ctrl+z", "ctrl+y", "ctrl+c", "ctrl+v", "ctrl+x", "ctrl+a", "shift+Insert",
           "shift+Left", "shift+Right", "ctrl+Home", "ctrl+End"])
# In a dialog the text keys count more: its text boxes are where lists are typed and pasted.
DIALOG_KEYS = KEYS + ["ctrl+v", "shift+Insert", "space", "Return"] * 3 + list("0123456789ABCDEF")
# Commands that open a window: the guide, the overview, the open and save-as dialogs.
WINDOW_KEYS = ["F1", "F6", "ctrl+o", "ctrl+shift+s"]
CLIPBOARD_TEXTS = ["", "", "10 20 30", "00 00 00\n01 02 03\n", "FF FF FF FF", "zz", "7",
                   "0 0 0\r\n" * 40, "１２ ３４"]
# No window manager draws a title bar; the menu bar is left alone so that no menu item quits,
# closes the image or starts an emulator.
MENU_BAR_HEIGHT = 30


def xdo(*args, timeout=10):
    try:
        done = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                              timeout=timeout)
        return done.stdout
    except subprocess.TimeoutExpired:
        return ""


def set_clipboard(selection, text):
    # xsel stays behind as the owner of the text; it ends when another owner takes over.
    command = ["xsel", "--" + selection, "--input" if text else "--clear"]
    try:
        subprocess.run(command, input=text.encode(), stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=10)
    except subprocess.TimeoutExpired:
        pass


class Window:
    def __init__(self, wid):
        self.wid = wid
        self.title = xdo("getwindowname", wid).strip()
        shell = dict(line.split("=", 1) for line in
                     xdo("getwindowgeometry", "--shell", wid).split() if "=" in line)
        self.x = int(shell.get("X", 0))
        self.y = int(shell.get("Y", 0))
        self.width = max(int(shell.get("WIDTH", 1)), 1)
        self.height = max(int(shell.get("HEIGHT", 1)), 1)

    def point(self, rng, top=0):
        return (self.x + rng.randrange(self.width),
                self.y + min(top, self.height - 1) + rng.randrange(max(self.height - top, 1)))


class Failure(Exception):
    pass


class Round:
    def __init__(self, args, seed, number):
        self.args = args
        self.seed = seed
        self.rng = random.Random(seed)
        self.dir = Path(args.workdir) / f"round-{number}"
        self.actions = []
        self.parked = set()
        self.escapes = 0
        self.quit_requested = False
        self.known = {}
        # Where a click opened one of the editor's dialogs: clicked again now and then, so the
        # rare buttons that open them get their share of the input.
        self.openers = set()
        self.last_click = None
        self.dialog_open = False

    # -- setting up and ending -------------------------------------------------------------

    def prepare(self):
        shutil.rmtree(self.dir, ignore_errors=True)
        program = self.dir / "program"
        self.run_dir = self.dir / "run"
        program.mkdir(parents=True)
        self.run_dir.mkdir()
        editor = Path(self.args.editor)
        # The editor keeps its settings beside itself: a copy of its own per round keeps the
        # build's folder and every round's settings apart.
        self.editor = program / editor.name
        try:
            os.link(editor, self.editor)
        except OSError:
            shutil.copy2(editor, self.editor)
        for name_list in editor.parent.glob("*.txt"):
            shutil.copy2(name_list, program / name_list.name)
        shutil.copy2(self.args.colour_table, self.run_dir / "fcpalette.pal")
        self.opened = self.run_dir / "opened.nes"
        shutil.copy2(self.args.cartridge, self.opened)
        self.opened.chmod(0o444)
        self.image = self.run_dir / "work.nes"
        shutil.copy2(self.args.cartridge, self.image)
        self.image.chmod(0o644)

    def start(self):
        # Nothing copied yet, as after a fresh login.
        set_clipboard("clipboard", "")
        set_clipboard("primary", "")
        env = dict(os.environ)
        env["QT_QPA_PLATFORM"] = "xcb"
        self.sanitizer_log = self.dir / "sanitizer"
        for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS"):
            options = env.get(name, "")
            env[name] = (options + ":" if options else "") + f"log_path={self.sanitizer_log}"
        self.output = open(self.dir / "editor.log", "w")
        self.process = subprocess.Popen([str(self.editor), str(self.image)], cwd=self.run_dir,
                                        env=env, stdout=self.output, stderr=subprocess.STDOUT)
        deadline = time.monotonic() + self.args.startup_timeout
        while time.monotonic() < deadline:
            self.check_alive()
            for window in map(Window, self.window_ids()):
                if self.image.name in window.title:
                    self.main = window
                    return
            time.sleep(0.5)
        raise Failure(f"no main window after {self.args.startup_timeout} s")

    def finish(self):
        """Saves, asks the editor to close and checks what it left behind."""
        deadline = time.monotonic() + self.args.startup_timeout
        while self.process.poll() is None and time.monotonic() < deadline:
            # A window the last random key opened may only now appear and swallow the keys:
            # then the next pass closes it and asks again.
            self.close_other_windows()
            if self.process.poll() is not None:
                break
            self.key(self.main, "ctrl+s")
            self.settle(1.0)
            self.close_other_windows()
            self.key(self.main, "ctrl+q")
            self.quit_requested = True
            for _ in range(10):
                if self.process.poll() is not None:
                    break
                # A question about changes that could not be saved: No, so the editor ends.
                for window in self.others():
                    self.key(window, "n")
                time.sleep(0.5)
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
            raise Failure("the editor did not close when asked")
        self.check_exit()
        check = subprocess.run([self.args.imagecheck, str(self.opened), str(self.image),
                                str(self.editor.parent / "quartex3editor.ini")],
                               capture_output=True, text=True)
        print("  " + check.stdout.strip() + check.stderr.strip())
        if check.returncode != 0:
            raise Failure("the saved image differs from the opened one outside the tables")

    def stop(self):
        if getattr(self, "process", None) and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        if getattr(self, "output", None):
            self.output.close()

    def sanitizer_reports(self):
        return sorted(self.dir.glob("sanitizer.*"))

    def check_alive(self):
        if self.process.poll() is not None:
            if self.quit_requested:
                return
            self.check_exit()
            raise Failure(f"the editor ended by itself (exit status {self.process.returncode})")
        if self.sanitizer_reports():
            raise Failure("a sanitizer report")

    def check_exit(self):
        reports = self.sanitizer_reports()
        for report in reports:
            print(report.read_text(errors="replace"), file=sys.stderr)
        if reports:
            raise Failure("a sanitizer report")
        if self.process.returncode != 0:
            raise Failure(f"the editor ended with status {self.process.returncode}")

    # -- windows ---------------------------------------------------------------------------

    def window_ids(self):
        ids = xdo("search", "--onlyvisible", "--pid", self.process.pid).split()
        self.known = {wid: window for wid, window in self.known.items() if wid in ids}
        return ids

    def others(self):
        return [self.window(wid) for wid in self.window_ids()
                if wid != self.main.wid and wid not in self.parked]

    def window(self, wid):
        """The window `wid`, its title and place looked up once while it stays shown: the
        editor reuses its dialogs, so a window hidden and shown again is looked up again."""
        if wid not in self.known:
            self.known[wid] = Window(wid)
        return self.known[wid]

    def settle(self, seconds):
        time.sleep(seconds)
        self.check_alive()

    def close_other_windows(self):
        for _ in range(10):
            others = self.others()
            if not others:
                return
            for window in others:
                self.key(window, "Escape")
            self.settle(0.3)
        self.bring_back_main()

    def bring_back_main(self):
        """Puts windows that Escape does not close behind the main window and leaves them."""
        for window in self.others():
            self.parked.add(window.wid)
            self.log(f"park {window.title!r}")
        xdo("windowraise", self.main.wid)
        xdo("windowfocus", self.main.wid)

    # -- input -----------------------------------------------------------------------------

    def log(self, text):
        self.actions.append(text)

    def key(self, window, key):
        self.log(f"key {key} -> {window.title!r}")
        xdo("windowfocus", window.wid, "key", "--delay", "20", key)

    def click(self, window, button, top=0, at=None):
        x, y = at or window.point(self.rng, top)
        self.log(f"click {button} at {x},{y}")
        self.last_click = (x, y)
        xdo("mousemove", x, y, "click", button)

    def drag(self, window, top):
        x, y = window.point(self.rng, top)
        button = self.rng.choice([1, 1, 1, 3])
        path = [window.point(self.rng, top) for _ in range(self.rng.randint(1, 5))]
        self.log(f"drag {button} from {x},{y} over {path}")
        command = ["mousemove", x, y, "mousedown", button]
        for px, py in path:
            command += ["mousemove", px, py]
        command += ["mouseup", button]
        xdo(*command)

    def random_input(self, window, top, keys=KEYS):
        """One random action on `window`, below `top` pixels."""
        roll = self.rng.random()
        if roll < 0.40:
            self.click(window, self.rng.choice([1, 1, 1, 1, 3]), top)
        elif roll < 0.52:
            self.drag(window, top)
        elif roll < 0.60:
            x, y = window.point(self.rng, top)
            button = self.rng.choice([4, 5])
            self.log(f"wheel {button} at {x},{y}")
            xdo("mousemove", x, y, "click", "--repeat", self.rng.randint(1, 4), button)
        elif roll < 0.88:
            self.key(window, self.rng.choice(keys))
        elif roll < 0.93:
            selection = self.rng.choice(["clipboard", "primary"])
            text = self.rng.choice(CLIPBOARD_TEXTS)
            self.log(f"{selection} <- {text!r}")
            set_clipboard(selection, text)
        else:
            self.click(window, 2, top)

    def step(self):
        others = self.others()
        dialog_open = any(WORKABLE_TITLE.search(w.title) for w in others)
        if dialog_open and not self.dialog_open and self.last_click:
            self.openers.add(self.last_click)
        self.dialog_open = dialog_open
        if others:
            window = others[-1]
            if WORKABLE_TITLE.search(window.title) and self.rng.random() < 0.85:
                self.random_input(window, 0, DIALOG_KEYS)
            elif window.title in POPUP_TITLES and self.rng.random() < 0.5:
                # A drop-down list or a context menu: choosing an item is fine.
                self.click(window, 1)
            else:
                self.key(window, "Escape")
                self.settle(0.1)
                if window.wid in self.window_ids():
                    self.escapes += 1
                    if self.escapes >= 3:
                        self.escapes = 0
                        self.bring_back_main()
            return
        roll = self.rng.random()
        if roll < 0.06:
            # A page switch: focus somewhere inside the pages, then a few steps through them.
            self.click(self.main, 1, MENU_BAR_HEIGHT + 40)
            key = self.rng.choice(["ctrl+Tab", "ctrl+shift+Tab", "ctrl+Next", "ctrl+Prior"])
            for _ in range(self.rng.randint(1, 8)):
                self.key(self.main, key)
        elif roll < 0.08:
            # The guide and the overview come to the front again when asked for again.
            self.parked.clear()
            self.key(self.main, self.rng.choice(WINDOW_KEYS))
        elif roll < 0.09:
            self.key(self.main, "ctrl+s")
        elif roll < 0.13 and self.openers:
            self.click(self.main, 1, at=self.rng.choice(sorted(self.openers)))
        else:
            self.random_input(self.main, MENU_BAR_HEIGHT)

    def run(self, seconds):
        self.prepare()
        try:
            self.start()
            deadline = time.monotonic() + seconds
            while time.monotonic() < deadline:
                self.step()
                self.settle(self.rng.choice([0, 0.01, 0.05]))
            self.finish()
        finally:
            self.stop()
            (self.dir / "actions.log").write_text("\n".join(self.actions) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--editor", required=True)
    parser.add_argument("--demorom", required=True, help="makes the cartridge to open")
    parser.add_argument("--palettegen", required=True, help="makes the colour table")
    parser.add_argument("--imagecheck", required=True)
    parser.add_argument("--workdir", required=True)
    parser.add_argument("--seconds", type=float, default=60)
    parser.add_argument("--round-seconds", type=float, default=120)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--startup-timeout", type=float, default=120)
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("No X server: DISPLAY is not set (run through tests/support/with-x-server)")
    for program in ("xdotool", "xsel"):
        if not shutil.which(program):
            sys.exit(f"{program} is not installed")
    seed = args.seed if args.seed is not None else random.SystemRandom().randrange(1 << 31)
    workdir = Path(args.workdir)
    workdir.mkdir(parents=True, exist_ok=True)
    args.cartridge = workdir / "demo.nes"
    args.colour_table = workdir / "fcpalette.pal"
    headless = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    subprocess.run([args.demorom, args.cartridge], env=headless, check=True)
    subprocess.run([args.palettegen, args.colour_table], env=headless, check=True)
    end = time.monotonic() + args.seconds
    number = 0
    while True:
        seconds = min(args.round_seconds, end - time.monotonic())
        if seconds <= 0 and number > 0:
            break
        round_seed = seed + number
        print(f"round {number}: seed {round_seed}, {seconds:.0f} s", flush=True)
        one = Round(args, round_seed, number)
        try:
            one.run(max(seconds, 1))
        except Failure as failure:
            print(f"FAILED in round {number} (seed {round_seed}): {failure}", file=sys.stderr)
            print("last actions:\n  " + "\n  ".join(one.actions[-25:]), file=sys.stderr)
            print(f"editor output and every action: {one.dir}", file=sys.stderr)
            sys.exit(1)
        number += 1
    print(f"{number} rounds without a finding")


if __name__ == "__main__":
    main()
