#pragma once

// Resource ids shared by solvarine.rc and the Windows code.
#define IDI_SOLVARINE 1
