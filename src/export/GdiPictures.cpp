#include "export/GdiPictures.h"

#include "export/FileReplace.h"
#include "export/GdiIndexedBitmap.h"
#include "export/ScaledSize.h"

#include <array>
#include <cstring>

namespace {
struct ImageFormatEntry {
    int number;
    CLSID encoder;
    // The first 32 bits of the GDI+ raw-format GUID of images of this format.
    DWORD rawFormatKey;
};

// The encoders are fixed here rather than looked up by MIME type: every GDI+
// has these built in.
constexpr std::array<ImageFormatEntry, 5> ImageFormats = {{
    {ImageFormatGif,
     {0x557CF402, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}},
     0xB96B3CB0},
    {ImageFormatPng,
     {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}},
     0xB96B3CAF},
    {ImageFormatJpeg,
     {0x557CF401, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}},
     0xB96B3CAE},
    {ImageFormatBmp,
     {0x557CF400, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}},
     0xB96B3CAB},
    {ImageFormatTiff,
     {0x557CF405, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}},
     0xB96B3CB1},
}};

constexpr GUID EncoderQualityId = {
    0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
constexpr GUID EncoderCompressionId = {
    0xE09D739D, 0xCCD4, 0x44EE, {0x8E, 0xBA, 0x3F, 0xBF, 0x8B, 0xE4, 0xFC, 0x58}};
constexpr ULONG EncoderValueTypeLong = 4;
constexpr LONG TiffCompressionLzw = 2;
constexpr LONG TiffCompressionNone = 6;
constexpr ULONG StreamChunk = 64 * 1024;

const ImageFormatEntry* FormatEntry(int number) {
    for (const ImageFormatEntry& entry : ImageFormats)
        if (entry.number == number) return &entry;
    return nullptr;
}

UniqueStream CreateMemoryStream() {
    IStream* stream = nullptr;
    if (FAILED(CreateMemoryBlockStream(nullptr, TRUE, &stream))) return UniqueStream();
    return UniqueStream(stream);
}

bool RewindStream(IStream* stream) {
    LARGE_INTEGER start{};
    return SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr));
}

// Everything from the stream's position to its end.
bool ReadRest(IStream* stream, std::vector<BYTE>& bytes) {
    bytes.clear();
    while (true) {
        const std::size_t used = bytes.size();
        bytes.resize(used + StreamChunk);
        ULONG read = 0;
        const HRESULT result = stream->Read(bytes.data() + used, StreamChunk, &read);
        bytes.resize(used + read);
        if (FAILED(result)) return false;
        if (read == 0) return true;
    }
}

bool WriteOnce(IStream* target, const void* data, std::size_t length) {
    ULONG written = 0;
    return SUCCEEDED(target->Write(data, static_cast<ULONG>(length), &written)) &&
           written == length;
}

// The parameter block of one 32-bit value, laid out as GDI+ expects it.
struct OneParameter {
    Gdiplus::EncoderParameters block{};
    LONG value = 0;

    OneParameter(const GUID& id, LONG parameterValue) : value(parameterValue) {
        block.Count = 1;
        block.Parameter[0].Guid = id;
        block.Parameter[0].NumberOfValues = 1;
        block.Parameter[0].Type = EncoderValueTypeLong;
        block.Parameter[0].Value = &value;
    }
    OneParameter(const OneParameter&) = delete;
    OneParameter& operator=(const OneParameter&) = delete;
};

LONG TiffCompression(int quality) {
    return quality >= TiffCompressionLzw && quality <= TiffCompressionNone ? quality
                                                                           : TiffCompressionLzw;
}

// Draws the picture reduced into a new 32-bit bitmap of the given size.
UniqueBitmap ScaledBitmap(const TGdiPicture& picture, PictureSize size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return bitmap;
    // The DC lets go of the bitmap before GDI+ imports it, as GDI+ requires.
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc) return UniqueBitmap();
    SelectedObject selection(dc.get(), bitmap.get());
    const RECT area{0, 0, size.width, size.height};
    if (!picture.Draw(dc.get(), area)) return UniqueBitmap();
    return bitmap;
}

Gdiplus::Status EncodeGraphicToBytes(const TGraphic& graphic, int format, int quality,
                                     int largestSide, std::vector<BYTE>& bytes) {
    const auto* picture = dynamic_cast<const TGdiPicture*>(&graphic);
    TGdiPicture temporary;
    if (!picture) {
        temporary.Assign(&graphic);
        picture = &temporary;
    }
    const PictureSize size{picture->Width(), picture->Height()};
    const PictureSize fitted = FitLargestSide(size, largestSide);
    if (fitted == size) return EncodeImageToBytes(*picture, format, quality, bytes);
    UniqueBitmap scaled = ScaledBitmap(*picture, fitted);
    if (!scaled) return Gdiplus::Win32Error;
    return EncodeGraphicToBytes(TBitmapGraphic(scaled.get()), format, quality, 0, bytes);
}
} // namespace

void TGdiPicture::Clear() noexcept {
    hasContent_ = false;
    madeFromBitmap_ = false;
    width_ = 0;
    height_ = 0;
    if (image_ && GdiPlusLoaded()) GdiPlusLibrary->GdipDisposeImage(image_);
    image_ = nullptr;
    dataStream_.reset();
    data_.reset();
    dataLength_ = 0;
}

void TGdiPicture::ReadSize() {
    auto& gdip = *GdiPlusLibrary;
    if (gdip.GdipGetImageWidth(image_, &width_) == Gdiplus::Ok &&
        gdip.GdipGetImageHeight(image_, &height_) == Gdiplus::Ok && width_ != 0 && height_ != 0)
        hasContent_ = true;
    else
        Clear();
}

void TGdiPicture::AssignBitmap(HBITMAP bitmap, HPALETTE palette) {
    Clear();
    if (!bitmap || !GdiPlusLoaded()) return;
    Gdiplus::GpBitmap* imported = nullptr;
    if (GdiPlusLibrary->GdipCreateBitmapFromHBITMAP(bitmap, palette, &imported) != Gdiplus::Ok)
        return;
    image_ = imported;
    madeFromBitmap_ = true;
    ReadSize();
}

void TGdiPicture::Assign(const TGraphic* source) {
    if (source == this) return;
    const auto* picture = dynamic_cast<const TGdiPicture*>(source);
    if (!source || !GdiPlusLoaded() || (picture && picture->Empty())) {
        Clear();
        return;
    }
    if (const auto* bitmap = dynamic_cast<const TBitmapGraphic*>(source)) {
        AssignBitmap(bitmap->Handle(), bitmap->Palette());
        return;
    }
    UniqueStream memory = CreateMemoryStream();
    if (!memory || !source->SaveToStream(memory.get()) || !RewindStream(memory.get())) {
        Clear();
        return;
    }
    LoadFromStream(memory.get());
}

void TGdiPicture::LoadFromStream(IStream* stream) {
    Clear();
    if (!stream || !GdiPlusLoaded()) return;
    std::vector<BYTE> bytes;
    if (!ReadRest(stream, bytes) || bytes.empty()) return;
    data_.reset(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!data_) return;
    void* block = GlobalLock(data_.get());
    if (!block) {
        Clear();
        return;
    }
    std::memcpy(block, bytes.data(), bytes.size());
    GlobalUnlock(data_.get());
    dataLength_ = bytes.size();
    IStream* over = nullptr;
    if (FAILED(CreateMemoryBlockStream(data_.get(), FALSE, &over))) {
        Clear();
        return;
    }
    dataStream_.reset(over);
    if (GdiPlusLibrary->GdipLoadImageFromStream(dataStream_.get(), &image_) != Gdiplus::Ok) {
        image_ = nullptr;
        Clear();
        return;
    }
    ReadSize();
}

bool TGdiPicture::SaveToStream(IStream* stream) const {
    if (!stream) return false;
    if (data_ && !madeFromBitmap_) {
        const void* bytes = GlobalLock(data_.get());
        if (!bytes) return false;
        const bool written = WriteOnce(stream, bytes, dataLength_);
        GlobalUnlock(data_.get());
        return written;
    }
    return EncodeImage(*this, stream, SaveFormat(), SaveQuality()) == Gdiplus::Ok;
}

bool TGdiPicture::Draw(HDC dc, const RECT& rect) const {
    if (!hasContent_ || !GdiPlusLoaded()) return false;
    auto& gdip = *GdiPlusLibrary;
    Gdiplus::GpGraphics* graphics = nullptr;
    if (gdip.GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return false;
    const bool drawn =
        gdip.GdipDrawImageRectI(graphics, image_, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top) == Gdiplus::Ok;
    gdip.GdipDeleteGraphics(graphics);
    return drawn;
}

int TGdiPicture::DetectedFormat() const {
    GUID raw{};
    if (!hasContent_ || !GdiPlusLoaded() ||
        GdiPlusLibrary->GdipGetImageRawFormat(image_, &raw) != Gdiplus::Ok)
        return ImageFormatBmp;
    for (const ImageFormatEntry& entry : ImageFormats)
        if (entry.rawFormatKey == raw.Data1) return entry.number;
    return ImageFormatBmp;
}

Gdiplus::Status EncodeImageToBytes(const TGdiPicture& picture, int format, int quality,
                                   std::vector<BYTE>& bytes) {
    bytes.clear();
    const ImageFormatEntry* entry = FormatEntry(format);
    if (!GdiPlusLoaded() || !picture.Image() || !entry) return Gdiplus::InvalidParameter;
    auto& gdip = *GdiPlusLibrary;

    std::unique_ptr<OneParameter> parameter;
    if (format == ImageFormatJpeg && quality >= 0)
        parameter = std::make_unique<OneParameter>(EncoderQualityId, quality);
    else if (format == ImageFormatTiff)
        parameter = std::make_unique<OneParameter>(EncoderCompressionId, TiffCompression(quality));

    Gdiplus::GpImage* source = picture.Image();
    Gdiplus::GpBitmap* indexed = nullptr;
    if (format == ImageFormatGif) {
        indexed = CreateIndexedCopy(source, static_cast<UINT>(picture.Width()),
                                    static_cast<UINT>(picture.Height()));
        if (indexed) source = indexed;
    }
    ScopeExit disposeIndexed([&] {
        if (indexed) gdip.GdipDisposeImage(indexed);
    });

    UniqueStream memory = CreateMemoryStream();
    if (!memory) return Gdiplus::OutOfMemory;
    const Gdiplus::Status status = gdip.GdipSaveImageToStream(
        source, memory.get(), &entry->encoder, parameter ? &parameter->block : nullptr);
    if (status != Gdiplus::Ok) return status;
    if (!RewindStream(memory.get()) || !ReadRest(memory.get(), bytes) || bytes.empty()) {
        bytes.clear();
        return Gdiplus::Win32Error;
    }
    return Gdiplus::Ok;
}

Gdiplus::Status EncodeImage(const TGdiPicture& picture, IStream* target, int format, int quality) {
    if (!target) return Gdiplus::InvalidParameter;
    std::vector<BYTE> bytes;
    const Gdiplus::Status status = EncodeImageToBytes(picture, format, quality, bytes);
    if (status != Gdiplus::Ok) return status;
    return WriteOnce(target, bytes.data(), bytes.size()) ? Gdiplus::Ok : Gdiplus::Win32Error;
}

Gdiplus::Status EncodeGraphic(const TGraphic& graphic, IStream* target, int format, int quality,
                              int largestSide) {
    if (!target) return Gdiplus::InvalidParameter;
    std::vector<BYTE> bytes;
    const Gdiplus::Status status =
        EncodeGraphicToBytes(graphic, format, quality, largestSide, bytes);
    if (status != Gdiplus::Ok) return status;
    return WriteOnce(target, bytes.data(), bytes.size()) ? Gdiplus::Ok : Gdiplus::Win32Error;
}

Gdiplus::Status EncodeGraphicToFile(const TGraphic& graphic, const std::wstring& fileName,
                                    int format, int quality, int largestSide) {
    std::vector<BYTE> bytes;
    const Gdiplus::Status status =
        EncodeGraphicToBytes(graphic, format, quality, largestSide, bytes);
    if (status == Gdiplus::Ok) ReplaceFileWith(fileName, bytes);
    return status;
}
