"""Two monitors of different sizes, the second left of the primary, in a private Xorg: the
slideshow covers both with their snapshot, photos take turns, each within its monitor, a click on
the second pauses, and a monitor switched off leaves the show running on the primary."""

from __future__ import annotations

import pytest
from PIL import Image

import privatewine
from privatewine import (SCR, box_of, colours, focus_slideshow, inside, make_photo,
                         slideshow_settings, wait_until)

W, H = privatewine.SCREEN_SIZE
W2, H2 = privatewine.SECOND_MONITOR
SECOND, PRIMARY = privatewine.SECOND_AREA, privatewine.PRIMARY_AREA
SECOND_DESK, PRIMARY_DESK = (200, 40, 40), (40, 160, 40)
PALETTE = [(0, 0, 255), (255, 255, 0), (0, 255, 255), (255, 0, 255), (255, 128, 0), (128, 0, 255)]


@pytest.fixture
def two_monitors():
    with privatewine.two_monitors() as made:
        yield made


def test_both_are_covered_take_turns_pause_on_a_click_and_one_can_go_off(two_monitors, tmp_path):
    server, wine, screen = two_monitors
    for number, colour in enumerate(PALETTE):
        make_photo(tmp_path / "photos" / f"{number}.bmp", (400, 300), colour)
    wine.reset_settings(slideshow_settings(tmp_path / "photos", "0.bmp", chokkei="200", Haikei="1"))
    with privatewine.desktop(screen, tmp_path, (Image.new("RGB", (W2, H2), SECOND_DESK), 0),
                             (Image.new("RGB", (W, H), PRIMARY_DESK), W2)):
        run = wine.start(SCR, "/s")
        backdrop = screen.wait_window("Form2")
        wait_until(lambda: screen.geometry(backdrop) == (0, 0, W2 + W, H),
                   "the backdrop to cover both monitors")
    shot = screen.screenshot()
    for area, colour in ((SECOND, SECOND_DESK), (PRIMARY, PRIMARY_DESK)):
        assert colours(shot.crop(area)) <= {colour, *PALETTE}, "the snapshot covers each monitor"

    photos = privatewine.PhotoWatch(screen, PALETTE)
    wait_until(lambda: photos.seen() >= 4, "two photos on each monitor", interval=0.1)
    focus_slideshow(screen)
    screen.click(10, 10)
    photos.wait_paused()  # a click on the second monitor
    boxes = {n: photos.boxes[c] for n, c in enumerate(photos.order) if c in photos.boxes}
    assert all(inside(b, PRIMARY if n % 2 == 0 else SECOND) for n, b in boxes.items()), \
        "the primary first, then the second, in turn"
    shown = len(photos.order)

    server.xrandr("--output", "DUMMY1", "--off")
    screen.click(10, 10)
    wait_until(lambda: screen.geometry(backdrop) == (0, 0, W, H), "the windows to follow")
    wait_until(lambda: photos.seen() > shown, "a photo on the primary alone", interval=0.1)
    screen.click(10, 10)
    photos.wait_paused()
    assert inside(box_of(screen.screenshot(), photos.order[shown]), (0, 0, W, H))
    assert SECOND_DESK not in colours(screen.screenshot()), "the primary keeps its own collage"
    screen.key("space")
    assert run.wait_exit() == 0
