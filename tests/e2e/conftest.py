"""The real Solvarine.scr under Wine, in the X server and prefix that scripts/test hands
over, else in its own; the helpers live in scripts/privatewine.py."""

from __future__ import annotations

import pytest

import privatewine
from privatewine import SCR


@pytest.fixture(scope="session")
def private_wine():
    with privatewine.session() as made:
        yield made


@pytest.fixture
def wine(private_wine) -> privatewine.Wine:
    """From no stored settings; ends what the test started, even when it fails."""
    assert SCR.is_file(), f"{SCR} does not exist: build it or point SOLVARINE_SCR at it"
    runner = privatewine.Wine(*private_wine)
    runner.reset_settings()
    yield runner
    runner.end_all()


@pytest.fixture
def screen(private_wine) -> privatewine.Screen:
    return privatewine.Screen(private_wine[1])
