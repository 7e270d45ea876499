"""The slideshow as a user sees it: photos piling up, pause and resume, the end on a key."""

from __future__ import annotations

import time

import pytest
from PIL import Image, ImageChops

import harness
from harness import BLUE, GREEN, RED, colours, expect_message_then_end

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


def test_photos_pile_up_in_list_order_at_their_exact_size(wine, screen, scr, tmp_path):
    # At size 200 the diagonals are 200 pixels: 160 x 120, 141 x 141, and 89.5 wide rounded to
    # the even 90.
    photos = {"a.bmp": ((400, 300), RED), "b.bmp": ((300, 300), GREEN),
              "c.bmp": ((200, 400), BLUE)}
    drawn = {RED: (160, 120), GREEN: (141, 141), BLUE: (90, 179)}
    folder = photo_folder(tmp_path / "photos", photos)
    start_slideshow(wine, scr, folder, Speed="2", chokkei="200", Fileindex="1")
    seen: list[tuple] = []
    boxes = {}

    def next_colour_appears():
        shot = screen.screenshot()
        for colour in colours(shot) & set(drawn):
            if colour not in boxes:
                boxes[colour] = bounding_box(shot, colour)
                seen.append(colour)
        return len(seen) == 3

    harness.wait_until(next_colour_appears, 30, "three photos on the screen", interval=0.1)
    assert seen == [GREEN, BLUE, RED], "entry 1 first, then the list order with wrap-around"
    for colour, (left, top, right, bottom) in boxes.items():
        assert (right - left, bottom - top) == drawn[colour]
        assert 0 <= left and right <= 1024 and 0 <= top and bottom <= 768
    # Earlier photos stay where they were shown.
    assert GREEN in colours(screen.screenshot().crop(boxes[GREEN]))


def test_clicks_pause_and_resume_and_a_key_stores_the_next_position(wine, screen, scr, tmp_path):
    palette = [RED, GREEN, BLUE, YELLOW, CYAN, MAGENTA]
    folder = photo_folder(tmp_path / "photos",
                          {f"{i}.bmp": ((80, 60), colour) for i, colour in enumerate(palette)})
    run = start_slideshow(wine, scr, folder, "0.bmp", Speed="1", chokkei="100")

    def shown() -> int:  # photos on the screen; each is still in sight, as they are few
        return len(colours(screen.screenshot()) & set(palette))

    def settled():
        before = screen.screenshot().tobytes()
        time.sleep(2)  # four intervals: a running slideshow shows a new photo meanwhile
        return screen.screenshot().tobytes() == before

    harness.wait_until(shown, 15, "the first photo")
    harness.focus_slideshow(screen)  # a click before that may go to Wine's focus handling only
    screen.click(2, 2)
    harness.wait_until(settled, 15, "the slideshow to pause")
    paused = shown()
    screen.click(2, 2, button=3)
    harness.wait_until(lambda: shown() > paused, 10, "the slideshow to resume")
    screen.click(2, 2)
    harness.wait_until(settled, 15, "the slideshow to pause again")
    ticks = shown()
    assert ticks < len(palette), "too many ticks to tell the position from the colours"
    screen.key("shift+a")
    assert run.wait_exit(15) == 0
    assert wine.settings()["Fileindex"] == str(ticks % len(palette))


def test_an_empty_photo_folder_shows_only_the_message(wine, screen, scr, tmp_path):
    empty = tmp_path / "empty"
    empty.mkdir()
    # An empty name falls back to a sample that is not there either.
    run = start_slideshow(wine, scr, empty, "gone.jpg", cwd=empty, Fileindex="2", Filename="")
    harness.wait_until(lambda: harness.message_box_text(wine, scr), 20, "the message box")
    for title in harness.SLIDESHOW_TITLES:
        assert not screen.windows(title), f"{title} must never show"
    expect_message_then_end(wine, scr, screen, run, "2")


def test_the_backdrop_is_the_desktop_for_background_one(wine, screen, scr, tmp_path, desktop):
    folder = photo_folder(tmp_path / "photos", {"a.bmp": ((40, 30), RED)})
    start_slideshow(wine, scr, folder, Speed="10", Haikei="1")
    screen.wait_window("Form4")
    points = [(100, 100), (924, 100), (100, 668), (924, 668)]
    expected = [desktop.image.getpixel(p) for p in points]
    harness.wait_until(lambda: [screen.screenshot().getpixel(p) for p in points] == expected, 10,
                       "the backdrop")


def test_an_empty_filename_falls_back_to_the_sample_in_the_current_folder(wine, screen, scr,
                                                                          tmp_path):
    folder = tmp_path / "saver"
    harness.make_photo(folder / "sample1.jpg", (64, 48), (255, 255, 0))
    run = start_slideshow(wine, scr, folder, "x.jpg", cwd=folder, Speed="10", Filename="",
                          Directory="")
    screen.wait_focus(screen.wait_window("Form4"))
    stored = wine.settings()
    assert stored["Filename"] == "sample1.jpg"
    assert stored["Directory"] == harness.wine_path(folder)
    screen.key("Escape")
    assert run.wait_exit(15) == 0
