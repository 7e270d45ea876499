"""What the end-to-end tests share beyond scripts/privatewine.py: the program's own texts, photo
files and settings, a coloured desktop, and Wine's own view of a window's controls."""

from __future__ import annotations

import subprocess
import sys
from collections import namedtuple
from pathlib import Path

from PIL import Image

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "scripts"))

import privatewine  # noqa: E402
from privatewine import SCREEN_SIZE, wait_until, wine_path  # noqa: E402,F401

SLIDESHOW_TITLES = ("Form1", "Form2", "Form4")
DIALOG_TITLE = "Solvarine Ver4.0 "
MESSAGE = "設定画面で表示画像を設定してください"
CRASH_DIALOG = "Program Error"  # Wine's crash dialog
RED, GREEN, BLUE, BLACK, WHITE = (255, 0, 0), (0, 255, 0), (0, 0, 255), (0, 0, 0), (255, 255, 255)


def tool(scr: Path, name: str) -> Path:
    """A helper program built beside the screen saver."""
    found = scr.parent / f"{name}.exe"
    assert found.is_file(), f"{found} missing: build the windows preset"
    return found


def make_photo(path: Path, size: tuple[int, int], colour=RED) -> Path:
    """Writes a solid-colour photo; the file format follows the extension (any case)."""
    path.parent.mkdir(parents=True, exist_ok=True)
    Image.new("RGB", size, colour).save(path, quality=95)  # PNG, BMP and GIF ignore the quality
    return path


def slideshow_settings(folder: Path, photo: str = "photo1.jpg", **overrides: str) -> dict[str, str]:
    """Stored settings pointing at photo in folder, as the dialog's OK leaves them."""
    return {"Speed": "2", "chokkei": "400", "Filename": wine_path(folder / photo), "FilenameS": photo,
            "Fileindex": "0", "Directory": wine_path(folder), "Haikei": "0", **overrides}


def focus_slideshow(screen) -> None:
    """Waits until a slideshow window has the keyboard focus: a key sent before may be lost."""
    screen.wait_focus(*[w for title in ("Form2", "Form4") for w in screen.windows(title)])


def colours(shot: Image.Image) -> set:
    return {colour for _, colour in shot.getcolors(1 << 20)}  # more than the screen's pixels


class Desktop:
    """A full-screen X window showing four coloured quarters: the user's desktop under the screen
    saver (Xvfb's root background does not show in screen reads, an ordinary window does)."""

    def __init__(self, screen: privatewine.Screen, folder: Path):
        (w, h), self.image = SCREEN_SIZE, Image.new("RGB", SCREEN_SIZE, (220, 200, 40))
        self.image.paste((200, 40, 40), (0, 0, w // 2, h // 2))
        self.image.paste((40, 160, 40), (w // 2, 0, w, h // 2))
        self.image.paste((40, 60, 200), (0, h // 2, w // 2, h))
        self.image.save(folder / "desktop.png")
        self.process = subprocess.Popen(
            ["display", "-borderwidth", "0", "-geometry", "+0+0", "-immutable", "-title",
             "solvarine-test-desktop", str(folder / "desktop.png")], env=screen.env,
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        try:
            wait_until(lambda: screen.screenshot().tobytes() == self.image.tobytes(), 15,
                       "the desktop picture on the screen")
        except BaseException:
            self.close()
            raise

    def close(self) -> None:
        privatewine.end_process(self.process)


# --- Wine's own view of a window and its controls (the dump_window tool) --------------------------


class Control(namedtuple("Control", "kind text x y width height visible checked position")):
    @property
    def centre(self) -> tuple[int, int]:
        return self.x + self.width // 2, self.y + self.height // 2


def controls(wine: privatewine.Wine, scr: Path, title: str) -> list[Control] | None:
    """The window titled exactly title (first) and its child controls; None when there is none."""
    code, output = wine.run(tool(scr, "dump_window"), title)
    if code == 1:
        return None
    if code != 0:
        raise RuntimeError(f"dump_window failed ({code}): {output}")
    lines = [line.split("\t") for line in output.splitlines()]
    return [Control(f[0], f[1], *map(int, f[2:])) for f in lines if len(f) == 9]


def wait_controls(wine, scr, title: str, timeout: float = 20) -> list[Control]:
    """The window and its controls once it is shown (its controls are filled in before that)."""
    def shown():
        found = controls(wine, scr, title)
        return found if found and found[0].visible else None

    return wait_until(shown, timeout, f"the window {title!r} to show")


def control(found: list[Control], kind: str, text: str | None = None, index: int = 0) -> Control:
    return [c for c in found[1:] if c.kind == kind and (text is None or c.text == text)][index]


def texts(found: list[Control], kind: str) -> list[str]:
    return [c.text for c in found[1:] if c.kind == kind]


def message_box_text(wine, scr) -> str | None:
    found = controls(wine, scr, "Solvarine")
    return " ".join(t for t in texts(found, "Static") if t) if found else None


def expect_message_then_end(wine, scr, screen, run, stored_index: str | None) -> None:
    """The one message box with only OK; OK ends the program; the position stays as it was."""
    assert wait_until(lambda: message_box_text(wine, scr), 30, "the message box") == MESSAGE
    assert texts(wait_controls(wine, scr, "Solvarine"), "Button") == ["OK"]
    screen.wait_focus(screen.wait_window("Solvarine"))
    screen.key("Return")
    assert run.wait_exit(15) == 0
    assert (wine.settings() or {}).get("Fileindex") == stored_index
