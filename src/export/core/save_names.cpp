#include "export/core/save_names.h"

#include "common/core/text.h"

namespace orvex {

std::string SuggestedSaveName(const std::string& sourcePath) {
    const std::string name = DisplayName(sourcePath);
    const size_t dot = FindLastSeparator(name, '.');
    if (dot == std::string::npos || dot == 0) return {};
    return name.substr(0, dot);
}

std::string SaveAllFileName(const std::string& folder, int number) {
    return folder + "\\Kestu" + Decimal(number) + ".ico";
}

Message SaveAllOutcome(int saved, int failed) {
    if (saved == 0) return {"保存列表图标失败!", 16, "Dralo提示："};
    if (failed > 0) {
        return {"保存成功" + Decimal(saved) + "个,失败" + Decimal(failed) + "个。", 64, "Dralo提示："};
    }
    return {"保存列表图标成功,没有保存失败。", 64, "Dralo提示："};
}

} // namespace orvex
