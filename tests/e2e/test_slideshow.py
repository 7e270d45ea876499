"""The slideshow over a copy of the desktop: photos pile up in name order at their size, clicks
pause and resume, a key ends it."""

from __future__ import annotations

import functools

import pytest
from PIL import Image, ImageChops

import privatewine
from privatewine import (BLUE, GREEN, RED, SCR, SCREEN_SIZE, colours, focus_slideshow, make_photo,
                         mask_of, slideshow_settings, wait_until)

YELLOW, CYAN, MAGENTA = (255, 255, 0), (0, 255, 255), (255, 0, 255)
# Photos after the three measured ones: room for the ticks a busy machine lets through before a
# pause click takes effect.
MORE = [CYAN, MAGENTA, (255, 128, 0), (128, 0, 255), (0, 128, 128), (255, 255, 255)]


@pytest.fixture
def desktop(screen, tmp_path) -> Image.Image:
    """Four coloured quarters: the user's desktop under the screen saver."""
    (w, h), image = SCREEN_SIZE, Image.new("RGB", SCREEN_SIZE, (220, 200, 40))
    image.paste((200, 40, 40), (0, 0, w // 2, h // 2))
    image.paste((40, 160, 40), (w // 2, 0, w, h // 2))
    image.paste((40, 60, 200), (0, h // 2, w // 2, h))
    with privatewine.desktop(screen, tmp_path, (image, 0)):
        yield image


def test_photos_pile_up_over_the_desktop_in_order_at_their_size_clicks_pause_and_a_key_ends(
        wine, screen, desktop, tmp_path):
    # At size 200 the diagonals are 200 pixels: 160 x 120, 141 x 141, and 89.5 wide rounded to
    # the even 90.
    drawn = {GREEN: (141, 141), BLUE: (90, 179), YELLOW: (160, 120)}
    sizes = [(400, 300), (300, 300), (200, 400), (80, 60)] + [(40, 30)] * len(MORE)
    for number, (size, colour) in enumerate(zip(sizes, [RED, GREEN, BLUE, YELLOW, *MORE])):
        make_photo(tmp_path / "photos" / f"{number}.bmp", size, colour)
    order = [GREEN, BLUE, YELLOW, *MORE, RED]  # entry 1 first, then the list's order
    settings = slideshow_settings(tmp_path / "photos", "0.bmp", chokkei="200", Fileindex="1",
                                  Haikei="1")
    wine.reset_settings(settings)
    run = wine.start(SCR, "/S", "1234")
    photos = privatewine.PhotoWatch(screen, order)
    wait_until(photos.seen, "the first photo", interval=0.1)
    focus_slideshow(screen)
    screen.click(2, 2)  # only once the slideshow has the focus: before, Wine may take the click
    photos.wait_paused()
    screen.click(2, 2, button=3)
    wait_until(lambda: photos.seen() >= 3, "the slideshow to resume", interval=0.1)
    screen.click(2, 2)
    photos.wait_paused()
    ticks, boxes = photos.seen(), photos.boxes
    assert photos.order[:3] == order[:3], "entry 1 first, then the list order"
    sizes = {c: (r - left, b - top) for c, (left, top, r, b) in boxes.items() if c in drawn}
    assert sizes == {c: drawn[c] for c in sizes}
    shot = screen.screenshot()
    assert all(c in colours(shot.crop(box)) for c, box in boxes.items()), \
        "earlier photos stay where they were shown"
    photo_pixels = functools.reduce(ImageChops.lighter, (mask_of(shot, c) for c in order))
    assert Image.composite(desktop, shot, photo_pixels) == desktop, "around the photos, the desktop"
    assert ticks < len(order), "too many ticks to tell the position from the colours"
    screen.key("shift+a")
    assert run.wait_exit() == 0
    assert wine.settings() == {**settings, "koteix": "200", "koteiy": "200",
                               "Fileindex": str((1 + ticks) % len(order))}
