"""The slideshow as a user sees it: photos piling up, pause and resume, the end on a key."""

from __future__ import annotations

import time

from PIL import Image, ImageChops

import harness
from harness import BLUE, GREEN, RED, colours

YELLOW, CYAN, MAGENTA = (255, 255, 0), (0, 255, 255), (255, 0, 255)


def bounding_box(shot, colour):
    """(left, top, right, bottom) of the pixels of exactly that colour, or None."""
    difference = ImageChops.difference(shot, Image.new("RGB", shot.size, colour)).convert("L")
    return difference.point(lambda v: 255 if v == 0 else 0).getbbox()


def start_slideshow(wine, scr, folder, photo="a.bmp", cwd=None, **settings):
    wine.reset_settings(harness.slideshow_settings(folder, photo, **settings))
    return wine.start(scr, "/s", cwd=cwd)


def photo_folder(folder, photos):
    for name, (size, colour) in photos.items():
        harness.make_photo(folder / name, size, colour)
    return folder


def test_photos_pile_up_in_order_at_their_size_clicks_pause_and_a_key_stores_the_position(
        wine, screen, scr, tmp_path):
    # At size 200 the diagonals are 200 pixels: 160 x 120, 141 x 141, and 89.5 wide rounded to
    # the even 90.
    drawn = {GREEN: (141, 141), BLUE: (90, 179), YELLOW: (160, 120)}
    photos = {"a.bmp": ((400, 300), RED), "b.bmp": ((300, 300), GREEN),
              "c.bmp": ((200, 400), BLUE), "d.bmp": ((80, 60), YELLOW),
              "e.bmp": ((80, 60), CYAN), "f.bmp": ((80, 60), MAGENTA)}
    palette = [colour for _, colour in photos.values()]
    run = start_slideshow(wine, scr, photo_folder(tmp_path / "photos", photos), Speed="2",
                          chokkei="200", Fileindex="1")
    seen: list[tuple] = []
    boxes = {}

    def shown() -> int:  # photos shown so far; each is still in sight, as they are few
        shot = screen.screenshot()
        for colour in colours(shot) & set(palette):
            if colour not in boxes:  # the newest photo, not yet covered by any other
                boxes[colour] = bounding_box(shot, colour)
                seen.append(colour)
        return len(seen)

    def settled():
        before = screen.screenshot().tobytes()
        time.sleep(3)  # three intervals: a running slideshow shows a new photo meanwhile
        return screen.screenshot().tobytes() == before

    harness.wait_until(shown, 15, "the first photo", interval=0.1)
    harness.focus_slideshow(screen)  # a click before that may go to Wine's focus handling only
    screen.click(2, 2)
    harness.wait_until(settled, 20, "the slideshow to pause")
    screen.click(2, 2, button=3)
    harness.wait_until(lambda: shown() >= 3, 20, "the slideshow to resume", interval=0.1)
    screen.click(2, 2)
    harness.wait_until(settled, 20, "the slideshow to pause again")
    ticks = shown()
    assert seen[:3] == [GREEN, BLUE, YELLOW], "entry 1 first, then the list order"
    for colour, (left, top, right, bottom) in boxes.items():
        assert 0 <= left and right <= 1024 and 0 <= top and bottom <= 768
        if colour in drawn:
            assert (right - left, bottom - top) == drawn[colour]
    # Earlier photos stay where they were shown.
    assert GREEN in colours(screen.screenshot().crop(boxes[GREEN]))
    assert ticks < len(palette), "too many ticks to tell the position from the colours"
    screen.key("shift+a")
    assert run.wait_exit(15) == 0
    assert wine.settings()["Fileindex"] == str((1 + ticks) % len(palette))
