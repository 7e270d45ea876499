#pragma once

// <windows.h> makes SRCCOPY and COLORONCOLOR macros; our constants of those names must come first.
#include "platform/handles.h"

#include <windows.h>
