"""Wine's own view of a window and its controls, through the dump_window tool."""

from __future__ import annotations

from dataclasses import dataclass

import harness


@dataclass
class Control:
    kind: str
    text: str
    x: int
    y: int
    width: int
    height: int
    visible: bool
    checked: bool
    position: int

    @property
    def centre(self) -> tuple[int, int]:
        return self.x + self.width // 2, self.y + self.height // 2


def controls(wine: harness.Wine, title: str) -> list[Control] | None:
    """The window titled exactly title (first) and its child controls; None when there is none."""
    code, output = wine.run(wine.tool("dump_window"), title)
    if code == 1:
        return None
    if code != 0:
        raise RuntimeError(f"dump_window failed ({code}): {output}")
    found = []
    for line in output.splitlines():
        fields = line.split("\t")
        if len(fields) != 9:
            continue
        kind, text, *numbers = fields
        x, y, width, height, visible, checked, position = map(int, numbers)
        found.append(Control(kind, text, x, y, width, height, visible == 1, checked == 1, position))
    return found


def wait_controls(wine: harness.Wine, title: str, timeout: float = 20) -> list[Control]:
    """The window and its controls once it is shown (its controls are filled in before that)."""

    def shown():
        found = controls(wine, title)
        return found if found and found[0].visible else None

    return harness.wait_until(shown, timeout, f"the window {title!r} to show")


def control(found: list[Control], kind: str, text: str | None = None, index: int = 0) -> Control:
    matching = [c for c in found[1:] if c.kind == kind and (text is None or c.text == text)]
    return matching[index]
