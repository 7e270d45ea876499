"""Fixtures and helpers of the end-to-end tests: the real Solvarine.scr under Wine in the X server
and prefix that scripts/test hands over (SOLVARINE_DISPLAY, SOLVARINE_WINEPREFIX), else in its own
(scripts/privatewine.py); photo files, stored settings, Wine's view of a window's controls."""

from __future__ import annotations

import os
import sys
from collections import namedtuple
from pathlib import Path

import pytest
from PIL import Image

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "scripts"))
import privatewine  # noqa: E402
from privatewine import SCREEN_SIZE, wait_until, wine_path  # noqa: E402,F401

SCR = Path(os.environ.get("SOLVARINE_SCR", REPO / "build/windows/Solvarine.scr")).resolve()
DIALOG_TITLE = "Solvarine Ver4.0 "
RED, GREEN, BLUE = (255, 0, 0), (0, 255, 0), (0, 0, 255)


@pytest.fixture(scope="session")
def private_wine():
    if os.environ.get("SOLVARINE_WINEPREFIX"):
        yield os.environ["SOLVARINE_WINEPREFIX"], os.environ["SOLVARINE_DISPLAY"]
    else:
        with privatewine.PrivateWine() as made:
            yield made.prefix, made.display


@pytest.fixture
def wine(private_wine) -> privatewine.Wine:
    """Runs programs from no stored settings; kills what the test started, even when it fails."""
    assert SCR.is_file(), f"{SCR} does not exist: build it or point SOLVARINE_SCR at it"
    runner = privatewine.Wine(*private_wine)
    runner.reset_settings()
    yield runner
    runner.end_all()


@pytest.fixture
def screen(private_wine) -> privatewine.Screen:
    return privatewine.Screen(private_wine[1])


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


def box_of(shot: Image.Image, test) -> tuple[int, int, int, int] | None:
    """(left, top, right, bottom) of the pixels for which test is true, or None."""
    mask = Image.new("1", shot.size)
    mask.putdata([test(pixel) for pixel in shot.getdata()])
    return mask.getbbox()


def colours(shot: Image.Image) -> set:
    return {colour for _, colour in shot.getcolors(1 << 20)}  # more than the screen's pixels


def focus_slideshow(screen: privatewine.Screen) -> None:
    """Waits until a slideshow window has the keyboard focus: a key or click sent before may be
    lost."""
    screen.wait_focus(*[w for title in ("Form2", "Form4") for w in screen.windows(title)])


Control = namedtuple("Control", "kind text x y width height visible checked")


def controls(wine: privatewine.Wine, title: str) -> list[Control] | None:
    """The window titled exactly title, then its child controls; None when there is none."""
    code, output = wine.run(SCR.parent / "dump_window.exe", title)
    assert code in (0, 1), f"dump_window failed ({code}): {output}"
    rows = [line.split("\t") for line in output.splitlines()] if code == 0 else None
    return rows and [Control(r[0], r[1], *map(int, r[2:])) for r in rows if len(r) == 8]


def wait_controls(wine: privatewine.Wine, title: str) -> list[Control]:
    """The window and its controls once it is shown (its controls are filled in before that)."""
    return wait_until(lambda: (found := controls(wine, title)) and found[0].visible and found, 20,
                      f"the window {title!r} to show")


def texts(found: list[Control], kind: str) -> list[str]:
    return [c.text for c in found[1:] if c.kind == kind]


def centre(c: Control) -> tuple[int, int]:
    return c.x + c.width // 2, c.y + c.height // 2
