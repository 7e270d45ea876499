"""The failure message over a running slideshow: the slideshow's windows take no input behind it."""

from __future__ import annotations

import time

import harness
from harness import RED, colours, expect_message_then_end

TICKS_OF_HALF_A_SECOND = 3


def test_clicks_and_keys_behind_the_message_change_nothing_and_ok_ends(wine, screen, scr, tmp_path):
    photo = harness.make_photo(tmp_path / "photos" / "a.bmp", (300, 200), RED)
    # One photo, so Fileindex 2 starts at 0 without being stored; a key that got through would.
    wine.reset_settings(harness.slideshow_settings(photo.parent, photo.name, Speed="1",
                                                   chokkei="100", Fileindex="2"))
    run = wine.start(scr, "/s")
    harness.wait_until(lambda: RED in colours(screen.screenshot()), 15, "the photo")
    photo.unlink()
    box = screen.wait_window("Solvarine", timeout=20)
    screen.wait_focus(box)

    screen.click(3, 3)  # the backdrop, far from the box: a click there would resume the ticks
    screen.key("x")
    deadline = time.monotonic() + TICKS_OF_HALF_A_SECOND * 0.5
    while time.monotonic() < deadline:
        assert run.running(), "a key behind the message ended the slideshow"
        assert len(screen.windows("Solvarine")) == 1, "a tick behind the message failed again"
        time.sleep(0.1)
    expect_message_then_end(wine, scr, screen, run, "2")
