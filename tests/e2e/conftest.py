"""Fixtures for the end-to-end tests: the real Solvarine.scr under Wine in a private X server.

scripts/test hands over its X display and Wine prefix through SOLVARINE_DISPLAY and
SOLVARINE_WINEPREFIX; without them this session makes its own (scripts/privatewine.py), so that
`SOLVARINE_SCR=build/windows/Solvarine.scr /usr/bin/python3 -m pytest tests/e2e` works alone.
"""

from __future__ import annotations

import os
from pathlib import Path

import pytest

import harness
from harness import privatewine

SCR = Path(os.environ.get("SOLVARINE_SCR", harness.REPO / "build/windows/Solvarine.scr")).resolve()


@pytest.fixture(scope="session")
def private_wine():
    if os.environ.get("SOLVARINE_WINEPREFIX"):
        yield os.environ["SOLVARINE_WINEPREFIX"], os.environ["SOLVARINE_DISPLAY"]
        return
    with privatewine.PrivateWine() as made:
        yield made.prefix, made.display


@pytest.fixture(scope="session")
def scr() -> Path:
    if not SCR.is_file():
        pytest.fail(f"{SCR} does not exist: build it or point SOLVARINE_SCR at it")
    return SCR


@pytest.fixture
def wine(private_wine) -> privatewine.Wine:
    """Runs programs from no stored settings; kills what the test started, even when it fails."""
    runner = privatewine.Wine(*private_wine)
    try:
        runner.reset_settings()
        yield runner
    finally:
        runner.end_all()


@pytest.fixture
def screen(private_wine) -> privatewine.Screen:
    return privatewine.Screen(private_wine[1])


@pytest.fixture
def desktop(screen, tmp_path) -> harness.Desktop:
    """A desktop of four coloured quarters, shown full screen under whatever Wine shows."""
    shown = harness.Desktop(screen, tmp_path)
    try:
        yield shown
    finally:
        shown.close()
