#include "shell/core/verb_rules.h"

namespace orvex {

std::string ExtensionKeyName(const std::string& extension) {
    if (!extension.empty() && extension[0] == '.') return extension;
    return "." + extension;
}

std::string VerbCommandKeyPath(const std::string& progId, const std::string& verb) {
    return progId + "\\shell\\" + verb + "\\command";
}

std::string VerbCommandValue(const std::string& program) { return "\"" + program + "\" \"%1\""; }

} // namespace orvex
