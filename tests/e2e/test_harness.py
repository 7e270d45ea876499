"""The harness's own eyes and hands, checked on programs other than the screen saver.

If the window search were blind, every "no window appears" test would pass for nothing; if the
registry round trip mangled text, the settings tests would compare the wrong values.
"""

import pytest

import harness


@pytest.mark.parametrize("values", [
    {"Filename": r"Z:\tmp\写真 フォルダ\\a \"b\".jpg", "Directory": "", "chokkei": " 400 "},
    {"FilenameS": "設定画面で表示画像を設定してください.jpg", "Speed": "-1"},
], ids=["paths-quotes-empty", "japanese"])
def test_settings_round_trip_keeps_text_exactly(wine, values):
    assert wine.settings() is None
    wine.reset_settings(values)
    assert wine.settings() == values
    wine.reset_settings()
    assert wine.settings() is None


@pytest.mark.parametrize("title", ["Form4", "Solvarine Ver4.0 ", "設定"])
def test_a_titled_window_is_seen_exactly_and_closes(wine, screen, title):
    window = wine.start(wine.tool("titled_window"), title)
    screen.wait_window(title)
    assert wine.find_window(title)
    # Exact titles only: a prefix or a missing trailing blank is another window.
    assert not screen.windows(title.strip() + "x")
    assert not screen.windows(title[:-1])
    assert not wine.find_window(title[:-1])

    assert wine.close_window(title)
    assert window.wait_exit(timeout=15) == 0
    screen.wait_no_window(title)
    assert not wine.find_window(title)


def test_keys_reach_the_focused_wine_window(wine, screen):
    window = wine.start(wine.tool("titled_window"), "keys")
    screen.wait_focus(screen.wait_window("keys"))
    screen.key("alt+F4")
    assert window.wait_exit(timeout=15) == 0


def test_the_desktop_shows_in_screenshots_under_wine_windows(wine, screen, desktop):
    shot = screen.screenshot()
    assert shot.size == harness.SCREEN_SIZE
    assert shot.getpixel((10, 10)) == (200, 40, 40)
    assert shot.getpixel((1013, 757)) == (220, 200, 40)

    wine.start(wine.tool("titled_window"), "cover")
    window = screen.wait_window("cover")
    x, y, width, height = screen.geometry(window)
    inside = (x + width // 2, y + height // 2)
    harness.wait_until(lambda: screen.screenshot().getpixel(inside) != (200, 40, 40), 10,
                       "the window painted over the desktop")
