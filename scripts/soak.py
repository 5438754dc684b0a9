#!/usr/bin/env python3
"""Randomized soak: drives the real program with real X input (xdotool, XTest)
on the current X display, under a window manager it starts, with a seeded mix
of what users do, and checks invariants as it goes. With --windows, the
Windows release under Wine in a fresh prefix, with Wine managing the windows
itself as Windows does. Run it through soak.sh."""
import argparse, os, random, re, shutil, signal, subprocess, sys, tempfile, time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MAIN_W, MAIN_FRAME, SPY_FRAME = 223, 3, 2  # the main window's width, window frames, pixels
# Controls in twips from the client area's corner: x, y, width, height.
BUTTONS = {1: (1200, 360, 255, 495), 3: (2880, 360, 255, 495), 7: (120, 1920, 495, 495),
           6: (600, 1920, 615, 495), 5: (1200, 1920, 495, 495), 4: (1680, 1920, 495, 495),
           9: (2160, 1920, 495, 495), 12: (2690, 1920, 495, 495), 11: (2280, 3120, 615, 495),
           10: (2280, 3720, 615, 495)}
BOXES = {2: (0, 600, 1095, 285), 3: (1680, 600, 1095, 285), 4: (0, 1320, 1575, 285), 5: (1800, 1320, 1335, 285)}
LIST, MINIMISE = (120, 3120, 1695, 1230), (0, 0, 135, 255)
STYLE_BOXES = [(120, 120), (120, 480), (120, 840), (120, 1200), (1680, 120), (1680, 480), (1680, 840)]
STYLES_PUT_AWAY, SPY_PICK, SPY_EXIT = (2520, 1200, 495, 495), (720, 240, 225, 225), (3000, 360, 615, 495)
SPY_TO_MAIN = [(3000, 120, 255, 255), (3240, 120, 255, 255)]
NAME_CHARS = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -_()éüßЖ"
BAD_NAMES = ["", "a/b", "../up", "x\\y", "what?", "star*", "co:lon", '"q"', "<a>", "p|q", ".hidden",
             "trailing.", "trailing ", "CON", "lpt1.txt", "...", "x" * 300]
LIMITS = {"windows": 60, "fds": 200, "rss_mb": 600}


class SoakFailure(Exception):
    pass


def xdo(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, timeout=30).stdout


def run(*args, **kw):
    return subprocess.run(args, capture_output=True, timeout=30, **kw).stdout


def centre(rect, origin, frame):
    x, y, w, h = rect
    return origin[0] + frame + (x + w // 2) // 15, origin[1] + frame + (y + h // 2) // 15


def write(path, data, mode=0o644):
    with open(path, "wb") as f:
        f.write(data)
    os.chmod(path, mode)


class Soak:
    def __init__(self, args):
        self.rng, self.args = random.Random(args.seed), args
        self.tmp = tempfile.mkdtemp(prefix="huevox-soak-")
        self.program_dir = f"{self.tmp}/program"
        self.presets = f"{self.program_dir}/presets"
        self.known = {}          # preset file name -> the bytes it must keep
        self.panel = False       # the presets panel is open
        self.samples, self.actions, self.counts = [], 0, {}
        self.proc = self.wm = None
        self.windows = args.windows
        # Where the update's font settings file goes.
        self.output = f"{self.tmp}/prefix/drive_c/users" if self.windows else f"{self.tmp}/cache"

    def setup(self):
        os.makedirs(self.presets)
        bindir = f"{self.args.build}/bin"
        if self.windows:  # the release without its samples
            shutil.copytree(f"{ROOT}/dist/huevox-windows-x64", self.program_dir, dirs_exist_ok=True,
                            ignore=shutil.ignore_patterns("*.ini"))
        for f in [] if self.windows else os.listdir(bindir):  # the program, its tune and player, in a folder of their own
            if f in ("huevox", "huevox-tune") or f.startswith("intro"):
                shutil.copy2(f"{bindir}/{f}", self.program_dir)
        self.beside = set(os.listdir(self.program_dir))
        for i, name in enumerate(["Summer", "winter", "x.ini", "Ünïcode", "Empty"]):
            data = b"" if name == "Empty" else (f"[config]\r\nFONTCOLOR={i:06d}\r\nBGCOLOR=FFFFFF\r\n"
                                                f"FONT=Arial\r\nSIZE={8 + i}\r\nSTYLE={i}\r\n").encode()
            write(f"{self.presets}/{name}.ini", data)
            self.known[name + ".ini"] = data
        if self.windows:
            return self.start_windows(bindir)
        # A desktop of its own: the browser and the messenger are stand-ins. A
        # messenger stays: the program looks for its dialogs only after xdg-open
        # has had 2 s to fail, and a stand-in gone by then leaves them unanswered.
        # The stand-ins are ended after each update (stop_helpers).
        for d in ("data/mime/packages", "data/applications", "config", "system"):
            os.makedirs(f"{self.tmp}/{d}")
        os.environ.update(XDG_DATA_HOME=f"{self.tmp}/data", XDG_CONFIG_HOME=f"{self.tmp}/config",
                          XDG_DATA_DIRS=f"{self.tmp}/system", XDG_CACHE_HOME=f"{self.tmp}/cache",
                          BROWSER="false", QT_SCALE_FACTOR="1", HUEVOX_STANDIN_LINGER="20",
                          HUEVOX_STANDIN_RECORD=f"{self.tmp}/messenger.log")
        for k in ("XDG_CURRENT_DESKTOP", "DE", "SESSION_MANAGER"):
            os.environ.pop(k, None)
        write(f"{self.tmp}/mode", b"both")
        write(f"{self.tmp}/messenger", (f'#!/bin/sh\nHUEVOX_STANDIN_MODE=$(cat {self.tmp}/mode) exec '
                                        f'{bindir}/huevox_standin_messenger "$1"\n').encode(), 0o755)
        write(f"{self.tmp}/browser", f'#!/bin/sh\necho "$1" >> {self.tmp}/browser.log\n'.encode(), 0o755)
        for mime, glob, program in (("application/x-huevox-blt", "*.blt", "messenger"),
                                    ("text/html", "*.htm", "browser")):
            ident = mime.replace("/", "-")
            write(f"{self.tmp}/data/mime/packages/{ident}.xml", (
                '<?xml version="1.0"?><mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">'
                f'<mime-type type="{mime}"><glob pattern="{glob}"/></mime-type></mime-info>').encode())
            write(f"{self.tmp}/data/applications/{ident}.desktop", (
                f"[Desktop Entry]\nType=Application\nName={ident}\nExec={self.tmp}/{program} %f\n"
                f"MimeType={mime};\n").encode())
            run("update-mime-database", f"{self.tmp}/data/mime", check=True)
            run("xdg-mime", "default", f"{ident}.desktop", mime, check=True)
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   env=dict(os.environ, XDG_DATA_DIRS="/usr/local/share:/usr/share"))
        time.sleep(1)
        self.start([f"{self.program_dir}/huevox"])

    def start_windows(self, bindir):
        env = subprocess.run(["bash", "-c", 'source scripts/windows-env.sh && wine_fresh_prefix "$0" >&2 && env -0',
                              self.tmp], cwd=ROOT, capture_output=True, check=True).stdout
        os.environ.clear()
        os.environ.update(v.split("=", 1) for v in env.decode().split("\0") if "=" in v)
        shutil.copy2(f"{bindir}/huevox_wine_messagebox.exe", f"{self.tmp}/standin.exe")
        win = lambda path: "Z:" + path.replace("/", "\\")
        for ext, kind, record, mode in ((".blt", "BuddyList", "messenger.log", "0"), (".htm", "Page", "browser.log", "page")):
            run("wine", "reg", "add", rf"HKLM\Software\Classes\{ext}", "/ve", "/d", f"HuevoxSoak.{kind}", "/f")
            run("wine", "reg", "add", rf"HKLM\Software\Classes\HuevoxSoak.{kind}\shell\open\command", "/ve", "/f",
                "/d", f'"{win(self.tmp)}\\standin.exe" "{win(self.tmp)}\\{record}" "%1" {mode}')
        run("wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f")
        self.start(["wine", f"{self.program_dir}/huevox.exe"])

    def start(self, command):
        self.proc = subprocess.Popen(command, stderr=subprocess.DEVNULL, env=dict(os.environ, LC_ALL="C.UTF-8"))
        # Wine's first start in a new prefix takes a while.
        splash = self.wait(lambda: self.find("^Form3$"), 60 if self.windows else 10, "the splash never showed")[0]
        time.sleep(2.5)  # it fades in after one second
        x, y, w, h = self.geometry(splash)
        xdo("mousemove", "--sync", x + w // 2, y + h // 2, "click", "--repeat", 2, "--delay", 80, 1)
        self.main = self.wait(lambda: self.find("^Huevox$", MAIN_W), 15, "no main window")[0]

    # --- windows and input ------------------------------------------------
    def find(self, name=".*", width=None):
        """The program's windows that the window manager holds (Wine: that are shown), by title and width."""
        if self.windows:
            ids = xdo("search", "--all", "--onlyvisible", "--pid", self.proc.pid, "--name", ".*").split()
        else:
            ids = [str(int(h, 16)) for h in re.findall(rb"0x[0-9a-f]+", run("xprop", "-root", "_NET_CLIENT_LIST"))]
        return [w for w in ids if xdo("getwindowpid", w).strip() == str(self.proc.pid)
                and re.search(name, xdo("getwindowname", w).strip())
                and (width is None or self.geometry(w)[2] == width)]

    def geometry(self, window):
        out = dict(re.findall(r"(\w+)=(-?\d+)", xdo("getwindowgeometry", "--shell", window)))
        return tuple(int(out.get(k, -1)) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def wait(self, probe, seconds, failure=None):
        end = time.time() + seconds
        while time.time() < end:
            found = probe()
            if found:
                return found
            time.sleep(0.1)
        if failure:
            raise SoakFailure(failure)

    def dialogs(self):
        # By title: a message box can be as wide as any of these.
        fixed = {self.main} | set(self.find("^(Styles|Form4|Color spy)$"))
        # Under Wine tooltips and the zoom are windows too: the boxes by their titles.
        return [w for w in self.find("^(Huevox|Color)$" if self.windows else ".*") if w not in fixed]

    def activate(self, window, *keys):
        if self.windows:  # no window manager: a click on the caption, as on Windows
            x, y, w, _ = self.geometry(window)
            xdo("mousemove", "--sync", x + w // 2, y + 10, "click", 1)
            time.sleep(0.15)
            if keys:
                xdo("key", *keys)
        else:
            xdo("windowactivate", "--sync", window, *keys)

    def settle(self):
        for _ in range(10):  # whatever box is still open gets Escape
            dlg = self.dialogs()
            if not dlg:
                return
            self.activate(dlg[0], "key", "Escape")
            time.sleep(0.3)
        raise SoakFailure(f"a dialog does not go away: {[xdo('getwindowname', w).strip() for w in dlg]}")

    def click(self, point):
        xdo("mousemove", "--sync", *point, "click", 1)
        time.sleep(0.15)

    def at(self, window, rect, frame=MAIN_FRAME):
        if window == self.main and not self.windows:  # active, so no other window (a stand-in's, the spy) lies over it
            self.activate(window)
        else:
            xdo("windowraise", window)
        return centre(rect, self.geometry(window), frame)

    def drag_window(self, window, grip):
        x, y, w, h = self.geometry(window)
        dx, dy = self.rng.randint(0, 1280 - w) - x, self.rng.randint(0, 1024 - h) - y
        xdo("mousemove", "--sync", x + grip[0], y + grip[1], "mousedown", 1)
        for i in range(1, 9):
            xdo("mousemove", "--sync", x + grip[0] + dx * i // 8, y + grip[1] + dy * i // 8)
        xdo("mouseup", 1)

    def copied(self):
        """What the focused box holds, through the clipboard (an empty box copies nothing)."""
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=b"", timeout=5)
        xdo("key", "--clearmodifiers", "ctrl+a", "ctrl+c")
        time.sleep(0.15)
        return run("xclip", "-selection", "clipboard", "-o").decode("utf-8", "replace")

    # --- actions ----------------------------------------------------------
    def act_type(self):
        text = self.rng.choice(["", "".join(self.rng.choices("0123456789ABCDEF", k=6)),
                                "".join(self.rng.choices(NAME_CHARS, k=self.rng.randint(1, 12))),
                                "Ωmega ÄÖÜ 漢字", "W" * self.rng.randint(100, 300)])
        self.click(self.at(self.main, BOXES[self.rng.choice(list(BOXES))]))
        xdo("key", "ctrl+a", "BackSpace")
        if text:
            xdo("type", "--delay", 2, text)

    def act_save(self):
        values, last = None, []  # what the save must store, as the boxes hold it
        for _ in range(4):  # read until two rounds agree: after typing outside the keymap,
            last, values = values, []  # the first clicks can act late (xdotool remaps keys)
            for box in (2, 3, 4, 5):
                self.click(self.at(self.main, BOXES[box]))
                values.append(self.copied())
            if values == last:
                break
        else:
            raise SoakFailure(f"the text boxes read back differently each time: {last}, {values}")
        if self.rng.random() < 0.3:
            name = self.rng.choice(BAD_NAMES)
        elif self.rng.random() < 0.2:
            name = self.rng.choice(list(self.known))[:-4].swapcase()  # an existing one, in other case
        else:
            name = "".join(self.rng.choices(NAME_CHARS, k=self.rng.randint(1, 20))).strip() or "p"
        self.click(self.at(self.main, BUTTONS[4]))
        self.activate(self.wait(self.dialogs, 5, "Save asked for no name")[0])
        if name:
            xdo("type", "--delay", 2, name)
        name = self.copied()  # as typed, whatever xdotool made of it
        xdo("key", "Return")
        time.sleep(0.2)
        message = self.wait(self.dialogs, 5, "Save said nothing")  # saved, or why not
        self.activate(message[0], "key", "Return")
        time.sleep(0.2)
        self.check_presets(name + ".ini" if self.acceptable(name) else None, values)

    def acceptable(self, name):
        """Whether a save under this name must make a new file."""
        bad = (not name or re.search(r'[\\/:*?"<>|\x00-\x1f\x7f]', name) or name[0] == "."
               or name[-1] in ". " or len(name.encode()) > 251
               or re.fullmatch(r"(con|prn|aux|nul|com[1-9]|lpt[1-9]) *(\..*)?", name, re.I))
        return not bad and name.lower() + ".ini" not in {k.lower() for k in self.known}

    def act_load(self):
        if not self.panel:
            self.act_button(7)
        x, y = self.at(self.main, LIST)
        if self.rng.random() < 0.5:
            xdo("mousemove", "--sync", x, y, "click", self.rng.choice([4, 5]))  # the wheel
        self.click((x, y - 30 + self.rng.randint(0, 60)))
        self.click(self.at(self.main, BUTTONS[self.rng.choice([11, 10])]))

    def act_button(self, number=None):
        number = number or self.rng.choice(list(BUTTONS))
        if number in (10, 11) and not self.panel:
            return
        mode = self.rng.choice([b"both", b"both", b"first-only", b"plain-window"]) if number == 6 else None
        if mode and self.windows:
            mode = b"both"  # Wine's stand-in is the one messenger that answers both
        elif mode:
            write(f"{self.tmp}/mode", mode)
        self.click(self.at(self.main, BUTTONS[number]))
        self.panel ^= number == 7
        if mode == b"first-only":
            # Left waiting for the second dialog, the messenger keeps its file until the next update.
            self.wait(self.dialogs, 20, "no message after an update that was not answered")
            if len(self.leftovers()) != 1:
                raise SoakFailure(f"after an unanswered update the output folder holds {self.leftovers()}")
        elif mode and self.wait(lambda: not self.leftovers(), 15) is None:
            raise SoakFailure(f"left in the output folder after an update: {self.leftovers()}")
        if mode:
            time.sleep(1)
            self.stop_helpers()  # a stand-in left waiting would cover the windows

    def act_styles(self):
        self.click(self.at(self.main, BUTTONS[9]))
        styles = self.wait(lambda: self.find("^Styles$"), 3)
        for _ in range(self.rng.randint(1, 4) if styles else 0):
            self.click(self.at(styles[0], (*self.rng.choice(STYLE_BOXES), 1335, 375)))
        if styles and self.rng.random() < 0.4:
            self.drag_window(styles[0], (60, 90))
        if styles and self.rng.random() < 0.5:
            self.click(self.at(styles[0], STYLES_PUT_AWAY))

    def act_pick(self):
        self.click(self.at(self.main, BUTTONS[12]))
        spy = self.wait(lambda: self.find("^Color spy$"), 3)
        if not spy:
            return
        xdo("mousemove", "--sync", *self.at(spy[0], SPY_PICK, SPY_FRAME), "mousedown", 1)
        for _ in range(self.rng.randint(3, 15)):
            xdo("mousemove", self.rng.randint(0, 1279), self.rng.randint(0, 1023))
            if self.rng.random() < 0.2:
                xdo("key", self.rng.choice(["Escape", "Left", "Right", "Up", "Down"]))
            time.sleep(0.05)
        xdo("mouseup", 1)
        time.sleep(0.1)
        if self.rng.random() < 0.5:
            self.click(self.at(spy[0], self.rng.choice(SPY_TO_MAIN), SPY_FRAME))
        if self.rng.random() < 0.3:
            self.drag_window(spy[0], (100, 50))
        if self.rng.random() < 0.5:
            self.click(self.at(spy[0], SPY_EXIT, SPY_FRAME))

    def act_minimise(self):
        self.click(self.at(self.main, MINIMISE))
        self.wait(lambda: b"IsUnMapped" in run("xwininfo", "-id", self.main), 5, "the minimise mark did nothing")
        xdo("windowactivate", "--sync", self.main)  # as the taskbar would
        self.wait(lambda: b"IsViewable" in run("xwininfo", "-id", self.main), 5, "the main window stays minimised")

    def act_drag_main(self):
        self.drag_window(self.main, (MAIN_FRAME + 100, MAIN_FRAME + 8))

    # --- invariants -------------------------------------------------------
    def leftovers(self):
        return [f"{d}/{f}" for d, _, fs in os.walk(self.output) for f in fs if f.endswith(".blt")]

    def check_presets(self, new_name=None, values=None):
        for name, data in self.known.items():
            with open(f"{self.presets}/{name}", "rb") as f:
                if f.read() != data:
                    raise SoakFailure(f"preset {name!r} changed without a save of that name")
        extra = set(os.listdir(self.presets)) - set(self.known)
        if extra != ({new_name} if new_name else set()):
            raise SoakFailure(f"in the presets folder: {extra or 'no'} new files; a save of {new_name!r}")
        if new_name:
            with open(f"{self.presets}/{new_name}", "rb") as f:
                data = f.read()
            want = "[config]\r\nFONTCOLOR={}\r\nBGCOLOR={}\r\nFONT={}\r\nSIZE={}\r\nSTYLE=".format(*values)
            # Windows writes the ANSI code page (1252 here), a '?' for what it lacks.
            encoded = want.encode("cp1252", "replace") if self.windows else want.encode()
            if not re.fullmatch(re.escape(encoded) + rb"[0123457]\r\n", data):
                raise SoakFailure(f"the save of {new_name!r} holds {data!r}, not {want!r}")
            self.known[new_name] = data
            self.counts["saved"] = self.counts.get("saved", 0) + 1
        if set(os.listdir(self.program_dir)) != self.beside:
            raise SoakFailure(f"files written beside the program: {os.listdir(self.program_dir)}")

    def sample(self):
        if self.proc.poll() is not None:
            raise SoakFailure(f"the program ended (status {self.proc.returncode})")
        if b"IsViewable" not in run("xwininfo", "-id", self.main):
            raise SoakFailure("the main window is not shown")
        pid = self.proc.pid
        with open(f"/proc/{pid}/status") as f:
            rss = int(re.search(r"VmRSS:\s+(\d+)", f.read()).group(1)) / 1024
        # The program's X windows, shown or not: those in its connection's id
        # range (the server's default 21-bit client id mask).
        ids = re.findall(rb"^\s*0x([0-9a-f]+)", run("xwininfo", "-root", "-tree"), re.M)
        s = {"windows": sum(int(i, 16) >> 21 == int(self.main) >> 21 for i in ids),
             "fds": len(os.listdir(f"/proc/{pid}/fd")), "rss_mb": round(rss, 1)}
        self.samples.append(s)
        for k, limit in LIMITS.items():
            if s[k] > limit:
                raise SoakFailure(f"{k} reached {s[k]} (limit {limit})")

    def check_trend(self):
        n = len(self.samples)
        # From a dozen samples on (a one-minute soak takes about twenty).
        # Under Wine each thread holds two pipes to the server: the count swings by a
        # dozen with the threads that dialogs and picks start and end.
        for k, slack in (("windows", 10), ("fds", 15 if self.windows else 4), ("rss_mb", 15)) if n >= 12 else ():
            early = sorted(s[k] for s in self.samples[n // 4:n // 2])[n // 8]  # medians of quarters
            late = sorted(s[k] for s in self.samples[3 * n // 4:])[n // 8]
            if late > early * 1.1 + slack:
                raise SoakFailure(f"{k} grows: {early} in the second quarter, {late} in the last")

    def run(self):
        acts = {self.act_type: 6, self.act_save: 3, self.act_load: 2, self.act_button: 4, self.act_styles: 2,
                self.act_pick: 2, self.act_drag_main: 2, self.act_minimise: 0 if self.windows else 1}
        self.setup()
        end = time.time() + self.args.minutes * 60
        while self.actions < self.args.actions if self.args.actions else time.time() < end:
            act = self.rng.choices(list(acts), list(acts.values()))[0]
            self.actions += 1
            if self.args.verbose:  # named before it runs: a failure names it too
                print(f"soak: {self.actions} {act.__name__[4:]}", end=" ", flush=True)
            act()
            self.settle()
            self.sample()
            if self.args.verbose:
                print(self.samples[-1], flush=True)
            self.counts[act.__name__[4:]] = self.counts.get(act.__name__[4:], 0) + 1
        self.check_presets()
        self.check_trend()

    def stop_helpers(self):
        """Ends the stand-ins and clipboard holders of this run (they carry its folder)."""
        own = {os.getpid()} | {p.pid for p in (self.proc, self.wm) if p}
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                # Under Wine only the stand-ins: every Wine process carries the prefix's folder.
                if (int(pid) not in own and self.tmp.encode() in open(f"/proc/{pid}/environ", "rb").read()
                        and (not self.windows or re.match(rb"xclip|.*standin", open(f"/proc/{pid}/cmdline", "rb").read()))):
                    os.kill(int(pid), signal.SIGTERM)
            except OSError:
                pass

    def cleanup(self):
        for p in (self.proc, self.wm):
            if p and p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
        self.stop_helpers()
        if self.windows:
            subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL)
        shutil.rmtree(self.tmp, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("minutes", type=float, nargs="?", default=1)
    parser.add_argument("--seed", type=int, default=random.SystemRandom().randrange(1 << 31))
    parser.add_argument("--actions", type=int, default=0, help="stop after this many actions")
    parser.add_argument("--verbose", action="store_true", help="name each action and what it left")
    parser.add_argument("--windows", action="store_true", help="the Windows release (dist/) under Wine")
    parser.add_argument("--build", help="the build folder (build, or build-windows with --windows)")
    args = parser.parse_args()
    args.build = args.build or f"{ROOT}/build{'-windows' if args.windows else ''}"
    print(f"soak: seed {args.seed}, {args.actions or args.minutes} {'actions' if args.actions else 'min'}", flush=True)
    soak, started = Soak(args), time.time()
    try:
        soak.run()
    except (SoakFailure, subprocess.SubprocessError, OSError) as e:
        print(f"soak: FAILED at action {soak.actions}: {e}\n"
              f"replay: scripts/soak.sh --seed {args.seed} --actions {soak.actions}{' --windows' * args.windows}",
              file=sys.stderr)
        if soak.samples:  # the figures so far, for a long soak that fails late
            print(f"soak: first {soak.samples[0]}, last {soak.samples[-1]}", file=sys.stderr)
        return 1
    finally:
        soak.cleanup()
    peak = {k: max(s[k] for s in soak.samples) for k in LIMITS}
    print(f"soak: passed, {soak.actions} actions in {(time.time() - started) / 60:.1f} min {soak.counts}\n"
          f"soak: first {soak.samples[0]}, last {soak.samples[-1]}, peak {peak}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
