// The popup menu's commands: copy the selected icon, save it, save them all.
#pragma once

namespace orvex {

void CopySelectedIcon();
void SaveSelectedIcon();
void SaveAllIcons();

} // namespace orvex
