#include "shell/context_verb.h"

namespace orvex {

const char kVerbName[] = "Pimbo - 提取图标 .&R";

int RegisterContextMenuVerb(const std::string&, const std::string&, const std::string&) { return 0; }

} // namespace orvex
