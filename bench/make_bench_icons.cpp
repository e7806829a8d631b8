// Writes the input of a benchmark module: sixteen sample icons and an .rc
// file whose N ICON statements cycle through them, so windres makes N icon
// groups of three images each (32 x 32 4-bit, 16 x 16 8-bit, 32 x 32 32-bit).
//
//   make_bench_icons DIR N     writes DIR/bench_N.rc and DIR/bench_N_v0.ico ... _v15.ico
#include <cstdio>
#include <cstdlib>
#include <string>

#include "icon_samples.h"

using namespace orvex::samples;

namespace {

bool Write(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::atoi(argv[2]) <= 0) {
        std::fprintf(stderr, "usage: make_bench_icons DIR N\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int n = std::atoi(argv[2]);
    const int kVariants = 16;
    bool ok = true;
    for (int v = 0; v < kVariants; ++v) {
        const uint8_t seed = static_cast<uint8_t>(v * 3 + 1);
        const Bytes ico = MakeIco({MakeDib({32, 32, 4, 1, 0, 0, seed}), MakeDib({16, 16, 8, 1, 0, 0, static_cast<uint8_t>(seed + 1)}),
                                   MakeDib({32, 32, 32, 1, 0, 0, static_cast<uint8_t>(seed + 2)})});
        ok &= Write(dir + "/bench_" + std::to_string(n) + "_v" + std::to_string(v) + ".ico", AsString(ico));
    }
    std::string rc = "// " + std::to_string(n) + " icon groups, written by make_bench_icons.\n";
    for (int i = 1; i <= n; ++i) rc += std::to_string(i) + " ICON \"bench_" + std::to_string(n) + "_v" + std::to_string(i % kVariants) + ".ico\"\n";
    ok &= Write(dir + "/bench_" + std::to_string(n) + ".rc", rc);
    return ok ? 0 : 1;
}
