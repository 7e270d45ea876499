"""The slideshow as a user sees it: photos piling up, pause and resume, the end on a key."""

from __future__ import annotations

import time

import pytest
from PIL import Image, ImageChops

import harness
from harness import BLACK, BLUE, GREEN, RED, colours, expect_message_then_end

# Entry order a.bmp, b.bmp, c.bmp; at size 200 their diagonals are 200 pixels.
PHOTOS = {"a.bmp": ((400, 300), RED, (160, 120)),
          "b.bmp": ((300, 300), GREEN, (141, 141)),
          "c.bmp": ((200, 400), BLUE, (89, 179))}


def bounding_box(shot, colour):
    """(left, top, right, bottom) of the pixels of exactly that colour, or None."""
    difference = ImageChops.difference(shot, Image.new("RGB", shot.size, colour)).convert("L")
    return difference.point(lambda v: 255 if v == 0 else 0).getbbox()


def start_slideshow(wine, scr, folder, photo="a.bmp", cwd=None, **settings):
    wine.reset_settings(harness.slideshow_settings(folder, photo, **settings))
    return wine.start(scr, "/s", cwd=cwd)


@pytest.fixture
def photos(tmp_path):
    for name, (size, colour, _) in PHOTOS.items():
        harness.make_photo(tmp_path / "photos" / name, size, colour)
    return tmp_path / "photos"


def test_photos_pile_up_in_list_order_at_their_size(wine, screen, scr, photos):
    start_slideshow(wine, scr, photos, Speed="2", chokkei="200", Fileindex="1")
    screen.wait_window("Form4")
    seen: list[tuple] = []
    boxes = {}

    def next_colour_appears():
        shot = screen.screenshot()
        for colour in colours(shot) & {RED, GREEN, BLUE}:
            if colour not in boxes:
                boxes[colour] = bounding_box(shot, colour)
                seen.append(colour)
        return len(seen) == 3

    harness.wait_until(next_colour_appears, 30, "three photos on the screen", interval=0.2)
    assert seen == [GREEN, BLUE, RED], "entry 1 first, then the list order with wrap-around"
    for colour, box in boxes.items():
        size = next(s for _, c, s in PHOTOS.values() if c == colour)
        left, top, right, bottom = box
        # The canvas sits on whole pixels while the clip edges are rounded from a fraction, so the
        # visible photo may gain or lose one column or row.
        assert abs(right - left - size[0]) <= 1 and abs(bottom - top - size[1]) <= 1, (box, size)
        assert 0 <= left and right <= 1024 and 0 <= top and bottom <= 768
    # Earlier photos stay where they were shown: the first one is still there.
    shot = screen.screenshot()
    left, top, right, bottom = boxes[GREEN]
    corners = [(left, top), (right - 1, top), (left, bottom - 1), (right - 1, bottom - 1)]
    assert any(shot.getpixel(corner) == GREEN for corner in corners)


def test_click_pauses_and_resumes_and_a_key_stores_the_next_position(wine, screen, scr, photos):
    run = start_slideshow(wine, scr, photos, Speed="1", chokkei="100")
    screen.wait_window("Form4")
    harness.wait_until(lambda: RED in colours(screen.screenshot()), 15, "the first photo")

    def settled():
        before = screen.screenshot().tobytes()
        time.sleep(1.5)  # three intervals: a running slideshow shows a new photo meanwhile
        return screen.screenshot().tobytes() == before

    screen.click(2, 2)
    harness.wait_until(settled, 15, "the slideshow to pause")
    paused = screen.screenshot().tobytes()
    screen.click(2, 2, button=3)
    harness.wait_until(lambda: screen.screenshot().tobytes() != paused, 10, "the slideshow to resume")
    screen.click(2, 2, button=2)
    harness.wait_until(settled, 15, "the slideshow to pause again")
    shown = colours(screen.screenshot()) & {RED, GREEN, BLUE}
    screen.key("shift+a")
    assert run.wait_exit(15) == 0
    stored = wine.settings()
    if len(shown) < 3:  # fewer than three ticks: each shown photo is still in sight
        assert stored["Fileindex"] == str(len(shown))
    assert stored["koteix"] == stored["koteiy"] == "200"


@pytest.mark.parametrize("stored_index", ["5", "-1"])
def test_a_stored_position_outside_the_list_starts_at_the_first_photo(wine, screen, scr, photos,
                                                                       stored_index):
    start_slideshow(wine, scr, photos, Speed="1", chokkei="100", Fileindex=stored_index)
    present = harness.wait_until(lambda: colours(screen.screenshot()) & {RED, GREEN, BLUE},
                                 15, "the first photo", interval=0.1)
    assert present == {RED}


def test_an_empty_photo_folder_shows_only_the_message(wine, screen, scr, tmp_path):
    empty = tmp_path / "empty"
    empty.mkdir()
    # An empty name falls back to a sample that is not there either.
    run = start_slideshow(wine, scr, empty, "gone.jpg", cwd=empty, Fileindex="2", Filename="")
    harness.wait_until(lambda: harness.message_box_text(wine), 20, "the message box")
    for title in harness.SLIDESHOW_TITLES:
        assert not screen.windows(title), f"{title} must never show"
    expect_message_then_end(wine, screen, run, "2")


def test_a_photo_deleted_during_the_run_ends_with_the_message(wine, screen, scr, photos):
    run = start_slideshow(wine, scr, photos, Speed="2", chokkei="100", Fileindex="0")
    harness.wait_until(lambda: colours(screen.screenshot()) & {RED}, 15, "the first photo")
    for name in PHOTOS:
        (photos / name).unlink()
    expect_message_then_end(wine, screen, run, "0")


@pytest.mark.parametrize("haikei, desktop_shows", [("1", True), ("0", False), ("2", False)])
def test_the_backdrop_is_the_desktop_only_for_background_one(wine, screen, scr, photos, desktop,
                                                              haikei, desktop_shows):
    start_slideshow(wine, scr, photos, Speed="10", Haikei=haikei)
    screen.wait_window("Form4")
    points = [(100, 100), (924, 100), (100, 668), (924, 668)]
    expected = [desktop.image.getpixel(p) if desktop_shows else BLACK for p in points]
    harness.wait_until(lambda: [screen.screenshot().getpixel(p) for p in points] == expected, 10,
                       "the backdrop")


def test_an_empty_filename_falls_back_to_the_sample_in_the_current_folder(wine, screen, scr,
                                                                          tmp_path):
    folder = tmp_path / "saver"
    harness.make_photo(folder / "sample1.jpg", (64, 48), (255, 255, 0))
    run = start_slideshow(wine, scr, folder, "x.jpg", cwd=folder, Speed="10", Filename="",
                          Directory="")
    screen.wait_window("Form4")
    stored = wine.settings()
    assert stored["Filename"] == "sample1.jpg"
    assert stored["Directory"] == harness.wine_path(folder)
    screen.key("Escape")
    assert run.wait_exit(15) == 0
