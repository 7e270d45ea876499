"""Runs Windows programs for real under Wine in a private X server, and looks at what they do.
Everything polls with a time-out, and every process started is ended by its PID."""

from __future__ import annotations

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

from PIL import Image, ImageGrab

WINE_BIN = "/usr/lib/wine"
SCREEN_SIZE = (1024, 768)
SETTINGS_KEY = r"HKEY_CURRENT_USER\Software\solvar\Option"
SETTINGS_APP_KEY = r"HKEY_CURRENT_USER\Software\solvar"
SLIDESHOW_TITLES = ("Form1", "Form2", "Form4")
DIALOG_TITLE = "Solvarine Ver4.0 "
MESSAGE = "設定画面で表示画像を設定してください"
CRASH_DIALOG = "Program Error"  # Wine's crash dialog
RED, GREEN, BLUE, BLACK, WHITE = (255, 0, 0), (0, 255, 0), (0, 0, 255), (0, 0, 0), (255, 255, 255)


class Timeout(AssertionError):  # an assertion, so that pytest reports it as a failure
    pass


def wait_until(condition, timeout: float, what: str, interval: float = 0.05):
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


def _end_process(process: subprocess.Popen, grace: float = 2.0) -> None:
    if process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(timeout=10)


# --- X server ----------------------------------------------------------------------------------


class XServer:
    """A private Xvfb on a display number that the server picks itself (so two runs never clash)."""

    def __init__(self, size: tuple[int, int] = SCREEN_SIZE):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{size[0]}x{size[1]}x24",
             "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,), stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(write_end)
        with os.fdopen(read_end, "rb") as pipe:  # Xvfb writes "N\n" at once when it is ready
            number = pipe.readline().strip() if select.select([pipe], [], [], 30)[0] else b""
        if not number:
            self.stop()
            raise Timeout("Xvfb did not report its display number")
        self.display = ":" + number.decode()

    def stop(self) -> None:
        _end_process(self.process)


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

    def wait_window(self, title: str, timeout: float = 30) -> int:
        """Waits until a mapped window titled exactly title exists and returns its X id."""
        found = wait_until(lambda: self.windows(title), timeout, f"a window titled {title!r}")
        return found[0]

    def wait_no_window(self, title: str, timeout: float = 10) -> None:
        wait_until(lambda: not self.windows(title, visible_only=False), timeout,
                   f"no window titled {title!r}")

    def wait_focus(self, *windows: int, timeout: float = 10) -> None:
        """Waits until one of the windows has the keyboard focus: only then do keys reach it."""
        def focus_on_one():
            result = self._xdotool("getwindowfocus", "-f", check=False)
            return result.returncode == 0 and result.stdout.strip() in map(str, windows)

        wait_until(focus_on_one, timeout, f"the keyboard focus on one of {windows}")

    def geometry(self, window: int) -> tuple[int, int, int, int]:
        """(x, y, width, height) of a window on the screen."""
        out = self._xdotool("getwindowgeometry", "--shell", str(window)).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def screenshot(self) -> Image.Image:
        return ImageGrab.grab(xdisplay=self.display).convert("RGB")

    def wait_still(self, timeout: float = 10, gap: float = 0.3) -> Image.Image:
        """Waits until the screen stops changing (two reads gap seconds apart agree)."""
        last = [self.screenshot().tobytes()]

        def unchanged():
            shot = self.screenshot()
            same, last[0] = shot.tobytes() == last[0], shot.tobytes()
            return shot if same else None

        return wait_until(unchanged, timeout, "a still screen", interval=gap)

    def key(self, *keys: str) -> None:  # through XTEST, as a keyboard: to the focused window
        self._xdotool("key", "--delay", "20", *keys)

    def type_text(self, text: str) -> None:
        self._xdotool("type", "--delay", "15", text)

    def click(self, x: int, y: int, button: int = 1) -> None:
        self._xdotool("mousemove", "--sync", str(x), str(y), "click", str(button))


class Desktop:
    """A full-screen X window showing an image: the user's desktop under the screen saver (Xvfb's
    root background does not show in screen reads, an ordinary window does)."""

    TITLE = "solvarine-test-desktop"

    def __init__(self, screen: Screen, image: Image.Image, folder: Path):
        self.screen = screen
        self.image = image.convert("RGB")
        picture = folder / "desktop.png"
        self.image.save(picture)
        self.process = subprocess.Popen(
            ["display", "-borderwidth", "0", "-geometry", "+0+0", "-immutable", "-title", self.TITLE,
             str(picture)],
            env=screen.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        try:
            wait_until(lambda: screen.screenshot().tobytes() == self.image.tobytes(), 15,
                       "the desktop picture on the screen")
        except BaseException:
            self.close()
            raise

    def close(self) -> None:
        _end_process(self.process)


def quadrant_desktop(size: tuple[int, int] = SCREEN_SIZE) -> Image.Image:
    """A desktop picture whose four quarters differ, so that a copy of it shows where it landed."""
    (w, h), image = size, Image.new("RGB", size, (220, 200, 40))
    image.paste((200, 40, 40), (0, 0, w // 2, h // 2))
    image.paste((40, 160, 40), (w // 2, 0, w, h // 2))
    image.paste((40, 60, 200), (0, h // 2, w // 2, h))
    return image


# --- photos ------------------------------------------------------------------------------------

def make_photo(path: os.PathLike | str, size: tuple[int, int],
               colour: tuple[int, int, int] = (255, 0, 0)) -> Path:
    """Writes a solid-colour photo; the file format follows the extension (any case)."""
    path = Path(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    Image.new("RGB", size, colour).save(path, quality=95)  # PNG, BMP and GIF ignore the quality
    return path


def slideshow_settings(folder: Path, photo: str = "photo1.jpg", **overrides: str) -> dict[str, str]:
    """Stored settings pointing at photo in folder, as the dialog's OK leaves them."""
    return {"Speed": "2", "chokkei": "400", "Filename": wine_path(folder / photo), "FilenameS": photo,
            "Fileindex": "0", "Directory": wine_path(folder), "Haikei": "0", **overrides}


# --- Wine ----------------------------------------------------------------------------------------


def wine_environment(prefix: os.PathLike | str, display: str) -> dict[str, str]:
    return {**os.environ, "WINEPREFIX": str(prefix), "DISPLAY": display, "WINEDEBUG": "-all",
            "PATH": f"{WINE_BIN}:{os.environ.get('PATH', '/usr/bin:/bin')}"}


def create_prefix(prefix: os.PathLike | str, display: str, managed_by_wine: bool = True) -> None:
    """A fresh Wine prefix set up for the tests (scripts/test does the same in shell).
    managed_by_wine: Wine places and focuses its windows, for an X server with no window manager."""
    env = wine_environment(prefix, display)

    def wine(*args: str, extra_env: dict[str, str] | None = None) -> None:
        code, output = _run_quietly(["wine64", *args], {**env, **(extra_env or {})}, timeout=300)
        if code != 0:
            raise RuntimeError(f"wine64 {' '.join(args)} failed ({code}):\n{output}")

    # Keep the server up between the tests' programs, so that each start takes ~0.1 s instead of
    # ~1 s. It must come first: a second server for a prefix refuses to start.
    subprocess.run(["wineserver", "-p60"], env=env, check=True, timeout=60)
    # No Mono or Gecko: nothing here needs them, and their installers would ask.
    wine("wineboot", "-i", extra_env={"WINEDLLOVERRIDES": "mscoree=;mshtml="})
    if managed_by_wine:
        # Wine then sets the X focus itself, and hides windows without the 2 s wait that Xvfb's
        # missing window manager costs otherwise.
        wine("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/t", "REG_SZ",
             "/d", "N", "/f")
    # Japanese text shows as boxes until Tahoma links to a CJK font.
    wine("reg", "add", r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink",
         "/v", "Tahoma", "/t", "REG_MULTI_SZ", "/d", "NotoSansCJK-Regular.ttc,Noto Sans CJK JP", "/f")


def stop_wineserver(prefix: os.PathLike | str, display: str) -> None:
    """Ends every Wine process of this prefix (and only of this prefix)."""
    subprocess.run(["wineserver", "-k"], env=wine_environment(prefix, display),
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=60)


def _run_quietly(argv: list[str], env: dict[str, str], timeout: float,
                 cwd: os.PathLike | str | None = None) -> tuple[int, str]:
    # Through a file, not a pipe: wineserver keeps a pipe open for seconds after the program ends.
    with tempfile.TemporaryFile() as out:
        process = subprocess.Popen(argv, env=env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out,
                                   stderr=subprocess.STDOUT)
        try:
            code = process.wait(timeout=timeout)
        finally:
            _end_process(process, grace=0)
        out.seek(0)
        return code, out.read().decode("utf-8", "replace")


class WineProcess:
    """A Windows program started under wine64; its PID is the Windows process itself."""

    def __init__(self, argv: list[str], env: dict[str, str], cwd: os.PathLike | str):
        self.argv = argv
        self._log = tempfile.TemporaryFile()
        self.process = subprocess.Popen(["wine64", *argv], env=env, cwd=cwd,
                                        stdin=subprocess.DEVNULL, stdout=self._log,
                                        stderr=subprocess.STDOUT, start_new_session=True)

    def running(self) -> bool:
        return self.process.poll() is None

    def wait_exit(self, timeout: float = 15) -> int:
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

    def __init__(self, prefix: os.PathLike | str, display: str, tools_dir: os.PathLike | str):
        self.prefix = Path(prefix)
        self.display = display
        self.tools_dir = Path(tools_dir)
        self.env = wine_environment(prefix, display)
        self.started: list[WineProcess] = []
        self.scratch = Path(tempfile.mkdtemp(prefix="solvarine-e2e-wine-"))

    def start(self, program: os.PathLike | str, *args: str,
              cwd: os.PathLike | str | None = None) -> WineProcess:
        process = WineProcess([str(program), *args], self.env, cwd or self.scratch)
        self.started.append(process)
        return process

    def run(self, program: os.PathLike | str, *args: str, cwd: os.PathLike | str | None = None,
            timeout: float = 60) -> tuple[int, str]:
        return _run_quietly(["wine64", str(program), *args], self.env, timeout,
                            cwd or self.scratch)

    def tool(self, name: str) -> Path:
        assert (self.tools_dir / f"{name}.exe").is_file(), f"{name}.exe missing: build the tools"
        return self.tools_dir / f"{name}.exe"

    def end_all(self) -> None:
        """Kills every process started here that is still running (by PID), and waits until their
        windows are gone, so that the next test cannot mistake them for its own."""
        stubborn = False
        for process in self.started:
            try:
                process.kill()
            except subprocess.TimeoutExpired:
                stubborn = True
        if stubborn:
            stop_wineserver(self.prefix, self.display)
        pids = [process.process.pid for process in self.started]
        self.started.clear()
        try:
            wait_until(lambda: not any(_x_windows_of(pid, self.env) for pid in pids), 15,
                       "the windows of ended programs to go")
        finally:
            shutil.rmtree(self.scratch, ignore_errors=True)

    # registry: the settings live as REG_SZ values under HKCU\Software\solvar\Option

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

    def settings(self) -> dict[str, str] | None:
        """The stored settings (None when the key does not exist). Non-text values keep their
        .reg notation, e.g. 'dword:00000001', so that a test sees a wrong type as a wrong value."""
        file = self.scratch / "export.reg"
        file.unlink(missing_ok=True)
        code, output = self.run("reg", "export", SETTINGS_KEY, wine_path(file), "/y")
        if code != 0:
            if "Unable to find" in output:
                return None
            raise RuntimeError(f"reg export failed ({code}): {output}")
        return parse_reg_export(file.read_bytes().decode("utf-16"))


def _x_windows_of(pid: int, env: dict[str, str]) -> list[str]:
    result = subprocess.run(["xdotool", "search", "--pid", str(pid)], env=env,
                            stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=30)
    return result.stdout.split()


def _reg_quote(text: str) -> str:
    if any(ord(c) < 32 for c in text):
        raise ValueError(f"control characters cannot be stored through a .reg file: {text!r}")
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def parse_reg_export(text: str) -> dict[str, str]:
    """Values of the single key in a regedit export, {name: text}."""
    logical = re.sub(r"\\\r?\n\s*", "", text)  # hex data continues over lines ending in '\'
    values = {}
    for name, data in re.findall(r'^"((?:[^"\\]|\\.)*)"=(.*?)\r?$', logical, re.MULTILINE):
        if len(data) >= 2 and data[0] == data[-1] == '"':
            data = re.sub(r"\\(.)", r"\1", data[1:-1])
        values[re.sub(r"\\(.)", r"\1", name)] = data
    return values


# --- Wine's own view of a window and its controls (the dump_window tool) --------------------------


class Control(namedtuple("Control", "kind text x y width height visible checked position")):
    @property
    def centre(self) -> tuple[int, int]:
        return self.x + self.width // 2, self.y + self.height // 2


def controls(wine: Wine, title: str) -> list[Control] | None:
    """The window titled exactly title (first) and its child controls; None when there is none."""
    code, output = wine.run(wine.tool("dump_window"), title)
    if code == 1:
        return None
    if code != 0:
        raise RuntimeError(f"dump_window failed ({code}): {output}")
    lines = [line.split("\t") for line in output.splitlines()]
    return [Control(f[0], f[1], *map(int, f[2:])) for f in lines if len(f) == 9]


def wait_controls(wine: Wine, title: str, timeout: float = 20) -> list[Control]:
    """The window and its controls once it is shown (its controls are filled in before that)."""
    def shown():
        found = controls(wine, title)
        return found if found and found[0].visible else None

    return wait_until(shown, timeout, f"the window {title!r} to show")


def control(found: list[Control], kind: str, text: str | None = None, index: int = 0) -> Control:
    return [c for c in found[1:] if c.kind == kind and (text is None or c.text == text)][index]


def statics(found: list[Control]) -> list[str]:
    return [c.text for c in found[1:] if c.kind == "Static"]


def preview_box(found: list[Control]) -> Control:
    """The dialog's preview: the biggest visible child that is no standard control."""
    boxes = [c for c in found[1:] if c.visible and c.kind not in ("Button", "Static", "ScrollBar")]
    return max(boxes, key=lambda c: c.width * c.height)


def colours(shot: Image.Image) -> set:
    return {colour for _, colour in shot.getcolors(1 << 20)}  # more than the screen's pixels


def message_box_text(wine: Wine) -> str | None:
    found = controls(wine, "Solvarine")
    return " ".join(t for t in statics(found) if t) if found else None


def expect_message_then_end(wine: Wine, screen: Screen, run: WineProcess, stored_index: str) -> None:
    """The one message box with only OK; OK ends the program and the position stays stored."""
    assert wait_until(lambda: message_box_text(wine), 30, "the message box") == MESSAGE
    assert [c.text for c in wait_controls(wine, "Solvarine")[1:] if c.kind == "Button"] == ["OK"]
    screen.wait_focus(screen.wait_window("Solvarine"))
    screen.key("Return")
    assert run.wait_exit(15) == 0
    assert wine.settings().get("Fileindex") == stored_index
