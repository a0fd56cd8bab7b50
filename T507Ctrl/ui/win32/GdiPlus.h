#pragma once

// GDI+ with what its header needs before it; include this, not <gdiplus.h>.
#include <windows.h>
#include <objidl.h>

#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>
