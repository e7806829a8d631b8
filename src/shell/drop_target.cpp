#include "shell/drop_target.h"

namespace orvex {

bool BindDropTarget(HWND) { return false; }

} // namespace orvex
