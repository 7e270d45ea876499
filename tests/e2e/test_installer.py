"""The setup program and its uninstaller, run silently as an administrator's tools would: where the
screen saver lands, the entry Windows lists, a running copy that must survive, and what removal
leaves behind."""

from __future__ import annotations

import os
import shutil
import struct
from pathlib import Path

import pytest

import harness
from conftest import SCR
from harness import RED, colours

UNINSTALL_KEY = r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Solvarine"
DESKTOP_KEY = r"HKEY_CURRENT_USER\Control Panel\Desktop"
INSTALLED = r"C:\windows\system32\Solvarine.scr"


def file_version(path: Path) -> tuple[int, ...]:
    """The four numbers of a program's VERSIONINFO: its fixed part, which Explorer shows."""
    data = path.read_bytes()
    at = data.index(struct.pack("<I", 0xFEEF04BD))
    high, low = struct.unpack_from("<II", data, at + 8)
    return high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF


@pytest.fixture
def setup_exe() -> Path:
    given = os.environ.get("SOLVARINE_SETUP")
    found = [Path(given)] if given else list(SCR.parent.glob("Solvarine-*-win64-setup.exe"))
    if len(found) != 1 or not found[0].is_file():
        pytest.fail(f"not one setup program: {found}; build it or set SOLVARINE_SETUP")
    return found[0].resolve()


@pytest.fixture
def installed(wine, setup_exe: Path) -> Path:
    """Solvarine installed silently into the shared prefix, and removed from it after the test
    whatever the uninstaller did: the installed file on the Linux side."""
    scr = wine.prefix / "drive_c/windows/system32/Solvarine.scr"
    try:
        assert wine.run(setup_exe, "/S")[0] == 0
        yield scr
    finally:
        wine.end_all()  # a slideshow still running would hold the file
        scr.unlink(missing_ok=True)
        shutil.rmtree(wine.prefix / "drive_c/Program Files/Solvarine", ignore_errors=True)
        for args in ([UNINSTALL_KEY, "/f"], [DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/f"]):
            wine.run("reg", "delete", *args, cwd=wine.prefix)


def test_installs_runs_and_leaves_a_running_copy_alone(wine, screen, installed, setup_exe,
                                                       tmp_path):
    assert installed.read_bytes() == SCR.read_bytes()
    entry = wine.settings(UNINSTALL_KEY)
    version = file_version(SCR)
    displayed = tuple(map(int, entry["DisplayVersion"].split(".")))
    assert displayed + (0,) * (4 - len(displayed)) == version == file_version(setup_exe)
    assert entry.keys() == {"DisplayName", "DisplayVersion", "Publisher", "DisplayIcon", "NoModify",
                            "NoRepair", "EstimatedSize", "InstallLocation", "UninstallString",
                            "QuietUninstallString"}
    assert int(entry["EstimatedSize"].removeprefix("dword:"), 16) >= SCR.stat().st_size // 1024
    assert "SCRNSAVE.EXE" not in wine.settings(DESKTOP_KEY), "silent selects nothing"

    # An older copy, told apart by bytes after its image that Windows' loader ignores.
    older = SCR.read_bytes() + b"older"
    installed.write_bytes(older)
    harness.make_photo(tmp_path / "photos/a.bmp", (300, 200), RED)
    wine.reset_settings(harness.slideshow_settings(tmp_path / "photos", "a.bmp", Speed="1"))
    slideshow = wine.start(INSTALLED, "/s")
    harness.wait_until(lambda: RED in colours(screen.screenshot()), 30, "the installed slideshow")

    assert wine.run(setup_exe, "/S")[0] != 0, "a running copy must make setup fail"
    assert installed.read_bytes() == older and slideshow.running()

    harness.focus_slideshow(screen)
    screen.key("Escape")
    assert slideshow.wait_exit(15) == 0
    assert wine.run(setup_exe, "/S")[0] == 0
    assert installed.read_bytes() == SCR.read_bytes()


@pytest.mark.parametrize("chosen, forgotten", [
    (INSTALLED.upper(), True),
    (r"C:\users\me\Downloads\Solvarine.scr", False),  # the zip's copy, still there
])
def test_quiet_uninstall_removes_it_and_forgets_only_our_screen_saver(wine, installed, chosen,
                                                                      forgotten):
    wine.run("reg", "add", DESKTOP_KEY, "/v", "SCRNSAVE.EXE", "/d", chosen, "/f")
    settings = {"Speed": "3"}
    wine.reset_settings(settings)
    program, arguments = wine.settings(UNINSTALL_KEY)["QuietUninstallString"].split('" ')
    assert wine.run(program.strip('"'), arguments)[0] == 0
    # The uninstaller goes on from a copy of itself and removes the entry last.
    harness.wait_until(lambda: wine.settings(UNINSTALL_KEY) is None, 30,
                       "the uninstall entry to go", interval=0.2)
    assert not installed.exists()
    assert not (wine.prefix / "drive_c/Program Files/Solvarine").exists()
    assert ("SCRNSAVE.EXE" not in wine.settings(DESKTOP_KEY)) == forgotten
    assert wine.settings() == settings
