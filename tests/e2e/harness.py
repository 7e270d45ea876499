"""Runs Windows programs for real under Wine in a private X server, and looks at what they do.

Everything here polls with a time-out instead of sleeping for a fixed time, and every process it
starts is remembered so that it can be ended by its PID.
"""

from __future__ import annotations

import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

from PIL import Image, ImageGrab

WINE_BIN = "/usr/lib/wine"
SCREEN_SIZE = (1024, 768)
SETTINGS_KEY = r"HKEY_CURRENT_USER\Software\solvar\Option"
SETTINGS_APP_KEY = r"HKEY_CURRENT_USER\Software\solvar"


class Timeout(AssertionError):
    """A condition did not come true in time; an assertion, so that pytest reports it as a failure."""


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
        try:
            self.process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{size[0]}x{size[1]}x24",
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL, start_new_session=True)
            os.close(write_end)
            write_end = -1
            number = b""
            deadline = time.monotonic() + 30
            while not number.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                if remaining <= 0 or not select.select([read_end], [], [], remaining)[0]:
                    raise Timeout("Xvfb did not report its display number")
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise RuntimeError("Xvfb ended before it reported its display number")
                number += chunk
        except BaseException:
            if hasattr(self, "process"):
                _end_process(self.process)
            raise
        finally:
            os.close(read_end)
            if write_end >= 0:
                os.close(write_end)
        self.display = ":" + number.decode().strip()

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
        return [window for window in map(int, result.stdout.split()) if self.title(window) == title]

    def title(self, window: int) -> str | None:
        result = self._xdotool("getwindowname", str(window), check=False)
        return result.stdout.removesuffix("\n") if result.returncode == 0 else None

    def wait_window(self, title: str, timeout: float = 30) -> int:
        """Waits until a mapped window titled exactly title exists and returns its X id."""
        found = wait_until(lambda: self.windows(title), timeout, f"a window titled {title!r}")
        return found[0]

    def wait_no_window(self, title: str, timeout: float = 10) -> None:
        wait_until(lambda: not self.windows(title, visible_only=False), timeout,
                   f"no window titled {title!r}")

    def focused(self) -> int | None:
        """The X window that has the keyboard focus."""
        result = self._xdotool("getwindowfocus", "-f", check=False)
        return int(result.stdout) if result.returncode == 0 and result.stdout.strip() else None

    def wait_focus(self, *windows: int, timeout: float = 10) -> int:
        """Waits until one of the windows has the keyboard focus: only then do keys reach it."""
        def focus_on_one():
            window = self.focused()
            return window if window in windows else None

        return wait_until(focus_on_one, timeout, f"the keyboard focus on one of {windows}")

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
            same = shot.tobytes() == last[0]
            last[0] = shot.tobytes()
            return shot if same else None

        return wait_until(unchanged, timeout, "a still screen", interval=gap)

    def key(self, *keys: str) -> None:
        """Presses keys through XTEST, as a keyboard would: they go to the focused window."""
        self._xdotool("key", "--delay", "20", *keys)

    def type_text(self, text: str) -> None:
        """Types text key by key into the focused window."""
        self._xdotool("type", "--delay", "15", text)

    def click(self, x: int, y: int, button: int = 1) -> None:
        self._xdotool("mousemove", "--sync", str(x), str(y), "click", str(button))

    def move_mouse(self, x: int, y: int) -> None:
        self._xdotool("mousemove", "--sync", str(x), str(y))


class Desktop:
    """A full-screen X window showing an image: the user's desktop under the screen saver.

    (Xvfb's root background does not show in screen reads, an ordinary window does.)
    """

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
            screen.wait_window(self.TITLE)
            wait_until(self.fully_visible, 15, "the desktop picture on the screen")
        except BaseException:
            self.close()
            raise

    def fully_visible(self) -> bool:
        return self.screen.screenshot().tobytes() == self.image.tobytes()

    def close(self) -> None:
        _end_process(self.process)


def quadrant_desktop(size: tuple[int, int] = SCREEN_SIZE) -> Image.Image:
    """A desktop picture whose four quarters differ, so that a copy of it shows where it landed."""
    image = Image.new("RGB", size)
    w, h = size
    for (x, y), colour in {(0, 0): (200, 40, 40), (1, 0): (40, 160, 40), (0, 1): (40, 60, 200),
                           (1, 1): (220, 200, 40)}.items():
        image.paste(colour, (x * w // 2, y * h // 2, (x + 1) * w // 2, (y + 1) * h // 2))
    return image


# --- photos ------------------------------------------------------------------------------------

_FORMATS = {".jpg": "JPEG", ".jpeg": "JPEG", ".bmp": "BMP", ".gif": "GIF", ".png": "PNG"}


def make_photo(path: os.PathLike | str, size: tuple[int, int],
               colour: tuple[int, int, int] = (255, 0, 0)) -> Path:
    """Writes a solid-colour photo; the file format follows the extension (any case)."""
    path = Path(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    image = Image.new("RGB", size, colour)
    image_format = _FORMATS[path.suffix.lower()]
    if image_format == "JPEG":
        image.save(path, image_format, quality=95)
    else:
        image.save(path, image_format)
    return path


def slideshow_settings(folder: Path, photo: str = "photo1.jpg", **overrides: str) -> dict[str, str]:
    """Stored settings pointing at photo in folder, as the dialog's OK leaves them."""
    values = {
        "Speed": "2",
        "chokkei": "400",
        "Filename": wine_path(folder / photo),
        "FilenameS": photo,
        "Fileindex": "0",
        "Directory": wine_path(folder),
        "Haikei": "0",
    }
    values.update(overrides)
    return values


# --- Wine ----------------------------------------------------------------------------------------


def wine_environment(prefix: os.PathLike | str, display: str) -> dict[str, str]:
    env = dict(os.environ)
    env.update(WINEPREFIX=str(prefix), DISPLAY=display, WINEDEBUG="-all",
               PATH=f"{WINE_BIN}:{env.get('PATH', '/usr/bin:/bin')}")
    return env


def create_prefix(prefix: os.PathLike | str, display: str, managed_by_wine: bool = True) -> None:
    """A fresh Wine prefix set up for the tests (scripts/test does the same in shell).

    managed_by_wine: Wine places and focuses its windows itself, for an X server without a window
    manager such as the tests' Xvfb."""
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
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            raise
        out.seek(0)
        text = out.read().decode("utf-8", "replace")
    return code, text


class WineProcess:
    """A Windows program started under wine64; its PID is the Windows process itself."""

    def __init__(self, argv: list[str], env: dict[str, str], cwd: os.PathLike | str):
        self.argv = argv
        self._log = tempfile.TemporaryFile()
        self.process = subprocess.Popen(["wine64", *argv], env=env, cwd=cwd,
                                        stdin=subprocess.DEVNULL, stdout=self._log,
                                        stderr=subprocess.STDOUT, start_new_session=True)

    @property
    def pid(self) -> int:
        return self.process.pid

    def running(self) -> bool:
        return self.process.poll() is None

    def wait_exit(self, timeout: float = 15) -> int:
        """Waits for the program to end and returns its exit code."""
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

    end_all() ends every process started through this object; call it even when a test fails.
    """

    def __init__(self, prefix: os.PathLike | str, display: str, tools_dir: os.PathLike | str):
        self.prefix = Path(prefix)
        self.display = display
        self.tools_dir = Path(tools_dir)
        self.env = wine_environment(prefix, display)
        self.started: list[WineProcess] = []
        self.scratch = Path(tempfile.mkdtemp(prefix="solvarine-e2e-wine-"))

    # programs

    def start(self, program: os.PathLike | str, *args: str,
              cwd: os.PathLike | str | None = None) -> WineProcess:
        process = WineProcess([str(program), *args], self.env, cwd or self.scratch)
        self.started.append(process)
        return process

    def run(self, program: os.PathLike | str, *args: str, cwd: os.PathLike | str | None = None,
            timeout: float = 60) -> tuple[int, str]:
        """Runs a program to its end; returns its exit code and output."""
        return _run_quietly(["wine64", str(program), *args], self.env, timeout,
                            cwd or self.scratch)

    def tool(self, name: str) -> Path:
        path = self.tools_dir / f"{name}.exe"
        if not path.is_file():
            raise FileNotFoundError(f"test tool {path} is missing: build the windows preset")
        return path

    def find_window(self, title: str) -> bool:
        """Whether Wine's FindWindowW sees a top-level window of that title, hidden ones included."""
        code, output = self.run(self.tool("find_window"), title)
        if code not in (0, 1):
            raise RuntimeError(f"find_window failed ({code}): {output}")
        return code == 0

    def close_window(self, title: str) -> bool:
        """Closes a window as its close button does; False when there was no such window."""
        code, output = self.run(self.tool("close_window"), title)
        if code not in (0, 1):
            raise RuntimeError(f"close_window failed ({code}): {output}")
        return code == 0

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
        pids = [process.pid for process in self.started]
        self.started.clear()
        try:
            wait_until(lambda: not any(_x_windows_of(pid, self.env) for pid in pids), 15,
                       "the windows of ended programs to go")
        finally:
            shutil.rmtree(self.scratch, ignore_errors=True)

    # registry: the settings live as REG_SZ values under HKCU\Software\solvar\Option

    def reg_import(self, lines: list[str]) -> None:
        text = "Windows Registry Editor Version 5.00\r\n\r\n" + "\r\n".join(lines) + "\r\n"
        file = self.scratch / "import.reg"
        file.write_bytes(text.encode("utf-16"))  # with a BOM, as regedit writes it
        code, output = self.run("reg", "import", wine_path(file))
        if code != 0:
            raise RuntimeError(f"reg import failed ({code}): {output}\n{text}")

    def reset_settings(self, values: dict[str, str] | None = None) -> None:
        """Removes every stored setting, then stores the given ones as REG_SZ values."""
        lines = [f"[-{SETTINGS_APP_KEY}]"]
        if values is not None:
            lines += ["", f"[{SETTINGS_KEY}]"]
            lines += [f"{_reg_quote(name)}={_reg_quote(value)}" for name, value in values.items()]
        self.reg_import(lines)

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


_REG_VALUE = re.compile(r'^(?:"((?:[^"\\]|\\.)*)"|(@))=(.*)$')


def parse_reg_export(text: str) -> dict[str, str]:
    """Values of the single key in a regedit export: {name: text} ('' is the default value)."""
    values: dict[str, str] = {}
    logical = re.sub(r"\\\r?\n\s*", "", text)  # hex data continues over lines ending in '\'
    for line in logical.splitlines():
        match = _REG_VALUE.match(line)
        if not match:
            continue
        name = "" if match.group(2) else re.sub(r"\\(.)", r"\1", match.group(1))
        data = match.group(3)
        if data.startswith('"') and data.endswith('"') and len(data) >= 2:
            data = re.sub(r"\\(.)", r"\1", data[1:-1])
        values[name] = data
    return values
