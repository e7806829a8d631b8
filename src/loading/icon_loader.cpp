#include "loading/icon_loader.h"

namespace orvex {

const char kSystemIconsPath[] = "C:\\WINDOWS\\system32\\shell32.dll";

void LoadIconsFromFile(const std::string&) {}
int CountIcons(const std::string&) { return 0; }
int AppendIconToImageList(HIMAGELIST, const std::string&, int) { return -1; }
void BrowseAndLoad() {}
void LoadSystemIcons() {}

} // namespace orvex
