#include "shell/core/drop_rules.h"

namespace orvex {

std::string BuildDropText(const std::vector<std::string>& paths) {
    if (paths.size() == 1) return paths.front();
    std::string text;
    for (const std::string& path : paths) {
        text += path;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> SplitDropText(const std::string& text) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos) break;
        pieces.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    if (start < text.size()) pieces.push_back(text.substr(start));
    return pieces;
}

uint32_t DropEffectFor(uint32_t keyState, uint32_t allowed) {
    const bool control = (keyState & kKeyControl) != 0;
    const bool shift = (keyState & kKeyShift) != 0;
    if (control && shift) return kEffectNone;
    if (control) return allowed & kEffectCopy;
    if (shift) return allowed & kEffectMove;
    for (uint32_t effect : {kEffectCopy, kEffectMove, kEffectLink}) {
        if (allowed & effect) return effect;
    }
    return kEffectNone;
}

int ChooserWidth(const std::vector<std::string>& paths) {
    size_t longest = 0;
    for (const std::string& path : paths) {
        if (path.size() > longest) longest = path.size();
    }
    return static_cast<int>(longest) * 7;
}

} // namespace orvex
