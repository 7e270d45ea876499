"""A private X server and Wine prefix, the means to run Windows programs in them and watch what
they do, and what Solvarine's own tests and scripts need besides (photo files, stored settings,
window titles, pixel reads, Wine's view of a window's controls). The one harness of scripts/test,
the end-to-end tests, the demo, the benchmarks, scripts/latency and scripts/endurance.

Scripts in this folder import it as they are; the end-to-end tests find it through pytest.ini's
pythonpath. Everything polls with a time-out, and every process started is ended by its PID;
nothing touches the user's own display or ~/.wine.
"""

from __future__ import annotations

import contextlib
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time
from collections import namedtuple
from pathlib import Path
from typing import Iterator

from PIL import Image, ImageChops, ImageGrab

REPO = Path(__file__).resolve().parents[1]
BUILD = Path(os.environ.get("SOLVARINE_BUILD", REPO / "build/windows")).resolve()
SCR = Path(os.environ.get("SOLVARINE_SCR", BUILD / "Solvarine.scr")).resolve()
WINE_BIN = "/usr/lib/wine"
WINE_FONTS = r"Z:\usr\share\wine\fonts"
SCREEN_SIZE = (1024, 768)
SETTINGS_KEY = r"HKEY_CURRENT_USER\Software\solvar\Option"
SETTINGS_APP_KEY = r"HKEY_CURRENT_USER\Software\solvar"
SLIDESHOW_TITLES = ("Form1", "Form2", "Form4")
DIALOG_TITLE = "Solvarine Ver4.0 "
RED, GREEN, BLUE = (255, 0, 0), (0, 255, 0), (0, 0, 255)
# Seconds to wait for anything that is not broken: Wine under a busy 2-core machine can be ten
# times slower than on a quiet one, and a longer wait costs nothing while all goes well.
PATIENCE = 60


class Timeout(AssertionError):  # an assertion, so that pytest reports it as a failure
    pass


def wait_until(condition, what: str, timeout: float = PATIENCE, interval: float = 0.05):
    """Polls condition() until it gives a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise Timeout(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


def wine_path(path: os.PathLike | str) -> str:
    """The name Wine gives a Linux path: its Z: drive maps the Linux root."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


def end_process(process: subprocess.Popen, grace: float = 2.0) -> None:
    if process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(timeout=10)


def run_quietly(argv: list[str], env: dict[str, str], timeout: float,
                cwd: os.PathLike | str | None = None) -> tuple[int, str]:
    # Through a file, not a pipe: wineserver keeps a pipe open for seconds after the program ends.
    with tempfile.TemporaryFile() as out:
        process = subprocess.Popen(argv, env=env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out,
                                   stderr=subprocess.STDOUT)
        try:
            code = process.wait(timeout=timeout)
        finally:
            end_process(process, grace=0)
        out.seek(0)
        return code, out.read().decode("utf-8", "replace")


# --- the private X server and Wine prefix --------------------------------------------------------


# Xorg's dummy video driver gives Wine several monitors (Xvfb's all lie at 0,0 for Wine); each
# RandR output is one. Its frame buffer must hold the widest layout.
DUMMY_XORG_CONF = """\
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 2048 1024
  EndSubSection
EndSection
"""
SECOND_MONITOR = (800, 600)  # left of the primary
# Where X shows the two monitors (left, top, right, bottom), while both are on.
PRIMARY_AREA = (SECOND_MONITOR[0], 0, SECOND_MONITOR[0] + SCREEN_SIZE[0], SCREEN_SIZE[1])
SECOND_AREA = (0, 0, *SECOND_MONITOR)


class XServer:
    """A private X server on a display number that the server picks itself (so two runs never
    clash): Xvfb, or for two monitors Xorg with the dummy driver (run as root), the primary of
    SCREEN_SIZE and one of SECOND_MONITOR left of it."""

    def __init__(self, size: tuple[int, int] = SCREEN_SIZE, two_monitors: bool = False):
        self.folder = Path(tempfile.mkdtemp(prefix="solvarine-x-"))
        if two_monitors:
            (self.folder / "dummy.conf").write_text(DUMMY_XORG_CONF)
            argv = ["Xorg", "-config", str(self.folder / "dummy.conf"), "-logfile",
                    str(self.folder / "xorg.log"), "-novtswitch", "-sharevts"]
        else:
            argv = ["Xvfb", "-screen", "0", f"{size[0]}x{size[1]}x24"]
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            [*argv, "-displayfd", str(write_end), "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(write_end)
        with os.fdopen(read_end, "rb") as pipe:  # the server writes "N\n" once it is ready
            number = pipe.readline().strip() if select.select([pipe], [], [], 30)[0] else b""
        if not number:
            self.stop()
            raise Timeout(f"{argv[0]} did not report its display number")
        self.display = ":" + number.decode()
        if two_monitors:
            second = "{}x{}".format(*SECOND_MONITOR)
            try:
                self.xrandr("--output", "DUMMY0", "--mode", "{}x{}".format(*size), "--primary")
                self.xrandr("--addmode", "DUMMY1", second)
                self.xrandr("--output", "DUMMY1", "--mode", second, "--left-of", "DUMMY0")
            except BaseException:
                self.stop()
                raise

    def xrandr(self, *args: str) -> None:
        """Changes the monitors. A plain query follows: without it Wine may still read the old
        layout."""
        env = {**os.environ, "DISPLAY": self.display}
        for argv in (["xrandr", *args], ["xrandr"]):
            subprocess.run(argv, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                           check=True, timeout=30)

    def stop(self) -> None:
        end_process(self.process)
        shutil.rmtree(self.folder, ignore_errors=True)


def wine_environment(prefix: os.PathLike | str, display: str) -> dict[str, str]:
    return {**os.environ, "WINEPREFIX": str(prefix), "DISPLAY": display, "WINEDEBUG": "-all",
            "PATH": f"{WINE_BIN}:{os.environ.get('PATH', '/usr/bin:/bin')}"}


def create_prefix(prefix: os.PathLike | str, display: str, managed_by_wine: bool = True) -> None:
    """A fresh Wine prefix, ready for the screen saver. managed_by_wine: Wine places and focuses
    its windows itself, for an X server without a window manager."""
    env = wine_environment(prefix, display)

    def wine(*args: str) -> None:
        code, output = run_quietly(["wine64", *args], env, timeout=300)
        if code != 0:
            raise RuntimeError(f"wine64 {' '.join(args)} failed ({code}):\n{output}")

    boot_prefix(Path(prefix), env)
    # The first boot's services keep their database locked, so RpcSs never starts, and with it no
    # COM server in another process (the desktop shell's among them): boot again.
    stop_wineserver(prefix, display)
    subprocess.run(["wineserver", "-p60"], env=env, check=True, timeout=60)
    if managed_by_wine:
        # Wine then sets the X focus itself, and hides windows without the 2 s wait that Xvfb's
        # missing window manager costs otherwise.
        wine("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/t", "REG_SZ",
             "/d", "N", "/f")
    # Wine's own fonts (Marlett draws the caption buttons, Tahoma the dialogs' text) come with
    # Debian's fonts-wine in /usr/share/wine/fonts, where this Wine build does not look.
    wine("reg", "add", r"HKCU\Software\Wine\Fonts", "/v", "Path", "/t", "REG_SZ", "/d",
         WINE_FONTS, "/f")
    # Japanese text shows as boxes until Tahoma links to a CJK font.
    wine("reg", "add", r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink",
         "/v", "Tahoma", "/t", "REG_MULTI_SZ", "/d", "NotoSansCJK-Regular.ttc,Noto Sans CJK JP", "/f")


def boot_prefix(prefix: Path, env: dict[str, str], attempts: int = 2) -> None:
    """Runs wineboot in a new prefix, and once more from scratch if it fails: on the first run
    after installing Wine it has been seen to end with code 1 and no word, and then to pass."""
    failures = []
    for attempt in range(attempts):
        if attempt:
            shutil.rmtree(prefix, ignore_errors=True)
        prefix.mkdir(parents=True, exist_ok=True)
        # Keep the server up between programs, so that each start takes ~0.1 s instead of ~1 s.
        # It must come first: a second server for a prefix refuses to start.
        subprocess.run(["wineserver", "-p60"], env=env, check=True, timeout=60)
        # No Mono or Gecko: nothing here needs them, and their installers would ask. Wine's own
        # error lines stay on, so that a failure says why.
        code, output = run_quietly(["wine64", "wineboot", "-i"],
                                   {**env, "WINEDLLOVERRIDES": "mscoree=;mshtml=",
                                    "WINEDEBUG": "-all,err+all"}, timeout=300)
        if code == 0:
            return
        failures.append(f"wine64 wineboot -i failed ({code}):\n{output}")
        print(failures[-1], flush=True)
        stop_wineserver(prefix, env["DISPLAY"])
    raise RuntimeError("\n".join(failures))


def stop_wineserver(prefix: os.PathLike | str, display: str) -> None:
    """Ends every Wine process of this prefix (and only of this prefix)."""
    env = wine_environment(prefix, display)
    for flag in ("-k", "-w"):
        subprocess.run(["wineserver", flag], env=env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)


class PrivateWine:
    """An X server (see XServer) and a prefix in a temporary folder, both gone on close(). With a
    display given, the programs run there instead (the user's own screen, which has a window
    manager)."""

    def __init__(self, display: str | None = None, two_monitors: bool = False):
        self.folder = Path(tempfile.mkdtemp(prefix="solvarine-wine-"))
        self.prefix = self.folder / "prefix"
        self.server = None if display else XServer(two_monitors=two_monitors)
        self.display = display or self.server.display
        try:
            create_prefix(self.prefix, self.display, managed_by_wine=display is None)
        except BaseException:
            self.close()
            raise

    def close(self) -> None:
        if self.prefix.exists():
            stop_wineserver(self.prefix, self.display)
        if self.server:
            self.server.stop()
        shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self) -> PrivateWine:
        return self

    def __exit__(self, *_) -> None:
        self.close()


@contextlib.contextmanager
def session() -> Iterator[tuple[Path, str]]:
    """(prefix, display): those named by SOLVARINE_WINEPREFIX and SOLVARINE_DISPLAY, as scripts/test
    hands them on, used and left as they are; else a private pair, removed at the end."""
    given = os.environ.get("SOLVARINE_WINEPREFIX"), os.environ.get("SOLVARINE_DISPLAY")
    if all(given):
        yield Path(given[0]), given[1]
        return
    with PrivateWine() as made:
        yield made.prefix, made.display


@contextlib.contextmanager
def two_monitors() -> Iterator[tuple[XServer, Wine, Screen]]:
    """A private Xorg with two monitors (see XServer) and a prefix of its own, both removed at the
    end, after every program started through the Wine given."""
    with PrivateWine(two_monitors=True) as made:
        wine = Wine(made.prefix, made.display)
        try:
            yield made.server, wine, Screen(made.display)
        finally:
            wine.end_all()


# --- X-side views and input (xdotool, screen reads) ---------------------------------------------


def _ere_literal(text: str) -> str:
    """Escapes text for the POSIX extended regular expressions that xdotool takes."""
    return re.sub(r"([.\[\]{}()\\*+?^$|])", r"\\\1", text)


class Screen:
    """The X display as a user sees it: windows by title, pixels, keyboard and mouse."""

    def __init__(self, display: str):
        self.display = display
        self.env = {**os.environ, "DISPLAY": display}

    def _xdotool(self, *args: str, check: bool = True) -> subprocess.CompletedProcess:
        return subprocess.run(["xdotool", *args], env=self.env, stdin=subprocess.DEVNULL,
                              capture_output=True, encoding="utf-8", errors="replace", timeout=30,
                              check=check)

    def windows(self, title: str, visible_only: bool = True) -> list[int]:
        """X windows whose title is exactly title (mapped ones only, unless told otherwise)."""
        args = ["search"] + (["--onlyvisible"] if visible_only else [])
        result = self._xdotool(*args, "--name", f"^{_ere_literal(title)}$", check=False)
        # xdotool matches without regard to case: keep the exact titles only.
        return [w for w in map(int, result.stdout.split())
                if self._xdotool("getwindowname", str(w), check=False).stdout == title + "\n"]

    def windows_of(self, pid: int) -> list[str]:
        return self._xdotool("search", "--pid", str(pid), check=False).stdout.split()

    def wait_window(self, title: str, timeout: float = PATIENCE) -> int:
        """Waits until a mapped window titled exactly title exists and returns its X id."""
        return wait_until(lambda: self.windows(title), f"a window titled {title!r}", timeout)[0]

    def wait_focus(self, *windows: int, timeout: float = PATIENCE) -> None:
        """Waits until one of the windows has the keyboard focus: only then do keys reach it."""
        def focus_on_one():
            result = self._xdotool("getwindowfocus", "-f", check=False)
            return result.returncode == 0 and result.stdout.strip() in map(str, windows)

        wait_until(focus_on_one, f"the keyboard focus on one of {windows}", timeout)

    def geometry(self, window: int) -> tuple[int, int, int, int]:
        """(x, y, width, height) of a window on the screen."""
        out = self._xdotool("getwindowgeometry", "--shell", str(window)).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def screenshot(self) -> Image.Image:
        return ImageGrab.grab(xdisplay=self.display).convert("RGB")

    def wait_still(self, timeout: float = PATIENCE, gap: float = 0.3) -> Image.Image:
        """Waits until the screen stops changing (two reads gap seconds apart agree)."""
        last = [self.screenshot().tobytes()]

        def unchanged():
            shot = self.screenshot()
            same, last[0] = shot.tobytes() == last[0], shot.tobytes()
            return shot if same else None

        return wait_until(unchanged, "a still screen", timeout, interval=gap)

    def key(self, *keys: str) -> None:  # through XTEST, as a keyboard: to the focused window
        self._xdotool("key", "--delay", "20", *keys)

    def hold_key(self, key: str, down: bool) -> None:
        self._xdotool("keydown" if down else "keyup", key)

    def type_text(self, text: str) -> None:
        self._xdotool("type", "--delay", "15", text)

    def click(self, x: int, y: int, button: int = 1) -> None:
        # No --sync: it waits for a motion event, which never comes when the pointer is already
        # there. The server takes the move before the click anyway.
        self._xdotool("mousemove", str(x), str(y), "click", str(button))


# --- Windows programs and the registry ------------------------------------------------------------


class WineProcess:
    """A Windows program started under wine64; its PID is the Windows process itself."""

    def __init__(self, argv: list[str], env: dict[str, str], cwd: os.PathLike | str):
        self.argv = argv
        self._log = tempfile.TemporaryFile()
        self.process = subprocess.Popen(["wine64", *argv], env=env, cwd=cwd,
                                        stdin=subprocess.DEVNULL, stdout=self._log,
                                        stderr=subprocess.STDOUT, start_new_session=True)
        self.pid = self.process.pid

    def running(self) -> bool:
        return self.process.poll() is None

    def wait_exit(self, timeout: float = PATIENCE) -> int:
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Timeout(f"{self.argv} still running after {timeout:g} s") from None

    def output(self) -> str:
        self._log.seek(0)
        return self._log.read().decode("utf-8", "replace")

    def kill(self) -> None:
        if self.running():
            os.kill(self.process.pid, signal.SIGKILL)
        self.process.wait(timeout=30)
        self._log.close()


class Wine:
    """Runs programs in one Wine prefix on one display, and reads and writes its registry.
    end_all() ends every process started through this object; call it even when a test fails."""

    def __init__(self, prefix: os.PathLike | str, display: str):
        self.prefix = Path(prefix)
        self.display = display
        self.env = wine_environment(prefix, display)
        self.started: list[WineProcess] = []
        self.scratch = Path(tempfile.mkdtemp(prefix="solvarine-wine-run-"))

    def start(self, program: os.PathLike | str, *args: str,
              cwd: os.PathLike | str | None = None) -> WineProcess:
        process = WineProcess([str(program), *args], self.env, cwd or self.scratch)
        self.started.append(process)
        return process

    def run(self, program: os.PathLike | str, *args: str, cwd: os.PathLike | str | None = None,
            timeout: float = 3 * PATIENCE) -> tuple[int, str]:
        return run_quietly(["wine64", str(program), *args], self.env, timeout, cwd or self.scratch)

    def restart_shell(self) -> None:
        """Ends the desktop (Explorer) and RpcSs, and starts RpcSs again: the next program with a
        window starts a desktop whose shell other processes reach through COM. A desktop started
        while the services boot never registers its shell windows, and Wine 8's RpcSs hands out
        the first registration of a class even after its process has ended."""
        for image in ("explorer.exe", "rpcss.exe"):
            self.run("taskkill", "/f", "/im", image)

        def rpcss_running() -> bool:
            self.run("sc", "start", "rpcss")  # refused while the services boot
            return re.search(r"STATE\s*:\s*4\b", self.run("sc", "query", "rpcss")[1]) is not None

        wait_until(rpcss_running, "RpcSs to run", interval=0.5)

    def end_all(self) -> None:
        """Kills every process started here that is still running (by PID), and waits until their
        windows are gone, so that what comes next cannot mistake them for its own."""
        stubborn = False
        for process in self.started:
            try:
                process.kill()
            except subprocess.TimeoutExpired:
                stubborn = True
        if stubborn:
            stop_wineserver(self.prefix, self.display)
        pids = [process.pid for process in self.started]
        self.started.clear()
        screen = Screen(self.display)
        try:
            wait_until(lambda: not any(screen.windows_of(pid) for pid in pids),
                       "the windows of ended programs to go")
        finally:
            shutil.rmtree(self.scratch, ignore_errors=True)

    # The settings live as REG_SZ values under HKCU\Software\solvar\Option.

    def reset_settings(self, values: dict[str, str] | None = None) -> None:
        """Removes every stored setting, then stores the given ones as REG_SZ values."""
        lines = ["Windows Registry Editor Version 5.00", "", f"[-{SETTINGS_APP_KEY}]"]
        if values is not None:
            lines += ["", f"[{SETTINGS_KEY}]"] + [f"{_reg_quote(n)}={_reg_quote(v)}"
                                                 for n, v in values.items()]
        file = self.scratch / "import.reg"
        file.write_bytes(("\r\n".join(lines) + "\r\n").encode("utf-16"))  # with a BOM, as regedit
        code, output = self.run("reg", "import", wine_path(file))
        if code != 0:
            raise RuntimeError(f"reg import failed ({code}): {output}\n{lines}")

    def settings(self, key: str = SETTINGS_KEY) -> dict[str, str] | None:
        """The values of a registry key (None when it does not exist). Non-text values keep their
        .reg notation, e.g. 'dword:00000001', so that a wrong type shows as a wrong value."""
        file = self.scratch / "export.reg"
        file.unlink(missing_ok=True)
        code, output = self.run("reg", "export", key, wine_path(file), "/y")
        if code != 0:
            if "Unable to find" in output:
                return None
            raise RuntimeError(f"reg export failed ({code}): {output}")
        return _parse_reg_export(file.read_bytes().decode("utf-16"))


def _reg_quote(text: str) -> str:
    if any(ord(c) < 32 for c in text):
        raise ValueError(f"control characters cannot be stored through a .reg file: {text!r}")
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def _parse_reg_export(text: str) -> dict[str, str]:
    """Values of the single key in a regedit export, {name: text}."""
    logical = re.sub(r"\\\r?\n\s*", "", text)  # hex data continues over lines ending in '\'
    values = {}
    for name, data in re.findall(r'^"((?:[^"\\]|\\.)*)"=(.*?)\r?$', logical, re.MULTILINE):
        if len(data) >= 2 and data[0] == data[-1] == '"':
            data = re.sub(r"\\(.)", r"\1", data[1:-1])
        values[re.sub(r"\\(.)", r"\1", name)] = data
    return values


# --- pixels, by Pillow's own loops (a Python call per pixel takes a second per screen) -----------


def mask_of(shot: Image.Image, colour: tuple[int, int, int], tolerance: int = 0) -> Image.Image:
    """255 where every channel of the pixel is within tolerance of colour, else 0."""
    bands = [band.point(lambda v, c=c: 255 if abs(v - c) <= tolerance else 0)
             for band, c in zip(shot.convert("RGB").split(), colour)]
    return ImageChops.darker(ImageChops.darker(bands[0], bands[1]), bands[2])


def box_of(shot: Image.Image, colour: tuple[int, int, int],
           tolerance: int = 0) -> tuple[int, int, int, int] | None:
    """(left, top, right, bottom) of the pixels of that colour, or None."""
    return mask_of(shot, colour, tolerance).getbbox()


def colours(shot: Image.Image) -> set:
    return {colour for _, colour in shot.getcolors(shot.width * shot.height)}


# --- Solvarine: photos, stored settings, its windows and controls ------------------------------


def make_photo(path: Path, size: tuple[int, int], colour=RED) -> Path:
    """A solid-colour photo; the file format follows the extension."""
    path.parent.mkdir(parents=True, exist_ok=True)
    Image.new("RGB", size, colour).save(path, quality=95)  # PNG, BMP and GIF ignore the quality
    return path


def slideshow_settings(folder: Path, photo: str, **overrides: str) -> dict[str, str]:
    """Stored settings pointing at photo in folder, as the dialog's OK leaves them."""
    return {"Speed": "2", "chokkei": "400", "Filename": wine_path(folder / photo),
            "FilenameS": photo, "Fileindex": "0", "Directory": wine_path(folder), "Haikei": "0",
            **overrides}


@contextlib.contextmanager
def desktop(screen: Screen, folder: Path, *pictures: tuple[Image.Image, int]) -> Iterator[None]:
    """The user's desktop under the screen saver: each picture in an X window of its own, its
    top-left corner at (left, 0) (Xvfb's root background does not show in screen reads, a window
    does). They show before this yields; at its end their windows are gone."""
    shown, names = [], [f"desktop{number}.png" for number in range(len(pictures))]
    try:
        for name, (picture, left) in zip(names, pictures):
            picture.save(folder / name)
            shown.append(subprocess.Popen(
                ["display", "-borderwidth", "0", "-geometry", f"+{left}+0", "-immutable",
                 str(folder / name)], env=screen.env, stdin=subprocess.DEVNULL,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True))

        def all_shown() -> bool:
            shot = screen.screenshot()
            return all(shot.crop((left, 0, left + picture.width, picture.height)).tobytes()
                       == picture.tobytes() for picture, left in pictures)

        wait_until(all_shown, "the desktop")
        yield
    finally:
        for process in shown:
            end_process(process)
        wait_until(lambda: not any(screen.windows(f"ImageMagick: {name}", visible_only=False)
                                   for name in names), "the desktop to go")


class PhotoWatch:
    """A slideshow's photos, told apart by their colours (the palette, in the order they are
    expected): in the order they first show, each with its box of then, before a later photo can
    cover part of it. Read often: seen() polls."""

    def __init__(self, screen: Screen, palette: list[tuple[int, int, int]]):
        self.screen, self.palette = screen, palette
        self.order: list[tuple[int, int, int]] = []
        self.boxes: dict[tuple[int, int, int], tuple[int, int, int, int]] = {}
        self.arrivals: list[float] = []

    def seen(self) -> int:
        shot = self.screen.screenshot()
        new = sorted(colours(shot) & set(self.palette) - set(self.order), key=self.palette.index)
        if len(new) == 1:  # the newest photo, not yet covered by any other
            self.boxes[new[0]] = box_of(shot, new[0])
        if new:  # two between reads: their order gets the benefit of the doubt, their boxes none
            self.order.extend(new)
            self.arrivals.append(time.monotonic())
        return len(self.order)

    def wait_paused(self) -> None:
        """Waits until the screen stays the same for three times the slowest tick seen since the
        last pause (at least three seconds): a slow decode is no pause."""
        gaps = [b - a for a, b in zip(self.arrivals, self.arrivals[1:])]
        quiet = 3 * max([1.0, *gaps])
        last = [self.screen.screenshot().tobytes(), time.monotonic()]

        def still() -> bool:
            shot = self.screen.screenshot().tobytes()
            if shot != last[0]:
                last[:] = [shot, time.monotonic()]
            return time.monotonic() - last[1] >= quiet

        wait_until(still, "the slideshow to pause", 2 * PATIENCE, interval=0.1)
        self.arrivals.clear()


def inside(box: tuple[int, int, int, int], area: tuple[int, int, int, int]) -> bool:
    return area[0] <= box[0] and area[1] <= box[1] and box[2] <= area[2] and box[3] <= area[3]


def focus_slideshow(screen: Screen) -> None:
    """Waits until a slideshow window has the keyboard focus: a key or click sent before may be
    lost."""
    screen.wait_focus(*[w for title in SLIDESHOW_TITLES[1:] for w in screen.windows(title)])


Control = namedtuple("Control", "kind text x y width height visible checked")


def controls(wine: Wine, title: str) -> list[Control]:
    """The window titled exactly title, then its child controls, as Wine sees them (the
    dump_window tool beside the screen saver); an empty list when there is no such window."""
    code, output = wine.run(SCR.parent / "dump_window.exe", title)
    if code not in (0, 1):
        raise RuntimeError(f"dump_window failed ({code}): {output}")
    rows = [line.split("\t") for line in output.splitlines()] if code == 0 else []
    return [Control(r[0], r[1], *map(int, r[2:])) for r in rows if len(r) == 8]


def wait_controls(wine: Wine, title: str, timeout: float = PATIENCE) -> list[Control]:
    """The window and its controls once it is shown (its controls are filled in before that)."""
    return wait_until(lambda: (found := controls(wine, title)) and found[0].visible and found,
                      f"the window {title!r} to show", timeout)


def texts(found: list[Control], kind: str) -> list[str]:
    return [c.text for c in found[1:] if c.kind == kind]


def centre(c: Control) -> tuple[int, int]:
    return c.x + c.width // 2, c.y + c.height // 2


if __name__ == "__main__":
    # privatewine.py run COMMAND...: the command runs with DISPLAY and WINEPREFIX of a private Xvfb
    # and prefix (and Wine on PATH), which are removed when it ends, or of the given ones.
    import sys

    if len(sys.argv) < 3 or sys.argv[1] != "run":
        sys.exit("usage: privatewine.py run COMMAND [ARGUMENT...]")
    with session() as (prefix, display):
        env = {**wine_environment(prefix, display), "SOLVARINE_PRIVATE_WINE": "1"}
        sys.exit(subprocess.run(sys.argv[2:], env=env).returncode)
