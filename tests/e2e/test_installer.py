"""The setup program and its uninstaller, silently and once through its pages: where the screen
saver lands, the entry Windows lists, versions replaced and kept, a running copy spared, the
hand-over to the desktop's shell, signed releases, and what removal leaves behind."""

from __future__ import annotations

import os
import shutil
import struct
import subprocess
from pathlib import Path

import pytest

from privatewine import (RED, SCR, colours, controls, focus_slideshow, make_photo,
                         slideshow_settings, wait_until)

UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Solvarine"
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
OTHER_USER_DESKTOP_KEY = r"HKU\.Default\Control Panel\Desktop"  # another user's hive
INSTALLED = r"C:\windows\system32\Solvarine.scr"


def file_version(path: Path) -> tuple[int, ...]:
    """The four numbers of a program's VERSIONINFO: its fixed part, which Explorer shows."""
    data = path.read_bytes()
    high, low = struct.unpack_from("<II", data, data.index(struct.pack("<I", 0xFEEF04BD)) + 8)
    return high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF


@pytest.fixture
def setup_exe(wine) -> Path:
    """The setup program; whatever it and its uninstaller did, nothing of them stays."""
    given = os.environ.get("SOLVARINE_SETUP")
    found = [Path(given)] if given else list(SCR.parent.glob("Solvarine-*-win64-setup.exe"))
    assert len(found) == 1 and found[0].is_file(), f"not one setup program: {found}"
    yield found[0].resolve()
    wine.end_all()  # a slideshow still running would hold the file
    for file in ("Solvarine.scr", "desk.cpl"):
        (wine.prefix / "drive_c/windows/system32" / file).unlink(missing_ok=True)
    shutil.rmtree(wine.prefix / "drive_c/Program Files/Solvarine", ignore_errors=True)
    for args in ([UNINSTALL_KEY, "/f"], [DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/f"],
                 [OTHER_USER_DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/f"]):
        wine.run("reg", "delete", *args, cwd=wine.prefix)


def test_installs_replaces_keeps_hands_over_signs_and_uninstalls(wine, screen, setup_exe,
                                                                 tmp_path):
    installed = wine.prefix / "drive_c/windows/system32/Solvarine.scr"
    assert wine.run(setup_exe, "/S")[0] == 0
    assert installed.read_bytes() == SCR.read_bytes()
    entry = wine.settings(UNINSTALL_KEY)
    displayed = tuple(map(int, entry["DisplayVersion"].split(".")))
    assert displayed + (0,) * (4 - len(displayed)) == file_version(SCR) == file_version(setup_exe)
    assert entry.keys() == {"DisplayName", "DisplayVersion", "Publisher", "DisplayIcon", "NoModify",
                            "NoRepair", "EstimatedSize", "InstallLocation", "UninstallString",
                            "QuietUninstallString"}
    assert int(entry["EstimatedSize"].removeprefix("dword:"), 16) >= SCR.stat().st_size // 1024
    assert "SCRNSAVE.EXE" not in wine.settings(DESKTOP_KEY), "silent selects nothing"

    # An older copy, told apart by bytes after its image that Windows' loader ignores.
    installed.write_bytes(older := SCR.read_bytes() + b"older")
    wine.reset_settings(slideshow_settings(make_photo(tmp_path / "a.bmp", (300, 200)).parent,
                                           "a.bmp", Speed="1"))
    slideshow = wine.start(INSTALLED, "/s")
    wait_until(lambda: RED in colours(screen.screenshot()), "the installed slideshow")
    # Newer: kept, Windows Installer's 1638 (Linux sees its low byte); older but running: kept.
    for version, code in (("99.0", 1638 % 256), ("3.9", 2)):
        wine.run("reg", "add", UNINSTALL_KEY, "/v", "DisplayVersion", "/d", version, "/f")
        assert wine.run(setup_exe, "/S")[0] == code
        assert installed.read_bytes() == older and slideshow.running()
    focus_slideshow(screen)
    screen.key("Escape")
    assert slideshow.wait_exit() == 0
    settings = wine.settings()

    # Through the pages, over the older version; the last page has the desktop's shell start
    # Windows' "Install" command for screen savers.
    shutil.copy(SCR.parent / "desk.cpl", installed.parent)
    wine.restart_shell()
    pages = wine.start(setup_exe)
    title = f"Solvarine {entry['DisplayVersion']} Setup"
    screen.wait_focus(screen.wait_window(title))
    screen.key("Return")
    last_page = title + " "  # MUI's caption of its own pages
    wait_until(lambda: any(c.checked and c.visible for c in controls(wine, last_page)),
               "the last page, its box ticked")
    screen.key("Return")
    assert pages.wait_exit() == 0
    assert installed.read_bytes() == SCR.read_bytes()
    assert wine.settings(UNINSTALL_KEY)["DisplayVersion"] == entry["DisplayVersion"]
    wait_until(lambda: "SCRNSAVE.EXE" in wine.settings(DESKTOP_KEY), "the choice, by the shell")
    wine.run("reg", "add", OTHER_USER_DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/d", INSTALLED.upper(),
             "/f")
    uninstall(wine)
    assert "SCRNSAVE.EXE" not in wine.settings(DESKTOP_KEY)
    assert "SCRNSAVE.EXE" not in wine.settings(OTHER_USER_DESKTOP_KEY)

    # The build's release signed with a throw-away certificate; uninstalling it keeps another copy
    # chosen, such as the zip's.
    subprocess.run(["cmake", "--build", SCR.parent, "--target", "signed_test_release"], check=True,
                   capture_output=True)
    (setup,) = (signed := SCR.parent / "signed-test").glob("Solvarine-*-win64-setup.exe")
    assert wine.run(setup, "/S")[0] == 0
    uninstaller = wine.prefix / "drive_c/Program Files/Solvarine/Uninstall.exe"
    for program in (setup, installed, uninstaller):
        verified = subprocess.run(["osslsigncode", "verify", "-CAfile", signed / "cert.pem", "-in",
                                   program], capture_output=True, text=True)
        assert verified.returncode == 0, f"{program} is not signed: {verified.stdout}"
    wine.run("reg", "add", DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/d",
             r"C:\users\me\Downloads\Solvarine.scr", "/f")
    uninstall(wine)
    assert "SCRNSAVE.EXE" in wine.settings(DESKTOP_KEY)
    assert wine.settings() == settings, "the user's settings stay"


def uninstall(wine) -> None:
    """The quiet uninstall Windows lists; it goes on from a copy of itself, the entry goes last."""
    program, arguments = wine.settings(UNINSTALL_KEY)["QuietUninstallString"].split('" ')
    assert wine.run(program.strip('"'), arguments)[0] == 0
    wait_until(lambda: wine.settings(UNINSTALL_KEY) is None, "the uninstall entry", interval=0.2)
    assert not (wine.prefix / "drive_c/windows/system32/Solvarine.scr").exists()
    assert not (wine.prefix / "drive_c/Program Files/Solvarine").exists()
