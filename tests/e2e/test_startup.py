"""Start-up: which command line opens which windows, and what makes a start end at once."""

import pytest

import harness

SLIDESHOW_TITLES = ("Form1", "Form2", "Form4")
DIALOG_TITLE = "Solvarine Ver4.0 "
OWN_TITLES = SLIDESHOW_TITLES + (DIALOG_TITLE,)
BLACK = (0, 0, 0)
PHOTO_SIDE = 50


@pytest.fixture
def settings(wine, photo_folder):
    """A usable photo folder, a small photo box and the slowest pace: the screen stays black but
    for at most one small photo while a test looks at it."""
    values = harness.slideshow_settings(photo_folder, chokkei=str(PHOTO_SIDE), Speed="10")
    wine.reset_settings(values)
    return values


def own_windows(screen):
    return {(title, window) for title in OWN_TITLES
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


def not_black_pixels(image):
    return sum(count for count, colour in image.getcolors(1 << 24) if colour != BLACK)


@pytest.mark.parametrize("args", [["/s"], ["/S"], ["/s", "1234"]], ids=" ".join)
def test_slideshow_switch_covers_the_screen_in_black_until_a_key(wine, screen, scr, desktop,
                                                                 settings, args):
    slideshow = wine.start(scr, *args)
    windows = {title: screen.wait_window(title) for title in SLIDESHOW_TITLES}
    for title, window in windows.items():
        harness.wait_until(lambda: screen.geometry(window) == (0, 0, *harness.SCREEN_SIZE), 10,
                           f"{title} to cover the screen")

    # The coloured desktop is hidden: black everywhere but for at most one small photo.
    harness.wait_until(
        lambda: not_black_pixels(screen.screenshot()) <= PHOTO_SIDE * PHOTO_SIDE, 10,
        "a black screen")

    screen.wait_focus(windows["Form2"], windows["Form4"])
    screen.key("space")
    assert slideshow.wait_exit() == 0
    for title in SLIDESHOW_TITLES:
        screen.wait_no_window(title)


@pytest.mark.parametrize("args", [["/c"], ["/C:1234"], []], ids=lambda args: " ".join(args) or "none")
def test_settings_switch_opens_the_dialog_and_closing_it_stores_nothing(wine, screen, scr, settings,
                                                                       args):
    dialog = wine.start(scr, *args)
    window = screen.wait_window(DIALOG_TITLE)
    assert not any(screen.windows(title, visible_only=False) for title in SLIDESHOW_TITLES)

    screen.wait_focus(window)
    screen.key("alt+F4")
    assert dialog.wait_exit() == 0
    assert wine.settings() == settings


@pytest.mark.parametrize("args", [["/p", "1234"], ["/a"], ["s"], ["-s"], ["xyz"]], ids=" ".join)
def test_other_switches_end_at_once_without_a_window(wine, screen, scr, settings, args):
    assert_ends_at_once_without_a_window(screen, wine.start(scr, *args))
    assert wine.settings() == settings


@pytest.mark.parametrize("args", [["/s"], ["/c"]], ids=" ".join)
@pytest.mark.parametrize("title", SLIDESHOW_TITLES)
def test_another_programs_window_with_a_slideshow_title_blocks_every_start(wine, screen, scr,
                                                                          settings, title, args):
    other = wine.start(wine.tool("titled_window"), title)
    screen.wait_window(title)
    before = own_windows(screen)

    assert_ends_at_once_without_a_window(screen, wine.start(scr, *args), before)
    assert other.running()
    assert wine.settings() == settings


@pytest.mark.parametrize("args", [["/s"], ["/c"]], ids=" ".join)
def test_a_running_slideshow_blocks_a_second_start(wine, screen, scr, settings, args):
    first = wine.start(scr, "/s")
    for title in SLIDESHOW_TITLES:
        screen.wait_window(title)
    before = own_windows(screen)

    assert_ends_at_once_without_a_window(screen, wine.start(scr, *args), before)
    assert first.running()


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
