"""Fixtures for the end-to-end tests: the real Solvarine.scr under Wine in a private X server.

scripts/test hands over its X display and Wine prefix through SOLVARINE_DISPLAY and
SOLVARINE_WINEPREFIX; without them this session starts its own Xvfb and makes its own prefix, so that
`SOLVARINE_SCR=build/windows/Solvarine.scr /usr/bin/python3 -m pytest tests/e2e` works alone.
"""

from __future__ import annotations

import os
import shutil
import tempfile
from pathlib import Path

import pytest

import harness

REPO = Path(__file__).resolve().parents[2]


@pytest.fixture(scope="session")
def display() -> str:
    if given := os.environ.get("SOLVARINE_DISPLAY"):
        yield given
        return
    server = harness.XServer()
    try:
        yield server.display
    finally:
        server.stop()


@pytest.fixture(scope="session")
def wine_prefix(display: str) -> Path:
    if given := os.environ.get("SOLVARINE_WINEPREFIX"):
        yield Path(given)
        return
    # Not under pytest's tmp_path: it keeps old runs, and a prefix is ~700 MB.
    folder = Path(tempfile.mkdtemp(prefix="solvarine-e2e-prefix-"))
    prefix = folder / "prefix"
    try:
        prefix.mkdir()
        harness.create_prefix(prefix, display)
        yield prefix
    finally:
        harness.stop_wineserver(prefix, display)
        shutil.rmtree(folder, ignore_errors=True)


SCR = Path(os.environ.get("SOLVARINE_SCR", REPO / "build/windows/Solvarine.scr")).resolve()


@pytest.fixture(scope="session")
def scr() -> Path:
    if not SCR.is_file():
        pytest.fail(f"{SCR} does not exist: build it or point SOLVARINE_SCR at it")
    return SCR


@pytest.fixture
def wine(wine_prefix: Path, display: str) -> harness.Wine:
    """Runs programs in the shared prefix, from no stored settings; kills what the test started."""
    runner = harness.Wine(wine_prefix, display, SCR.parent)  # the tools are built beside it
    try:
        runner.reset_settings()
        yield runner
    finally:
        runner.end_all()


@pytest.fixture
def screen(display: str) -> harness.Screen:
    return harness.Screen(display)


@pytest.fixture
def desktop(screen: harness.Screen, tmp_path: Path) -> harness.Desktop:
    """A desktop of four coloured quarters, shown full screen under whatever Wine shows."""
    shown = harness.Desktop(screen, harness.quadrant_desktop(), tmp_path)
    try:
        yield shown
    finally:
        shown.close()
