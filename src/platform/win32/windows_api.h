#pragma once

// <windows.h> for the platform layer, in one place so that its settings stay the same
// everywhere.
#include <windows.h>
