#pragma once

namespace solvarine {

class Program;

// What a mouse button does on either screen window: pause or resume, photo window back on top.
void PauseOrResume(Program& program);
// What a key does on either screen window: cursor back, position stored, program ended.
[[noreturn]] void EndOnKey(Program& program);

}  // namespace solvarine
