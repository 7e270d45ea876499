"""Start-up: which command line opens which windows, and what makes a start end at once."""

import pytest

import harness
from harness import DIALOG_TITLE, SLIDESHOW_TITLES

PHOTO_SIDE = 50


@pytest.fixture
def settings(wine, tmp_path):
    """A small photo at the slowest pace: the screen stays black but for at most one small photo
    while a test looks at it."""
    harness.make_photo(tmp_path / "photos" / "photo1.jpg", (160, 120))
    values = harness.slideshow_settings(tmp_path / "photos", chokkei=str(PHOTO_SIDE), Speed="10")
    wine.reset_settings(values)
    return values


def own_windows(screen):
    return {(title, window) for title in SLIDESHOW_TITLES + (DIALOG_TITLE,)
            for window in screen.windows(title, visible_only=False)}


def assert_ends_at_once_without_a_window(screen, process, windows_before=frozenset()):
    """The program ends with exit code 0, and none of our window titles showed up meanwhile."""
    appeared = set()

    def ended():
        appeared.update(own_windows(screen) - windows_before)
        return not process.running()

    harness.wait_until(ended, 20, f"{process.argv} to end")
    assert not appeared, f"windows appeared: {sorted(title for title, _ in appeared)}"
    assert process.wait_exit(0) == 0


def test_slideshow_covers_the_desktop_in_black_until_a_key(wine, screen, scr, desktop, settings):
    slideshow = wine.start(scr, "/S", "1234")
    windows = {title: screen.wait_window(title) for title in SLIDESHOW_TITLES}
    for title, window in windows.items():
        harness.wait_until(lambda: screen.geometry(window) == (0, 0, *harness.SCREEN_SIZE), 10,
                           f"{title} to cover the screen")
    # The coloured desktop is hidden: black everywhere but for at most one small photo.
    harness.wait_until(lambda: sum(n for n, c in screen.screenshot().getcolors(1 << 20)
                                   if c != harness.BLACK) <= PHOTO_SIDE ** 2, 10, "a black screen")
    screen.wait_focus(windows["Form2"], windows["Form4"])
    screen.key("space")
    assert slideshow.wait_exit() == 0
    for title in SLIDESHOW_TITLES:
        screen.wait_no_window(title)
    stored = wine.settings()
    assert stored == {**settings, "koteix": "200", "koteiy": "200", "Fileindex": "0"}


def test_a_preview_request_ends_at_once_and_stores_nothing(wine, screen, scr, settings):
    assert_ends_at_once_without_a_window(screen, wine.start(scr, "/p", "1234"))
    assert wine.settings() == settings


def test_a_window_with_a_slideshow_title_blocks_every_start(wine, screen, scr, settings):
    other = wine.start(harness.tool(scr, "titled_window"), "Form4")  # another program's window
    screen.wait_window("Form4")
    assert_ends_at_once_without_a_window(screen, wine.start(scr, "/s"), own_windows(screen))
    other.kill()
    screen.wait_no_window("Form4")

    running = wine.start(scr, "/s")
    for title in SLIDESHOW_TITLES:
        screen.wait_window(title)
    stored = wine.settings()
    assert_ends_at_once_without_a_window(screen, wine.start(scr, "/c"), own_windows(screen))
    assert running.running()
    assert wine.settings() == stored
