#include "skin/probe/attach_probe.h"

#include <cstring>

namespace {
ProbeCall g_last = {};
}

extern "C" int WINAPI SkinH_AttachRes(const void* skin, int count, const char* reserved, int a, int b, int c) {
    ++g_last.calls;
    g_last.addressWasNull = skin == nullptr;
    g_last.count = count;
    g_last.reservedIsEmptyText = reserved != nullptr && reserved[0] == '\0';
    g_last.zeros = a == 0 && b == 0 && c == 0;
    g_last.copied = 0;
    if (skin && count > 0) {
        g_last.copied = count < static_cast<int>(sizeof g_last.bytes) ? count : static_cast<int>(sizeof g_last.bytes);
        std::memcpy(g_last.bytes, skin, static_cast<size_t>(g_last.copied));
    }
    return 1;
}

extern "C" void WINAPI ProbeLastCall(ProbeCall* out) {
    if (out) *out = g_last;
}
