#!/usr/bin/env python3
"""Randomized soak: drives the real program with real X input (xdotool, XTest)
under the current X display and a window manager it starts, with a seeded mix
of what users do, and checks invariants as it goes. Run it through soak.sh."""
import argparse, os, random, re, shutil, signal, subprocess, sys, tempfile, time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MAIN_W, SPY_W = 223, 243           # window widths in pixels (client + frame)
MAIN_FRAME, SPY_FRAME = 3, 2
BUTTONS = {1: (1200, 360, 255, 495), 3: (2880, 360, 255, 495), 7: (120, 1920, 495, 495),
           6: (600, 1920, 615, 495), 5: (1200, 1920, 495, 495), 4: (1680, 1920, 495, 495),
           9: (2160, 1920, 495, 495), 12: (2690, 1920, 495, 495), 11: (2280, 3120, 615, 495),
           10: (2280, 3720, 615, 495)}
BOXES = {2: (0, 600, 1095, 285), 3: (1680, 600, 1095, 285), 4: (0, 1320, 1575, 285),
         5: (1800, 1320, 1335, 285)}
STYLE_BOXES = [(120, 120), (120, 480), (120, 840), (120, 1200), (1680, 120), (1680, 480), (1680, 840)]
NAME_CHARS = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -_()éüßЖ"
BAD_NAMES = ["a/b", "../up", "x\\y", "what?", "star*", "co:lon", '"q"', "<a>", "p|q", ".hidden",
             "trailing.", "trailing ", "CON", "lpt1.txt", "...", "x" * 300]
LIMITS = {"windows": 400, "fds": 200, "rss_mb": 600}


class SoakFailure(Exception):
    pass


def xdo(*args, check=False):
    r = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, timeout=30)
    if check and r.returncode:
        raise SoakFailure(f"xdotool {' '.join(map(str, args))}: {r.stderr.strip()}")
    return r.stdout


def centre(rect, origin, frame):
    x, y, w, h = rect
    return origin[0] + frame + (x + w // 2) // 15, origin[1] + frame + (y + h // 2) // 15


class Soak:
    def __init__(self, args):
        self.rng = random.Random(args.seed)
        self.args = args
        self.tmp = tempfile.mkdtemp(prefix="huevox-soak-")
        self.program_dir = os.path.join(self.tmp, "program")
        self.presets = os.path.join(self.program_dir, "presets")
        self.cache = os.path.join(self.tmp, "cache")
        self.known = {}          # preset file name -> bytes it must have
        self.panel = False       # the presets panel is open
        self.samples, self.actions, self.counts = [], 0, {}
        self.proc = self.wm = None

    # --- set-up -----------------------------------------------------------
    def setup(self):
        os.makedirs(self.presets)
        bindir = os.path.join(self.args.build, "bin")
        for f in os.listdir(bindir):  # the program with its tune, in a folder of its own
            if f == "huevox" or f.startswith("intro"):
                shutil.copy2(os.path.join(bindir, f), self.program_dir)
        for i, name in enumerate(["Summer", "winter", "x.ini", "Ünïcode", "Empty"]):
            data = b"" if name == "Empty" else (
                f"[config]\r\nFONTCOLOR={i:06d}\r\nBGCOLOR=FFFFFF\r\nFONT=Arial\r\nSIZE={8 + i}\r\nSTYLE={i}\r\n").encode()
            self.write(os.path.join(self.presets, name + ".ini"), data)
            self.known[name + ".ini"] = data
        env = os.environ
        for d in ("data/mime/packages", "data/applications", "config", "system"):
            os.makedirs(os.path.join(self.tmp, d))
        env.update(XDG_DATA_HOME=f"{self.tmp}/data", XDG_CONFIG_HOME=f"{self.tmp}/config",
                   XDG_DATA_DIRS=f"{self.tmp}/system", XDG_CACHE_HOME=self.cache, BROWSER="false",
                   QT_SCALE_FACTOR="1", HUEVOX_STANDIN_LINGER="3",
                   HUEVOX_STANDIN_RECORD=f"{self.tmp}/messenger.log")
        for k in ("XDG_CURRENT_DESKTOP", "DE", "SESSION_MANAGER"):
            env.pop(k, None)
        standin = os.path.join(self.args.build, "bin", "huevox_standin_messenger")
        self.mode_file = f"{self.tmp}/mode"
        self.write(self.mode_file, b"both")
        self.script("messenger", f'HUEVOX_STANDIN_MODE=$(cat {self.mode_file}) exec {standin} "$1"')
        self.script("browser", f'echo "$1" >> {self.tmp}/browser.log')
        self.register("application/x-huevox-blt", "*.blt", f"{self.tmp}/messenger %f")
        self.register("text/html", "*.htm", f"{self.tmp}/browser %f")
        wm_env = dict(env, XDG_DATA_DIRS="/usr/local/share:/usr/share")
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=wm_env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1)

    def write(self, path, data):
        with open(path, "wb") as f:
            f.write(data)

    def script(self, name, body):
        self.write(f"{self.tmp}/{name}", f"#!/bin/sh\n{body}\n".encode())
        os.chmod(f"{self.tmp}/{name}", 0o755)

    def register(self, mime, glob, command):
        ident = mime.replace("/", "-")
        self.write(f"{self.tmp}/data/mime/packages/{ident}.xml", (
            '<?xml version="1.0"?><mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">'
            f'<mime-type type="{mime}"><glob pattern="{glob}"/></mime-type></mime-info>').encode())
        self.write(f"{self.tmp}/data/applications/{ident}.desktop",
                   f"[Desktop Entry]\nType=Application\nName={ident}\nExec={command}\nMimeType={mime};\n".encode())
        subprocess.run(["update-mime-database", f"{self.tmp}/data/mime"], check=True)
        subprocess.run(["xdg-mime", "default", f"{ident}.desktop", mime], check=True)

    def start_program(self):
        self.proc = subprocess.Popen([os.path.join(self.program_dir, "huevox")], stderr=subprocess.DEVNULL)
        splash = self.wait(lambda: self.find(name="^Form3$"), 10, "the splash never showed")[0]
        time.sleep(2.5)  # it fades in after one second
        x, y, w, h = self.geometry(splash)
        xdo("mousemove", "--sync", x + w // 2, y + h // 2, "click", "--repeat", 2, "--delay", 80, 1)
        self.main = self.wait(lambda: self.find(name="^Huevox$", width=MAIN_W), 15, "no main window")[0]

    # --- windows ----------------------------------------------------------
    def find(self, name=".*", width=None):
        """The program's windows that the window manager shows, by title and width."""
        out = subprocess.run(["xprop", "-root", "_NET_CLIENT_LIST"], capture_output=True, text=True).stdout
        ids = [str(int(h, 16)) for h in re.findall(r"0x[0-9a-f]+", out)]
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
        return None

    def dialogs(self):
        fixed = {self.main} | set(self.find(name="^(Styles|Form4)$")) | set(self.find(width=SPY_W))
        return [w for w in self.find() if w not in fixed]

    def answer_dialog(self, text=None, key="Return"):
        dlg = self.wait(self.dialogs, 5)
        if not dlg:
            return False
        xdo("windowactivate", "--sync", dlg[0])
        if text is not None:
            xdo("type", "--delay", 2, text)
        xdo("key", "--clearmodifiers", key)
        time.sleep(0.2)
        return True

    def settle(self):
        for _ in range(10):  # whatever box is still open gets Escape
            dlg = self.dialogs()
            if not dlg:
                return
            xdo("windowactivate", "--sync", dlg[0], "key", "Escape")
            time.sleep(0.3)
        raise SoakFailure("a dialog does not go away")

    def click(self, point, button=1):
        xdo("mousemove", "--sync", *point, "click", button)
        time.sleep(0.15)

    def main_point(self, rect):
        xdo("windowraise", self.main)
        return centre(rect, self.geometry(self.main), MAIN_FRAME)

    def drag(self, start, dx, dy, steps=8):
        xdo("mousemove", "--sync", *start, "mousedown", 1)
        for i in range(1, steps + 1):
            xdo("mousemove", "--sync", start[0] + dx * i // steps, start[1] + dy * i // steps)
            time.sleep(0.02)
        xdo("mouseup", 1)

    def drag_window(self, window, grip):
        x, y, w, h = self.geometry(window)
        dx = self.rng.randint(0, 1280 - w) - x
        dy = self.rng.randint(0, 1024 - h) - y
        self.drag((x + grip[0], y + grip[1]), dx, dy)

    # --- actions ----------------------------------------------------------
    def act_type(self):
        box = self.rng.choice(list(BOXES))
        text = self.rng.choice([
            "", "".join(self.rng.choice("0123456789ABCDEF") for _ in range(6)),
            "".join(self.rng.choice(NAME_CHARS) for _ in range(self.rng.randint(1, 12))),
            "Ωmega ÄÖÜ 漢字", "W" * self.rng.randint(100, 300)])
        self.click(self.main_point(BOXES[box]))
        xdo("key", "ctrl+a", "BackSpace")
        if text:
            xdo("type", "--delay", 2, text)

    def copied(self, keys="ctrl+a ctrl+c"):
        """What the focused box holds, through the clipboard (empty copies nothing)."""
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=b"", timeout=5)
        xdo("key", "--clearmodifiers", *keys.split())
        time.sleep(0.15)
        return subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True,
                              timeout=5).stdout.decode("utf-8", "replace")

    def act_save(self):
        values = []
        for box in (2, 3, 4, 5):  # what the save should store, as the boxes hold it
            self.click(self.main_point(BOXES[box]))
            values.append(self.copied())
        bad = self.rng.random() < 0.3
        if bad:
            name = self.rng.choice(BAD_NAMES + [""])
        elif self.rng.random() < 0.2 and self.known:
            name = self.rng.choice(list(self.known))[:-4].swapcase()  # an existing one, other case
        else:
            name = "".join(self.rng.choice(NAME_CHARS) for _ in range(self.rng.randint(1, 20))).strip() or "p"
        self.click(self.main_point(BUTTONS[4]))
        dlg = self.wait(self.dialogs, 5, "Save asked for no name")
        xdo("windowactivate", "--sync", dlg[0])
        if name:
            xdo("type", "--delay", 2, name)
        name = self.copied()  # as typed, whatever xdotool made of it
        xdo("key", "Return")
        time.sleep(0.2)
        self.answer_dialog()  # the message that follows
        self.check_presets(name + ".ini" if self.acceptable(name) else None, values)

    def acceptable(self, name):
        """Whether a save under this name must create a file."""
        bad = (not name or re.search(r'[\\/:*?"<>|\x00-\x1f\x7f]', name) or name.startswith(".")
               or name[-1] in ". " or len(name.encode()) > 251
               or re.fullmatch(r"(con|prn|aux|nul|com[1-9]|lpt[1-9]) *(\..*)?", name, re.I))
        return not bad and name.lower() + ".ini" not in {k.lower() for k in self.known}

    def act_load(self):
        if not self.panel:
            self.click(self.main_point(BUTTONS[7]))
            self.panel = True
        x, y = self.main_point((120, 3120, 1695, 1230))
        if self.rng.random() < 0.5:
            xdo("mousemove", "--sync", x, y, "click", self.rng.choice([4, 5]))  # wheel
        self.click((x, y - 30 + self.rng.randint(0, 60)))
        self.click(self.main_point(BUTTONS[self.rng.choice([11, 10])]))

    def act_button(self):
        number = self.rng.choice(list(BUTTONS))
        if number == 6:
            self.write(self.mode_file, self.rng.choice([b"both", b"both", b"first-only", b"decoys"]))
        if number in (10, 11) and not self.panel:
            return
        self.click(self.main_point(BUTTONS[number]))
        self.panel ^= number == 7
        if number == 6:
            self.wait(lambda: not self.leftovers(), 15)
            if self.leftovers():
                raise SoakFailure(f"left in the output folder after an update: {self.leftovers()}")
            time.sleep(1)
            self.stop_helpers()  # a stand-in left waiting would cover the windows

    def act_styles(self):
        self.click(self.main_point(BUTTONS[9]))
        styles = self.wait(lambda: self.find(name="^Styles$"), 3)
        if not styles:
            return
        origin = self.geometry(styles[0])
        for _ in range(self.rng.randint(1, 4)):
            self.click(centre((*self.rng.choice(STYLE_BOXES), 1335, 375), origin, MAIN_FRAME))
        if self.rng.random() < 0.4:
            self.drag_window(styles[0], (60, 90))
        if self.rng.random() < 0.5:
            self.click(centre((2520, 1200, 495, 495), self.geometry(styles[0]), MAIN_FRAME))

    def act_pick(self):
        self.click(self.main_point(BUTTONS[12]))
        spy = self.wait(lambda: self.find(width=SPY_W), 3)
        if not spy:
            return
        origin = self.geometry(spy[0])
        start = centre((720, 240, 225, 225), origin, SPY_FRAME)
        xdo("mousemove", "--sync", *start, "mousedown", 1)
        for _ in range(self.rng.randint(3, 15)):
            xdo("mousemove", self.rng.randint(0, 1279), self.rng.randint(0, 1023))
            if self.rng.random() < 0.2:
                xdo("key", self.rng.choice(["Escape", "Left", "Right", "Up", "Down"]))
            time.sleep(0.05)
        if self.args.shots:
            subprocess.run(["import", "-window", "root", f"{self.args.shots}/{self.actions:05d}-mid-pick.png"])
        xdo("mouseup", 1)
        time.sleep(0.1)
        if self.rng.random() < 0.5:
            box = self.rng.choice([(3000, 120), (3240, 120)])
            self.click(centre((*box, 255, 255), self.geometry(spy[0]), SPY_FRAME))
        if self.rng.random() < 0.3:
            self.drag_window(spy[0], (100, 50))
        if self.rng.random() < 0.5:
            self.click(centre((3000, 360, 615, 495), self.geometry(spy[0]), SPY_FRAME))

    def act_minimise(self):
        self.click(self.main_point((0, 0, 135, 255)))  # the title strip's "-"
        time.sleep(0.3)
        xdo("windowactivate", "--sync", self.main)

    def act_drag_main(self):
        self.drag_window(self.main, (MAIN_FRAME + 100, MAIN_FRAME + 8))

    # --- invariants -------------------------------------------------------
    def leftovers(self):
        return [os.path.join(d, f) for d, _, fs in os.walk(self.cache) for f in fs if f.endswith(".blt")]

    def check_presets(self, new_name, values=None):
        on_disk = set(os.listdir(self.presets))
        for name, data in self.known.items():
            with open(os.path.join(self.presets, name), "rb") as f:
                if f.read() != data:
                    raise SoakFailure(f"preset {name!r} changed without a save of that name")
        extra = on_disk - set(self.known)
        if extra - {new_name}:
            raise SoakFailure(f"unexpected files in the presets folder: {extra - {new_name}}")
        if new_name:
            if new_name not in on_disk:
                raise SoakFailure(f"the save of {new_name!r} is not on disk")
            with open(os.path.join(self.presets, new_name), "rb") as f:
                data = f.read()
            want = "[config]\r\nFONTCOLOR={}\r\nBGCOLOR={}\r\nFONT={}\r\nSIZE={}\r\nSTYLE=".format(*values)
            if not re.fullmatch(re.escape(want.encode()) + rb"[0123457]\r\n", data):
                raise SoakFailure(f"the save of {new_name!r} holds {data!r}, not {want!r}")
            self.known[new_name] = data
            self.counts["saved"] = self.counts.get("saved", 0) + 1
        for d, _, fs in os.walk(self.tmp):  # nothing written beside or above the folder
            if d == self.program_dir and set(fs) - {"huevox"} - {f for f in fs if f.startswith("intro")}:
                raise SoakFailure(f"files written beside the program: {fs}")

    def sample(self):
        if self.proc.poll() is not None:
            raise SoakFailure(f"the program ended (status {self.proc.returncode})")
        if "IsViewable" not in subprocess.run(["xwininfo", "-id", self.main], capture_output=True,
                                              text=True).stdout:
            raise SoakFailure("the main window is not shown")
        pid = self.proc.pid
        with open(f"/proc/{pid}/status") as f:
            rss = int(re.search(r"VmRSS:\s+(\d+)", f.read()).group(1)) / 1024
        s = {"windows": len(xdo("search", "--pid", pid, "--name", ".*").split()), "fds": len(os.listdir(f"/proc/{pid}/fd")), "rss_mb": rss}
        self.samples.append(s)
        for k, limit in LIMITS.items():
            if s[k] > limit:
                raise SoakFailure(f"{k} reached {s[k]:.0f} (limit {limit})")

    def check_trend(self):
        n = len(self.samples)
        if n < 40:
            return
        for k, slack in (("windows", 2), ("fds", 4), ("rss_mb", 15)):
            early = sorted(s[k] for s in self.samples[n // 4:n // 2])[n // 8]
            late = sorted(s[k] for s in self.samples[3 * n // 4:])[n // 8]
            if late > early * 1.1 + slack:
                raise SoakFailure(f"{k} grows: {early:.0f} in the second quarter, {late:.0f} in the last")

    # --- run --------------------------------------------------------------
    def run(self):
        acts = [(self.act_type, 6), (self.act_save, 3), (self.act_load, 2), (self.act_button, 4),
                (self.act_styles, 2), (self.act_pick, 2), (self.act_drag_main, 2), (self.act_minimise, 1)]
        self.setup()
        self.start_program()
        end = time.time() + self.args.minutes * 60
        while (self.actions < self.args.actions) if self.args.actions else (time.time() < end):
            act = self.rng.choices([a for a, _ in acts], [w for _, w in acts])[0]
            self.actions += 1
            act()
            if self.args.shots:
                subprocess.run(["import", "-window", "root", f"{self.args.shots}/{self.actions:05d}-{act.__name__}.png"])
            self.settle()
            self.sample()
            self.counts[act.__name__[4:]] = self.counts.get(act.__name__[4:], 0) + 1
        self.check_presets(None)
        self.check_trend()

    def stop_helpers(self):
        """Ends the stand-ins and clipboard holders this run started (found by its folder)."""
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                if int(pid) not in {os.getpid()} | {p.pid for p in (self.proc, self.wm) if p} and \
                        self.tmp.encode() in open(f"/proc/{pid}/environ", "rb").read():
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
        shutil.rmtree(self.tmp, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("minutes", type=float, nargs="?", default=1)
    parser.add_argument("--seed", type=int, default=random.SystemRandom().randrange(1 << 31))
    parser.add_argument("--actions", type=int, default=0, help="stop after this many actions")
    parser.add_argument("--shots", help="a folder for a screenshot after each action")
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    args = parser.parse_args()
    print(f"soak: seed {args.seed}, {args.minutes} min", flush=True)
    soak = Soak(args)
    try:
        soak.run()
    except (SoakFailure, subprocess.SubprocessError, OSError) as e:
        print(f"soak: FAILED after {soak.actions} actions: {e}\n"
              f"replay: scripts/soak.sh --seed {args.seed} --actions {soak.actions}", file=sys.stderr)
        return 1
    finally:
        soak.cleanup()
    last = soak.samples[-1] if soak.samples else {}
    peak = {k: max(s[k] for s in soak.samples) for k in LIMITS} if soak.samples else {}
    print(f"soak: passed, {soak.actions} actions {soak.counts}; last {last}, peak {peak}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
