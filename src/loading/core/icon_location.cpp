#include "loading/core/icon_location.h"

#include "common/core/text.h"

namespace orvex {

std::string TypeExtensionOf(const std::string& path) {
    const size_t dot = FindLastSeparator(path, '.');
    return dot == std::string::npos ? path : path.substr(dot);
}

namespace {
std::string StripEnclosingQuotes(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && text[first] == ' ') ++first;
    while (last > first && text[last - 1] == ' ') --last;
    if (last - first >= 2 && text[first] == '"' && text[last - 1] == '"') {
        return text.substr(first + 1, last - first - 2);
    }
    return text;
}
} // namespace

IconLocation ParseIconText(const std::string& iconText) {
    IconLocation location;
    const size_t comma = FindLastSeparator(iconText, ',');
    if (comma == std::string::npos) {
        location.iconIndex = TextToInt(iconText);
        return location;
    }
    location.modulePath = StripEnclosingQuotes(iconText.substr(0, comma));
    location.iconIndex = TextToInt(iconText.substr(comma + 1));
    return location;
}

RegistryName SplitRegistryName(const std::string& keyText) {
    const size_t slash = FindLastSeparator(keyText, '\\');
    if (slash == std::string::npos) return {"", keyText};
    return {keyText.substr(0, slash), keyText.substr(slash + 1)};
}

} // namespace orvex
