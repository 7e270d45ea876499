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


@pytest.mark.parametrize("args", [["/s"], ["/S"], ["/s", "1234"]], ids=" ".join)
def test_slideshow_switch_covers_the_screen_in_black_until_a_key(wine, screen, scr, desktop,
                                                                 settings, args):
    slideshow = wine.start(scr, *args)
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


@pytest.mark.parametrize("args, opens_dialog", [
    (["/c"], True), (["/C:1234"], True), ([], True),
    (["/p", "1234"], False), (["/a"], False), (["s"], False), (["-s"], False), (["xyz"], False),
], ids=lambda v: " ".join(v) or "none" if isinstance(v, list) else None)
def test_other_switches_open_the_dialog_or_end_at_once_and_store_nothing(wine, screen, scr,
                                                                         settings, args,
                                                                         opens_dialog):
    run = wine.start(scr, *args)
    if opens_dialog:
        screen.wait_focus(screen.wait_window(DIALOG_TITLE))
        assert not any(screen.windows(title, visible_only=False) for title in SLIDESHOW_TITLES)
        screen.key("alt+F4")
        assert run.wait_exit() == 0
    else:
        assert_ends_at_once_without_a_window(screen, run)
    assert wine.settings() == settings


@pytest.mark.parametrize("args", [["/s"], ["/c"]], ids=" ".join)
@pytest.mark.parametrize("blocker", SLIDESHOW_TITLES + ("running slideshow",))
def test_a_window_with_a_slideshow_title_blocks_every_start(wine, screen, scr, settings, blocker,
                                                            args):
    if blocker in SLIDESHOW_TITLES:  # another program's window
        other = wine.start(wine.tool("titled_window"), blocker)
        screen.wait_window(blocker)
    else:
        other = wine.start(scr, "/s")
        for title in SLIDESHOW_TITLES:
            screen.wait_window(title)
    before, stored = own_windows(screen), wine.settings()

    assert_ends_at_once_without_a_window(screen, wine.start(scr, *args), before)
    assert other.running()
    assert wine.settings() == stored


def test_an_open_dialog_blocks_neither_a_slideshow_nor_a_second_dialog(wine, screen, scr, settings):
    wine.start(scr, "/c")
    screen.wait_window(DIALOG_TITLE)
    second_dialog = wine.start(scr, "/c")
    harness.wait_until(lambda: len(screen.windows(DIALOG_TITLE)) == 2, 30, "a second dialog")
    assert second_dialog.running()

    slideshow = wine.start(scr, "/s")
    windows = [screen.wait_window(title) for title in SLIDESHOW_TITLES]
    screen.wait_focus(*windows[1:])
    screen.key("space")
    assert slideshow.wait_exit() == 0
