"""The settings dialog as a user meets it: its texts, stored values, sliders, the photo picker, OK."""

from __future__ import annotations

import harness
from harness import BLUE, DIALOG_TITLE, WHITE, control, controls, texts, wait_controls

TEXTS = {"Static": sorted(["時間", "2", "大きさ", "400", "sample1.jpg",
                          "Solvarine.scr Ver4.0 2003.4"]),
         "Button": sorted(["Photo File", "OK", "背景", "壁紙", "黒"])}


def sliders(found) -> list[int]:
    return [c.position for c in found[1:] if c.kind == "ScrollBar"]


def checked(found) -> list[str]:
    return [c.text for c in found[1:] if c.kind == "Button" and c.checked]


def near(colour, expected, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def press_ok(screen, wine, scr, run):
    screen.click(*control(controls(wine, scr, DIALOG_TITLE), "Button", "OK").centre)
    assert run.wait_exit(15) == 0


def preview_box(found):
    """The biggest visible child that is no standard control."""
    boxes = [c for c in found[1:] if c.visible and c.kind not in ("Button", "Static", "ScrollBar")]
    return max(boxes, key=lambda c: c.width * c.height)


def test_the_sample_is_previewed_a_slider_moves_and_closing_stores_nothing(wine, screen, scr,
                                                                          tmp_path):
    harness.make_photo(tmp_path / "sample1.jpg", (400, 300), (200, 30, 30))
    run = wine.start(scr, "/c:1234", cwd=tmp_path)
    found = wait_controls(wine, scr, DIALOG_TITLE)
    assert found[0].text == DIALOG_TITLE
    assert {kind: sorted(texts(found, kind)) for kind in TEXTS} == TEXTS
    assert sliders(found) == [2, 400] and checked(found) == ["黒"]
    box = preview_box(found)
    shot = screen.wait_still()
    assert near(shot.getpixel(box.centre), (200, 30, 30))
    band = int(box.width * (1 - (box.height * 4 / 3) / box.width) / 2)
    assert band >= 4, "a 4:3 photo in a wider box leaves bands at the sides"
    assert shot.getpixel((box.x + band // 2, box.centre[1])) == WHITE
    assert shot.getpixel((box.x + box.width - 1 - band // 2, box.centre[1])) == WHITE
    name = control(found, "Static", "sample1.jpg")
    assert shot.getpixel((name.x + name.width - 2, name.y + 1)) == WHITE, "the name box is white"

    time_slider = control(found, "ScrollBar", index=0)
    screen.click(time_slider.x + time_slider.width - 4, time_slider.centre[1])
    harness.wait_until(lambda: "3" in texts(controls(wine, scr, DIALOG_TITLE), "Static"), 10,
                       "the time label at 3")
    screen.key("alt+F4")
    assert run.wait_exit(15) == 0
    assert wine.settings() is None


def pick(screen, file):
    screen.wait_focus(screen.wait_window("Open"))
    screen.type_text(harness.wine_path(file))
    screen.key("Return")
    screen.wait_no_window("Open")


def test_a_picked_photo_is_shown_stored_and_used_by_the_next_slideshow(wine, screen, scr, tmp_path):
    other = tmp_path / "other"
    harness.make_photo(other / "pick.bmp", (300, 400), BLUE)
    cut = harness.make_photo(tmp_path / "broken" / "cut.jpg", (300, 400), BLUE)
    cut.write_bytes(cut.read_bytes()[:300])
    run = wine.start(scr, cwd=tmp_path)
    found = wait_controls(wine, scr, DIALOG_TITLE)
    box = preview_box(found)
    screen.click(*control(found, "Button", "Photo File").centre)
    pick(screen, other / "pick.bmp")
    harness.wait_until(lambda: "pick.bmp" in texts(controls(wine, scr, DIALOG_TITLE), "Static"), 15,
                       "the name box")
    harness.wait_until(lambda: screen.screenshot().getpixel(box.centre) == BLUE, 10,
                       "the preview of the picked photo")
    # A broken photo is refused: the dialog stays open and keeps the earlier choice, which OK
    # (handled only after the picker's handler has returned) stores.
    screen.click(*control(found, "Button", "Photo File").centre)
    pick(screen, cut)
    assert "pick.bmp" in texts(controls(wine, scr, DIALOG_TITLE), "Static")
    press_ok(screen, wine, scr, run)
    assert not screen.windows(harness.CRASH_DIALOG, visible_only=False)
    stored = wine.settings()
    assert stored["Filename"] == harness.wine_path(other / "pick.bmp")
    assert stored["FilenameS"] == "pick.bmp"
    assert stored["Directory"] == harness.wine_path(other)

    show = wine.start(scr, "/s")
    harness.wait_until(lambda: BLUE in harness.colours(screen.screenshot()),
                       20, "the picked folder's photo in the slideshow")
    harness.focus_slideshow(screen)
    screen.key("Escape")
    assert show.wait_exit(15) == 0
