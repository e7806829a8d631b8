#include "export/writers.h"

#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <cstring>
#include <limits>
#include <new>

#include "common/handles.h"
#include "export/core/bmp_format.h"
#include "export/core/clipboard_dib.h"
#include "export/core/dib.h"
#include "export/core/ico_format.h"

namespace orvex {

namespace {

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (bytes.size() > std::numeric_limits<DWORD>::max()) return false;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(bytes.size());
    return WriteFile(file.get(), bytes.data(), size, &written, nullptr) && written == size;
}

// COM for the calling thread, for as long as the decoder needs it; a thread
// that already has it (the tool's GUI thread) keeps its own.
class ComForThisThread {
public:
    ComForThisThread() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComForThisThread() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComForThisThread(const ComForThisThread&) = delete;
    ComForThisThread& operator=(const ComForThisThread&) = delete;

private:
    HRESULT hr_;
};

// The image as a DIB: its own bytes, or a PNG decoded.
std::optional<std::vector<uint8_t>> DibBytes(const IconImage& image) {
    if (StartsWithPngSignature(image.bytes.data(), image.bytes.size())) {
        return DecodePngToIconDib(image.bytes.data(), image.bytes.size());
    }
    return image.bytes;
}

std::optional<std::vector<uint8_t>> Decode(const uint8_t* data, size_t size) {
    if (size > std::numeric_limits<DWORD>::max()) return std::nullopt;
    ComForThisThread com;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.putVoid()))) {
        return std::nullopt;
    }
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size)))) {
        return std::nullopt;
    }
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                decoder.put()))) {
        return std::nullopt;
    }
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put()))) return std::nullopt;
    ComPtr<IWICBitmapSource> bgra;
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.get(), bgra.put()))) return std::nullopt;
    UINT width = 0, height = 0;
    if (FAILED(bgra->GetSize(&width, &height))) return std::nullopt;
    // A DIB of that size must be describable at all (MakeIconDib checks the
    // rest); refusing early keeps a lying header from a huge allocation.
    const uint64_t stride = uint64_t{4} * width;
    const uint64_t pixelBytes = stride * height;
    if (width == 0 || height == 0 || pixelBytes > std::numeric_limits<int32_t>::max()) return std::nullopt;
    std::vector<uint8_t> pixels(static_cast<size_t>(pixelBytes));
    if (FAILED(bgra->CopyPixels(nullptr, static_cast<UINT>(stride), static_cast<UINT>(pixelBytes), pixels.data()))) {
        return std::nullopt;
    }
    return MakeIconDib(static_cast<int32_t>(width), static_cast<int32_t>(height), pixels.data(),
                       static_cast<size_t>(stride));
}

} // namespace

std::optional<std::vector<uint8_t>> DecodePngToIconDib(const uint8_t* data, size_t size) {
    try {
        return Decode(data, size);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool WriteIcoFile(const IconGroup& group, const std::string& path) {
    const Result<std::vector<uint8_t>, IcoError> file = BuildIcoFile(group);
    return file && WriteWholeFile(path, file.value());
}

bool WriteBmpFile(const std::string& path, const IconImage& image) {
    const std::optional<std::vector<uint8_t>> dib = DibBytes(image);
    if (!dib) return false;
    const Result<std::vector<uint8_t>, BmpError> file = BuildBmpFile(dib->data(), dib->size());
    return file && WriteWholeFile(path, file.value());
}

bool CopyImageToClipboard(const IconImage& image) {
    const std::optional<std::vector<uint8_t>> dib = DibBytes(image);
    if (!dib) return false;
    const Result<std::vector<uint8_t>, ClipboardDibError> block = BuildClipboardDib(dib->data(), dib->size());
    if (!block) return false;
    const std::vector<uint8_t>& bytes = block.value();

    GlobalMemory memory(GlobalAlloc(GMEM_DDESHARE | GMEM_MOVEABLE, bytes.size()));
    if (!memory) return false;
    {
        GlobalLockGuard lock(memory.get());
        if (!lock.data()) return false;
        std::memcpy(lock.data(), bytes.data(), bytes.size());
    }
    ClipboardGuard clipboard(nullptr);
    if (!clipboard.isOpen() || !EmptyClipboard()) return false;
    if (!SetClipboardData(CF_DIB, memory.get())) return false;  // still ours: freed on return
    memory.release();  // the clipboard's now
    return true;
}

} // namespace orvex
