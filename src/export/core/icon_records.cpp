#include "export/core/icon_records.h"

namespace orvex {

std::string NameField(const std::string& path) {
    return path.size() <= kNameFieldBytes ? path : std::string();
}

} // namespace orvex
