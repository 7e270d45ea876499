"""The settings dialog: closed, it stores nothing, as the switches that show nothing do; at 144
dots per inch, what it hands to the slideshow: camera photos, one stored on its side and one
empty, until the message ends it."""

from __future__ import annotations

import time

import pytest
from PIL import Image

from privatewine import (BLUE, DIALOG_TITLE, GREEN, PATIENCE, RED, SCR, box_of, centre, controls,
                         make_photo, slideshow_settings, texts, wait_controls, wait_until,
                         wine_path)

DPI = 144
VERSION = "Solvarine.scr Ver4.0 2003.4"
MESSAGE = "設定画面で表示画像を設定してください"


def test_closing_the_dialog_a_preview_request_or_an_unknown_switch_stores_nothing(wine, screen):
    run = wine.start(SCR)
    wait_controls(wine, DIALOG_TITLE)
    screen.wait_focus(screen.wait_window(DIALOG_TITLE))
    screen.key("alt+F4")
    assert run.wait_exit() == 0
    for switch in (["/p", "1234"], ["/x"]):  # a window shown would keep it running
        assert wine.run(SCR, *switch, timeout=PATIENCE)[0] == 0, switch
    assert wine.settings() is None


@pytest.fixture
def high_dpi(wine):
    value = (r"HKCU\Control Panel\Desktop", "/v", "LogPixels")
    assert wine.run("reg", "add", *value, "/t", "REG_DWORD", "/d", str(DPI), "/f")[0] == 0
    yield
    wine.run("reg", "delete", *value, "/f")


def pixels(twips: int) -> int:
    return (twips * DPI + 720) // 1440


JPEG = 59  # how far a JPEG decoder may give a colour back


def test_the_dialog_shows_and_stores_a_pick_the_slideshow_shows_upright_until_the_message(
        wine, screen, tmp_path, high_dpi):
    stored = slideshow_settings(make_photo(tmp_path / "old" / "old.bmp", (40, 30)).parent,
                                "old.bmp", Speed="1", chokkei="150", Haikei="1")
    wine.reset_settings(stored)
    # A photo stored landscape, red left and blue right, whose tag says: turn a quarter clockwise
    # to view; an empty JPEG; a green photo.
    folder = make_photo(tmp_path / "camera" / "d.bmp", (80, 60), GREEN).parent
    side = Image.new("RGB", (200, 100), BLUE)
    side.paste(RED, (0, 0, 100, 100))
    exif = side.getexif()
    exif[0x0112] = 6
    side.save(folder / "a.jpg", quality=95, exif=exif)
    (folder / "b.jpg").write_bytes(b"")
    run = wine.start(SCR, "/c:1234", cwd=tmp_path)
    found = wait_controls(wine, DIALOG_TITLE)
    assert sorted(texts(found, "Static")) == sorted(["時間", "1", "大きさ", "150", "old.bmp", VERSION])
    assert sorted(texts(found, "Button")) == sorted(["Photo File", "OK", "背景", "壁紙", "黒"])
    assert [c.text for c in found if c.checked] == ["壁紙"]
    # Where the twips say at 144 DPI, from the Photo File button's corner.
    twips = {"Photo File": (240, 2160, 1215, 420), "OK": (240, 4200, 1215, 375),
             VERSION: (120, 4680, 3255, 255), "黒": (1800, 3705, 855, 255)}
    at = {c.text: c for c in found[1:] if c.text in twips}
    left, top = at["Photo File"].x - pixels(240), at["Photo File"].y - pixels(2160)
    assert {text: (c.x - left, c.y - top, c.width, c.height) for text, c in at.items()} == \
        {text: tuple(map(pixels, rect)) for text, rect in twips.items()}

    preview = max((c for c in found[1:] if c.visible and c.kind == "SolvarinePictureBox"),
                  key=lambda c: c.width * c.height)
    dialog = screen.wait_window(DIALOG_TITLE)
    screen.wait_focus(dialog)
    screen.click(*centre(at["Photo File"]))
    screen.wait_focus(screen.wait_window("Open"))
    screen.type_text(wine_path(folder / "d.bmp"))
    screen.key("Return")
    wait_until(lambda: "d.bmp" in texts(controls(wine, DIALOG_TITLE), "Static"), "the name")
    wait_until(lambda: screen.screenshot().getpixel(centre(preview)) == GREEN, "the preview")
    screen.wait_focus(dialog)
    screen.click(*centre(at["黒"]))
    screen.click(*centre(at["OK"]))
    assert run.wait_exit() == 0
    stored = {**stored, "Filename": wine_path(folder / "d.bmp"), "FilenameS": "d.bmp",
              "Directory": wine_path(folder), "Haikei": "0"}
    assert wine.settings() == stored

    run = wine.start(SCR, "/s")
    # a.jpg first, upright: 100 x 200 drawn with a diagonal of 150 is 67 x 134, red on top.
    shot = wait_until(lambda: box_of(s := screen.screenshot(), BLUE, JPEG) and s,
                      "the turned photo", interval=0.1)
    red, blue = box_of(shot, RED, JPEG), box_of(shot, BLUE, JPEG)
    assert red[3] <= blue[1] + 1, "red above blue"
    assert (blue[2] - red[0], blue[3] - red[1]) == (67, 134)

    def rounds_to_the_far_corner():
        # Three rounds of the green photo (120 x 90) past the broken file, and a photo beyond the
        # 683 x 512 logical pixels of the screen: placed on the physical one.
        shot = screen.screenshot()
        green = sum(n for n, colour in shot.getcolors(1 << 20) if colour == GREEN)
        corner = shot.crop((683, 512, 1024, 768))
        return green >= 3 * 120 * 90 * 0.9 and any(box_of(corner, c, JPEG)
                                                    for c in (RED, GREEN, BLUE))

    wait_until(rounds_to_the_far_corner, "three rounds and the far corner", interval=0.2)
    assert not screen.windows("Solvarine")
    stored = wine.settings()
    (folder / "a.jpg").unlink()
    (folder / "d.bmp").unlink()
    found = wait_controls(wine, "Solvarine")
    assert " ".join(t for t in texts(found, "Static") if t) == MESSAGE
    assert texts(found, "Button") == ["OK"]
    # The message owns the screen: a click on the backdrop (which resumes the ticks) and a key
    # (which ends and stores the position) do nothing. Space held draws OK pressed: once it shows,
    # the box has dealt with the click and the key before it.
    box = screen.wait_window("Solvarine")
    screen.wait_focus(box)
    where = (found[0].x, found[0].y, found[0].x + found[0].width, found[0].y + found[0].height)
    looks = screen.screenshot().crop(where).tobytes()
    screen.click(3, 3)
    screen.key("x")
    screen.hold_key("space", down=True)
    try:
        wait_until(lambda: screen.screenshot().crop(where).tobytes() != looks, "OK pressed")
        watched = time.monotonic()
        while time.monotonic() < watched + 1.5:  # three ticks' time: a resumed tick would show
            assert run.running() and screen.windows("Solvarine") == [box]
    finally:
        screen.hold_key("space", down=False)
    assert run.wait_exit() == 0
    assert wine.settings() == stored
