// Dropped files: the drop target bound to the icon list.
#pragma once
#include <windows.h>

namespace orvex {

// Binds the tool's one drop target to `list`; false when the system refuses
// or the target is bound already. The binding ends when `list` is destroyed.
bool BindDropTarget(HWND list);

} // namespace orvex
