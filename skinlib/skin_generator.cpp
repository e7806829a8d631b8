// Build-time tool: writes the tool's skins, skin01.she to skin33.she, into
// the folder named on its command line. Built and run natively.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "skin/core/skin_table.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin_generator FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (int n = 1; n <= orvex::skin::kSkinCount; ++n) {
        const std::vector<uint8_t> block = orvex::skin::SkinBlock(n);
        char name[32];
        std::snprintf(name, sizeof name, "skin%02d.she", n);
        std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
        if (!out) {
            std::fprintf(stderr, "skin_generator: cannot write %s\n", (folder / name).string().c_str());
            return 1;
        }
    }
    return 0;
}
