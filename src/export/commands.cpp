#include "export/commands.h"

namespace orvex {

void CopySelectedIcon() {}
void SaveSelectedIcon() {}
void SaveAllIcons() {}

} // namespace orvex
