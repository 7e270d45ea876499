#pragma once

#include <vector>

#include "platform/geometry.h"

namespace solvarine {

// The monitors in the order they take turns: the primary first, then the others left to right,
// top to bottom. Fails when there is none.
std::vector<Rect> TurnOrder(std::vector<Monitor> monitors);

// The bounding box of the monitors, of which there is at least one.
Rect VirtualScreen(const std::vector<Rect>& monitors);

}  // namespace solvarine
