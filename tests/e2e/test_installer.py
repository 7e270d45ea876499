"""The setup program and its uninstaller, run silently as an administrator's tools would: where the
screen saver lands, the entry Windows lists, a running copy that must survive, and what removal
leaves behind."""

from __future__ import annotations

import os
import shutil
import struct
from pathlib import Path

import pytest

from privatewine import (RED, SCR, colours, focus_slideshow, make_photo, slideshow_settings,
                         wait_until)

UNINSTALL_KEY = r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Solvarine"
DESKTOP_KEY = r"HKEY_CURRENT_USER\Control Panel\Desktop"
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
    (wine.prefix / "drive_c/windows/system32/Solvarine.scr").unlink(missing_ok=True)
    shutil.rmtree(wine.prefix / "drive_c/Program Files/Solvarine", ignore_errors=True)
    for args in ([UNINSTALL_KEY, "/f"], [DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/f"]):
        wine.run("reg", "delete", *args, cwd=wine.prefix)


def test_installs_runs_leaves_a_running_copy_alone_and_uninstalls(wine, screen, setup_exe,
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
    wait_until(lambda: RED in colours(screen.screenshot()), 30, "the installed slideshow")
    assert wine.run(setup_exe, "/S")[0] != 0, "a running copy must make setup fail"
    assert installed.read_bytes() == older and slideshow.running()
    focus_slideshow(screen)
    screen.key("Escape")
    assert slideshow.wait_exit(15) == 0
    settings = wine.settings()

    # Uninstalling forgets the chosen screen saver only where it is ours.
    for chosen, forgotten in ((INSTALLED.upper(), True),
                              (r"C:\users\me\Downloads\Solvarine.scr", False)):  # the zip's copy
        assert wine.run(setup_exe, "/S")[0] == 0
        assert installed.read_bytes() == SCR.read_bytes()
        wine.run("reg", "add", DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/d", chosen, "/f")
        program, arguments = wine.settings(UNINSTALL_KEY)["QuietUninstallString"].split('" ')
        assert wine.run(program.strip('"'), arguments)[0] == 0
        # The uninstaller goes on from a copy of itself and removes the entry last.
        wait_until(lambda: wine.settings(UNINSTALL_KEY) is None, 30, "the uninstall entry to go",
                   interval=0.2)
        assert not installed.exists()
        assert not (wine.prefix / "drive_c/Program Files/Solvarine").exists()
        assert ("SCRNSAVE.EXE" not in wine.settings(DESKTOP_KEY)) == forgotten
        assert wine.settings() == settings, "the user's settings stay"
