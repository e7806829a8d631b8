// What must hold for any group the parsers accept: every writer takes it,
// never reads past an image's bytes (the sanitizers watch), and the written
// .ico file reads back as the same images.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "export/core/bmp_format.h"
#include "export/core/clipboard_dib.h"
#include "export/core/dib.h"
#include "export/core/ico_format.h"

namespace orvex::fuzz {

inline void Require(bool condition) {
    if (!condition) std::abort();
}

inline void CheckWriters(const IconGroup& group) {
    for (const IconImage& image : group.images) {
        const Result<ImageLayout, ImageError> l = ReadImageLayout(image.bytes.data(), image.bytes.size());
        Require(l.ok());
        if (l.value().format == ImageFormat::Dib) Require(l.value().maskBits <= image.bytes.size());
        Require(l.value().width == image.width && l.value().height == image.height);
    }

    const Result<std::vector<uint8_t>, IcoError> ico = BuildIcoFile(group);
    Require(ico.ok());
    const Result<IconGroup, IcoError> back = ParseIcoFile(ico.value().data(), ico.value().size());
    Require(back.ok() && back.value().images.size() == group.images.size());
    for (size_t i = 0; i < group.images.size(); ++i) {
        const std::vector<uint8_t>& a = group.images[i].bytes;
        const std::vector<uint8_t>& b = back.value().images[i].bytes;
        Require(a.size() == b.size());
        const bool dib = group.images[i].format == ImageFormat::Dib;
        for (size_t k = 0; k < a.size(); ++k) {
            if (dib && k >= kBiSizeImageOffset && k < kBiSizeImageOffset + 4) {
                Require(b[k] == 0);
            } else {
                Require(a[k] == b[k]);
            }
        }
    }

    if (group.images.empty()) return;
    const IconImage& first = group.images.front();
    const Result<std::vector<uint8_t>, BmpError> bmp = BuildBmpFile(first.bytes.data(), first.bytes.size());
    const Result<std::vector<uint8_t>, ClipboardDibError> block =
        BuildClipboardDib(first.bytes.data(), first.bytes.size());
    if (first.format == ImageFormat::Png) {
        Require(!bmp.ok() && bmp.error() == BmpError::NotDib);
        Require(!block.ok() && block.error() == ClipboardDibError::NotDib);
        return;
    }
    Require(bmp.ok() && bmp.value().size() == kBmpFileHeadBytes + first.maskBits);
    Require(block.ok() && block.value().size() == first.bytes.size());
}

} // namespace orvex::fuzz
