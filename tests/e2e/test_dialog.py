"""The settings dialog as a user meets it: stored values shown, sliders, the photo picker, OK."""

from __future__ import annotations

import harness
from harness import BLUE, DIALOG_TITLE as CAPTION, WHITE, control, controls, preview_box, statics


def sliders(found) -> list[int]:
    return [c.position for c in found[1:] if c.kind == "ScrollBar"]


def option(found, caption):
    return control(found, "Button", caption)


def near(colour, expected, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def open_dialog(wine, scr, cwd, settings=None):
    wine.reset_settings(settings)
    run = wine.start(scr, cwd=cwd)
    return run, harness.wait_controls(wine, CAPTION)


def press_ok(screen, wine, run):
    screen.click(*control(controls(wine, CAPTION), "Button", "OK").centre)
    assert run.wait_exit(15) == 0


def test_first_run_without_a_sample_photo(wine, screen, scr, tmp_path):
    run, found = open_dialog(wine, scr, tmp_path)
    assert sliders(found) == [4, 200]
    assert {"4", "200", "", "時間", "大きさ"} <= set(statics(found))
    assert not option(found, "壁紙").checked and not option(found, "黒").checked
    box = preview_box(found)
    shot = screen.screenshot()
    assert shot.getpixel(box.centre) == WHITE
    press_ok(screen, wine, run)
    assert wine.settings() == {"Speed": "4", "chokkei": "200", "Filename": "",
                               "FilenameS": "sample1.jpg", "Fileindex": "0", "Directory": "",
                               "Haikei": "0"}


def test_the_sample_photo_is_previewed_centred_between_white_bands(wine, screen, scr, tmp_path):
    harness.make_photo(tmp_path / "sample1.jpg", (400, 300), (200, 30, 30))
    run, found = open_dialog(wine, scr, tmp_path)
    assert sliders(found) == [2, 400]
    assert {"2", "400", "sample1.jpg"} <= set(statics(found))
    assert option(found, "黒").checked and not option(found, "壁紙").checked
    box = preview_box(found)
    shot = screen.screenshot()
    assert near(shot.getpixel(box.centre), (200, 30, 30))
    band = int(box.width * (1 - (box.height * 4 / 3) / box.width) / 2)
    assert band >= 4, "a 4:3 photo in a wider box leaves bands at the sides"
    assert shot.getpixel((box.x + band // 2, box.centre[1])) == WHITE
    assert shot.getpixel((box.x + box.width - 1 - band // 2, box.centre[1])) == WHITE
    run.kill()


def test_a_slider_updates_its_label_and_closing_stores_nothing(wine, screen, scr, tmp_path):
    run, found = open_dialog(wine, scr, tmp_path)
    time_slider = control(found, "ScrollBar", index=0)
    screen.click(time_slider.x + time_slider.width - 4, time_slider.centre[1])
    harness.wait_until(lambda: "5" in statics(controls(wine, CAPTION)), 10, "the time label at 5")
    assert sliders(controls(wine, CAPTION))[0] == 5
    screen.key("alt+F4")
    assert run.wait_exit(15) == 0
    assert wine.settings() is None


def test_a_picked_photo_is_shown_stored_and_used_by_the_next_slideshow(wine, screen, scr, tmp_path):
    other = tmp_path / "other"
    harness.make_photo(other / "pick.bmp", (300, 400), BLUE)
    run, found = open_dialog(wine, scr, tmp_path)
    screen.click(*control(found, "Button", "Photo File").centre)
    screen.wait_window("Open")
    screen.type_text(harness.wine_path(other / "pick.bmp"))
    screen.key("Return")
    harness.wait_until(lambda: "pick.bmp" in statics(controls(wine, CAPTION)), 15, "the name box")
    box = preview_box(controls(wine, CAPTION))
    harness.wait_until(lambda: screen.screenshot().getpixel(box.centre) == BLUE, 10,
                       "the preview of the picked photo")
    press_ok(screen, wine, run)
    stored = wine.settings()
    assert stored["Filename"] == harness.wine_path(other / "pick.bmp")
    assert stored["FilenameS"] == "pick.bmp"
    assert stored["Directory"] == harness.wine_path(other)

    show = wine.start(scr, "/s")
    harness.wait_until(lambda: BLUE in harness.colours(screen.screenshot()),
                       20, "the picked folder's photo in the slideshow")
    screen.key("Escape")
    assert show.wait_exit(15) == 0
