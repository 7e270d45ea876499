"""Start-up: the slideshow's switch covers the desktop; a preview request ends at once."""

import harness
from harness import DIALOG_TITLE, SLIDESHOW_TITLES

PHOTO_SIDE = 50


def slow_small_slideshow(wine, tmp_path) -> dict[str, str]:
    """A small photo at the slowest pace over the desktop: the screen stays the desktop but for at
    most one small photo while a test looks at it."""
    harness.make_photo(tmp_path / "photos" / "photo1.jpg", (160, 120))
    values = harness.slideshow_settings(tmp_path / "photos", chokkei=str(PHOTO_SIDE), Speed="10",
                                        Haikei="1")
    wine.reset_settings(values)
    return values


def test_slideshow_covers_the_screen_with_the_desktop_until_a_key(wine, screen, scr, desktop,
                                                                  tmp_path):
    settings = slow_small_slideshow(wine, tmp_path)
    slideshow = wine.start(scr, "/S", "1234")
    windows = {title: screen.wait_window(title) for title in SLIDESHOW_TITLES}
    for title, window in windows.items():
        harness.wait_until(lambda: screen.geometry(window) == (0, 0, *harness.SCREEN_SIZE), 10,
                           f"{title} to cover the screen")
    # The backdrop is the desktop's snapshot: it differs from it in one small photo at most.
    def photo_at_most():
        shot, seen = screen.screenshot(), desktop.image
        return sum(a != b for a, b in zip(shot.getdata(), seen.getdata())) <= PHOTO_SIDE ** 2

    harness.wait_until(photo_at_most, 10, "the desktop's snapshot")
    screen.wait_focus(windows["Form2"], windows["Form4"])
    screen.key("space")
    assert slideshow.wait_exit() == 0
    for title in SLIDESHOW_TITLES:
        screen.wait_no_window(title)
    assert wine.settings() == {**settings, "koteix": "200", "koteiy": "200", "Fileindex": "0"}


def test_a_preview_request_ends_at_once_without_a_window_and_stores_nothing(wine, screen, scr,
                                                                            tmp_path):
    settings = slow_small_slideshow(wine, tmp_path)
    run = wine.start(scr, "/p", "1234")
    appeared = set()

    def ended():
        appeared.update(t for t in SLIDESHOW_TITLES + (DIALOG_TITLE,)
                        if screen.windows(t, visible_only=False))
        return not run.running()

    harness.wait_until(ended, 20, "the preview request to end")
    assert not appeared and run.wait_exit(0) == 0
    assert wine.settings() == settings
