// Dropped files: the drop target bound to the icon list.
#pragma once
#include <windows.h>

namespace orvex {

// Binds the tool's drop target to `list`; false when the system refuses.
bool BindDropTarget(HWND list);

} // namespace orvex
