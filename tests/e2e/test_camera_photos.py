"""A real photo folder: a photo stored on its side shows upright, and broken files among good
photos are passed over, round after round, without the message."""

from __future__ import annotations

from PIL import Image

import harness
from harness import GREEN, MESSAGE


def reddish(pixel) -> bool:
    return pixel[0] > 200 and pixel[1] < 60 and pixel[2] < 60


def bluish(pixel) -> bool:
    return pixel[2] > 200 and pixel[0] < 60 and pixel[1] < 60


def box_of(shot, test):
    mask = Image.new("1", shot.size)
    mask.putdata([test(p) for p in shot.getdata()])
    return mask.getbbox()


def test_a_turned_photo_shows_upright_among_broken_files(wine, screen, scr, tmp_path):
    folder = tmp_path / "photos"
    folder.mkdir()
    # Stored landscape, red left and blue right; the tag says: turn a quarter clockwise to view.
    side = Image.new("RGB", (200, 100), (0, 0, 255))
    side.paste((255, 0, 0), (0, 0, 100, 100))
    exif = Image.Exif()
    exif[0x0112] = 6
    side.save(folder / "a.jpg", quality=95, exif=exif.tobytes())
    (folder / "b.jpg").write_bytes(b"")
    good = (folder / "a.jpg").read_bytes()
    (folder / "c.jpg").write_bytes(good[: len(good) // 2])
    harness.make_photo(folder / "d.bmp", (80, 60), GREEN)
    wine.reset_settings(harness.slideshow_settings(folder, "d.bmp", Speed="1", chokkei="150"))
    run = wine.start(scr, "/s")

    # Upright: 100 x 200 drawn with a diagonal of 150 is 67 x 134, red on top.
    def turned_photo_shown():
        shot = screen.screenshot()
        return shot if box_of(shot, bluish) else None

    shot = harness.wait_until(turned_photo_shown, 20, "the turned photo", interval=0.1)
    red, blue = box_of(shot, reddish), box_of(shot, bluish)
    assert red[3] <= blue[1] + 1, "red above blue"
    assert (blue[2] - red[0], blue[3] - red[1]) == (67, 134)

    def green_area():
        return sum(n for n, colour in screen.screenshot().getcolors(1 << 20) if colour == GREEN)

    # Every round shows the green photo (drawn 120 x 90) again, each time past the broken files.
    harness.wait_until(lambda: green_area() >= 3 * 120 * 90 * 0.9, 30, "three rounds",
                       interval=0.2)
    assert harness.message_box_text(wine, scr) != MESSAGE
    harness.focus_slideshow(screen)
    screen.key("Escape")
    assert run.wait_exit(15) == 0
