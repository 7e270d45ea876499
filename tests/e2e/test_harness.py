"""The harness's own eyes, checked on programs other than the screen saver.

If the window search were blind, every "no window appears" test would pass for nothing; if the
registry round trip mangled text, the settings tests would compare the wrong values.
"""

import pytest


def test_settings_round_trip_keeps_text_exactly(wine):
    values = {"Filename": r"Z:\tmp\写真 フォルダ\\a \"b\".jpg", "Directory": "", "chokkei": " 400 ",
              "FilenameS": "設定画面で表示画像を設定してください.jpg", "Speed": "-1"}
    assert wine.settings() is None
    wine.reset_settings(values)
    assert wine.settings() == values
    wine.reset_settings()
    assert wine.settings() is None


@pytest.mark.parametrize("title", ["Form4", "Solvarine Ver4.0 "])
def test_a_window_is_seen_by_its_exact_title_only_and_goes_when_closed(wine, screen, title):
    window = wine.start(wine.tool("titled_window"), title)
    screen.wait_focus(screen.wait_window(title))
    # Exact titles only: a longer title or one without the trailing blank is another window.
    assert not screen.windows(title.strip() + "x")
    assert not screen.windows(title[:-1], visible_only=False)
    screen.key("alt+F4")
    assert window.wait_exit(timeout=15) == 0
    screen.wait_no_window(title)
