"""Two monitors of different sizes, the second left of the primary, in a private Xorg: the slideshow
covers both with the snapshot of both, photos take turns and each lies within its monitor, a click
on the second pauses, a monitor switched off leaves the show running on the primary, and a key
ends it and stores the position."""

from __future__ import annotations

import subprocess
import time

import pytest
from PIL import Image, ImageChops

from conftest import SCR, colours, focus_slideshow, make_photo, privatewine, slideshow_settings, \
    wait_until

W, H = privatewine.SCREEN_SIZE
W2, H2 = privatewine.SECOND_MONITOR
SECOND, PRIMARY = (0, 0, W2, H2), (W2, 0, W2 + W, H)  # in X's coordinates, before one goes off
SECOND_DESK, PRIMARY_DESK = (200, 40, 40), (40, 160, 40)
PALETTE = [(0, 0, 255), (255, 255, 0), (0, 255, 255), (255, 0, 255), (255, 128, 0), (128, 0, 255)]


@pytest.fixture
def two_monitors():
    with privatewine.PrivateWine(two_monitors=True) as made:
        wine = privatewine.Wine(made.prefix, made.display)
        try:
            yield made.server, wine, privatewine.Screen(made.display)
        finally:
            wine.end_all()


def box_of(shot: Image.Image, colour) -> tuple[int, int, int, int] | None:
    other = ImageChops.difference(shot, Image.new("RGB", shot.size, colour)).convert("L")
    return other.point(lambda v: 255 if v == 0 else 0).getbbox()


def inside(box, area) -> bool:
    return area[0] <= box[0] and area[1] <= box[1] and box[2] <= area[2] and box[3] <= area[3]


def test_both_monitors_are_covered_take_turns_pause_on_a_click_and_one_can_go_off(two_monitors,
                                                                                   tmp_path):
    server, wine, screen = two_monitors
    desk = []  # each monitor filled by an X window of its own colour
    for colour, (left, top, right, bottom) in ((SECOND_DESK, SECOND), (PRIMARY_DESK, PRIMARY)):
        image = make_photo(tmp_path / f"desk{left}.png", (right - left, bottom - top), colour)
        desk.append(subprocess.Popen(
            ["display", "-borderwidth", "0", "-geometry", f"+{left}+{top}", "-immutable",
             str(image)], env=screen.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True))
    try:
        wait_until(lambda: {SECOND_DESK, PRIMARY_DESK} <= colours(screen.screenshot()), 15,
                   "the desktop")
        for number, colour in enumerate(PALETTE):
            make_photo(tmp_path / "photos" / f"{number}.bmp", (400, 300), colour)
        settings = slideshow_settings(tmp_path / "photos", "0.bmp", chokkei="200", Haikei="1")
        wine.reset_settings(settings)
        run = wine.start(SCR, "/s")
        for title in ("Form1", "Form2", "Form4"):
            window = screen.wait_window(title)
            wait_until(lambda: screen.geometry(window) == (0, 0, W2 + W, H), 10,
                       f"{title} to cover both monitors")
    finally:
        for shown in desk:
            privatewine.end_process(shown)
    wait_until(lambda: not screen.windows(f"ImageMagick: desk{W2}.png", visible_only=False), 10,
               "the desktop to go")
    shot = screen.screenshot()
    for area, colour in ((SECOND, SECOND_DESK), (PRIMARY, PRIMARY_DESK)):
        assert colours(shot.crop(area)) <= {colour, *PALETTE}, "the snapshot covers each monitor"

    boxes = []

    def shown(count: int) -> bool:  # records each photo as it first shows, before others cover it
        shot = screen.screenshot()
        boxes.extend(box_of(shot, c) for c in PALETTE[len(boxes):] if c in colours(shot))
        return len(boxes) >= count

    def settled() -> bool:
        before = screen.screenshot().tobytes()
        time.sleep(3)  # three intervals: a running slideshow shows a new photo meanwhile
        return screen.screenshot().tobytes() == before

    wait_until(lambda: shown(2), 20, "a photo on each monitor", interval=0.1)
    focus_slideshow(screen)
    screen.click(10, 10)
    wait_until(settled, 20, "a click on the second monitor to pause")
    screen.click(10, 10)
    wait_until(lambda: shown(4), 20, "two more photos", interval=0.1)
    assert [b[2] - b[0] for b in boxes] == [160] * 4 and [b[3] - b[1] for b in boxes] == [120] * 4
    assert [inside(b, PRIMARY if n % 2 == 0 else SECOND) for n, b in enumerate(boxes)] == [True] * 4

    server.xrandr("--output", "DUMMY1", "--off")
    window = screen.windows("Form2")[0]
    wait_until(lambda: screen.geometry(window) == (0, 0, W, H), 20, "the windows to follow")
    wait_until(lambda: shown(5), 20, "a photo after the second monitor went", interval=0.1)
    screen.click(10, 10)
    wait_until(settled, 20, "the slideshow to pause")
    shot = screen.screenshot()
    assert inside(boxes[4], (0, 0, W, H)) and SECOND_DESK not in colours(shot), \
        "the primary keeps its own collage"
    ticks = len(boxes)
    screen.key("space")
    assert run.wait_exit(15) == 0
    assert wine.settings() == {**settings, "koteix": "200", "koteiy": "200",
                               "Fileindex": str(ticks % len(PALETTE))}
