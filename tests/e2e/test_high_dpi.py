"""At 144 dots per inch (150 %): photos still spread over the whole physical screen, and the
dialog's controls sit where their twips say at that resolution."""

from __future__ import annotations

import pytest

import harness
from harness import DIALOG_TITLE, colours, control, wait_controls

DPI = 144


@pytest.fixture
def high_dpi(wine):
    key = r"HKCU\Control Panel\Desktop"
    assert wine.run("reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(DPI),
                    "/f")[0] == 0
    try:
        yield
    finally:
        wine.run("reg", "delete", key, "/v", "LogPixels", "/f")


def pixels(twips: int) -> int:
    return (twips * DPI + 720) // 1440


def test_photos_reach_the_far_corner_of_the_physical_screen(wine, screen, scr, tmp_path, high_dpi):
    harness.make_photo(tmp_path / "photos" / "a.bmp", (40, 30), harness.RED)
    wine.reset_settings(harness.slideshow_settings(tmp_path / "photos", "a.bmp", Speed="1",
                                                   chokkei="50"))
    run = wine.start(scr, "/s")
    # At 144 DPI a screen of 1024 x 768 pixels is 683 x 512 logical ones: photos beyond that show
    # that the placement uses the physical size.
    far = (683, 512, *harness.SCREEN_SIZE)
    harness.wait_until(lambda: harness.RED in colours(screen.screenshot().crop(far)), 30,
                       "a photo in the bottom-right third of the screen", interval=0.2)
    harness.focus_slideshow(screen)
    screen.key("Escape")
    assert run.wait_exit(15) == 0


def test_the_dialog_lays_out_its_controls_in_twips(wine, scr, tmp_path, high_dpi):
    run = wine.start(scr, "/c", cwd=tmp_path)
    found = wait_controls(wine, scr, DIALOG_TITLE)
    photo, ok, version = (control(found, "Button", "Photo File"), control(found, "Button", "OK"),
                          control(found, "Static", "Solvarine.scr Ver4.0 2003.4"))
    assert (photo.width, photo.height) == (pixels(1215), pixels(420))
    assert (ok.x - photo.x, ok.y - photo.y) == (0, pixels(4200) - pixels(2160))
    assert (version.x - photo.x, version.y - ok.y) == (pixels(120) - pixels(240),
                                                        pixels(4680) - pixels(4200))
    assert (version.width, version.height) == (pixels(3255), pixels(255))
    run.kill()
