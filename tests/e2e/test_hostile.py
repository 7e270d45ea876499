"""Hostile photo files: each one either shows as it should or ends the slideshow with the one
message, never with a crash, a hang or an error report. The settings dialog's picker refuses the
broken ones and keeps what the user had."""

from __future__ import annotations

import pytest

import harness
from harness import CRASH_DIALOG, DIALOG_TITLE, controls, statics
from hostile_corpus import CASES, PICKER_CASES

STORED_INDEX = "3"  # out of range, so a key's exit would store a different one


def colour_area(shot, colour, tolerance=40) -> int:
    """How many pixels are within tolerance of colour (decoders round colours differently)."""
    return sum(count for count, seen in shot.getcolors(1 << 20)
               if all(abs(a - b) <= tolerance for a, b in zip(seen, colour)))


@pytest.mark.parametrize("case", CASES, ids=[case.name for case in CASES])
def test_a_hostile_photo_shows_or_ends_with_the_message(wine, screen, scr, tmp_path, case):
    folder = tmp_path / "photos"
    file = case.write(folder)
    if case.locked:
        ready = tmp_path / "locked.ready"
        holder = wine.start(wine.tool("lock_file"), harness.wine_path(file), harness.wine_path(ready))
        harness.wait_until(lambda: ready.exists() or not holder.running(), 15, "the file lock")
        assert holder.running(), f"lock_file could not open {file}: {holder.output()}"
    # The chosen photo is a good one elsewhere, so that the set-up passes and the tick meets the
    # hostile file.
    chosen = harness.make_photo(tmp_path / "chosen" / "good.jpg", (64, 48), (128, 128, 128))
    wine.reset_settings(harness.slideshow_settings(folder, Speed="1", chokkei="200",
                                                   Fileindex=STORED_INDEX,
                                                   Filename=harness.wine_path(chosen)))
    run = wine.start(scr, "/s")

    if case.colour:
        area = harness.wait_until(lambda: colour_area(screen.screenshot(), case.colour), 20,
                                  f"{case.name}'s colour on the screen", interval=0.1)
        # The file is read again on every tick: the pile grows, so the next tick showed it too.
        harness.wait_until(lambda: colour_area(screen.screenshot(), case.colour) > area, 20,
                           f"{case.name} shown a second time", interval=0.1)
        assert harness.message_box_text(wine) is None
        screen.wait_focus(*[w for title in harness.SLIDESHOW_TITLES for w in screen.windows(title)])
        screen.key("Escape")
        assert run.wait_exit(15) == 0
    else:
        harness.expect_message_then_end(wine, screen, run, STORED_INDEX)
    assert not screen.windows(CRASH_DIALOG, visible_only=False)


@pytest.mark.parametrize("case", PICKER_CASES, ids=[case.name for case in PICKER_CASES])
def test_the_picker_refuses_a_broken_photo_and_keeps_the_earlier_one(wine, screen, scr, tmp_path,
                                                                     case):
    harness.make_photo(tmp_path / "sample1.jpg", (400, 300), (200, 30, 30))
    bad = case.write(tmp_path / "bad")
    run = wine.start(scr, cwd=tmp_path)
    found = harness.wait_controls(wine, DIALOG_TITLE)
    box = harness.preview_box(found)
    area = (box.x, box.y, box.x + box.width, box.y + box.height)
    before = screen.wait_still().crop(area)
    names_before = statics(found)
    assert "sample1.jpg" in names_before

    screen.click(*harness.control(found, "Button", "Photo File").centre)
    screen.wait_focus(screen.wait_window("Open"))
    screen.type_text(harness.wine_path(bad))
    screen.key("Return")
    screen.wait_no_window("Open")
    # A slider click is handled only after the picker's handler has returned.
    slider = harness.control(found, "ScrollBar", index=0)
    screen.click(slider.x + slider.width - 4, slider.centre[1])
    harness.wait_until(lambda: statics(controls(wine, DIALOG_TITLE)) != names_before, 10,
                       "the time label to move")

    after = controls(wine, DIALOG_TITLE)
    assert after is not None and run.running(), "the dialog stays open"
    assert "sample1.jpg" in statics(after) and bad.name not in statics(after)
    assert screen.wait_still().crop(area).tobytes() == before.tobytes(), "the preview is unchanged"
    assert harness.message_box_text(wine) is None
    assert not screen.windows(CRASH_DIALOG, visible_only=False)
    run.kill()
