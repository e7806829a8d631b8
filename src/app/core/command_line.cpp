#include "app/core/command_line.h"

namespace orvex {

namespace {
bool IsSeparator(unsigned char c) { return c >= 0x01 && c <= 0x20; }
} // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
    const size_t end = line.size();
    size_t i = 0;

    // The executable's path.
    if (i < end && line[i] == '"') {
        ++i;
        while (i < end && line[i] != '"') ++i;
        if (i < end) {
            ++i;  // closing quote
            if (i < end && line[i] == ' ') ++i;
        }
    } else {
        while (i < end && line[i] != ' ') ++i;
        if (i < end) ++i;
    }

    std::vector<std::string> args;
    while (i < end) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (IsSeparator(c)) {
            ++i;
        } else if (c == '"') {
            ++i;
            const size_t start = i;
            while (i < end && line[i] != '"') ++i;
            args.push_back(line.substr(start, i - start));
            if (i < end) ++i;
        } else {
            std::string arg;
            while (i < end) {
                const unsigned char b = static_cast<unsigned char>(line[i]);
                if (b >= 0x80) {
                    // A lead byte as the very last byte belongs to no argument.
                    if (i + 1 >= end) { ++i; break; }
                    arg += line[i];
                    arg += line[i + 1];
                    i += 2;
                    continue;
                }
                if (IsSeparator(b) || b == '"' || b == 0) break;
                arg += line[i];
                ++i;
            }
            if (!arg.empty()) args.push_back(arg);
        }
    }
    return args;
}

} // namespace orvex
