// Pictures held by GDI+, and the encoder that turns any picture into a GIF,
// PNG, JPEG, BMP or TIFF file.
#pragma once

#include "export/ComHandles.h"
#include "export/GdiPlus.h"
#include "export/Graphic.h"

#include <string>
#include <vector>

// Image format numbers, as the save dialog's file types count them.
inline constexpr int ImageFormatGif = 0;
inline constexpr int ImageFormatPng = 1;
inline constexpr int ImageFormatJpeg = 2;
inline constexpr int ImageFormatBmp = 3;
inline constexpr int ImageFormatTiff = 4;

// The quality a picture uses when it encodes itself as JPEG.
inline constexpr int DefaultPictureQuality = 80;

// One GDI+ image. A picture loaded from a stream keeps the bytes it came from,
// both because GDI+ reads them for as long as the image lives and so that
// saving it again writes them unchanged.
class TGdiPicture : public TGraphic {
public:
    TGdiPicture() = default;
    ~TGdiPicture() override { Clear(); }

    // A bitmap is imported directly; any other graphic writes itself to
    // memory and is read back. No source, no GDI+ or an empty source clears.
    void Assign(const TGraphic* source);
    void AssignBitmap(HBITMAP bitmap, HPALETTE palette = nullptr);
    // Reads an encoded picture from the stream's position to its end.
    void LoadFromStream(IStream* stream);
    void Clear() noexcept;

    bool Empty() const override { return !hasContent_; }
    int Width() const override { return static_cast<int>(width_); }
    int Height() const override { return static_cast<int>(height_); }
    bool SaveToStream(IStream* stream) const override;
    // Draws the picture stretched into the rectangle; false without content.
    bool Draw(HDC dc, const RECT& rect) const;

    Gdiplus::GpImage* Image() const noexcept { return image_; }
    // The format GDI+ reports for the image (BMP when it cannot tell).
    int DetectedFormat() const;
    // The format and quality the picture encodes itself with.
    virtual int SaveFormat() const { return DetectedFormat(); }
    virtual int SaveQuality() const { return DefaultPictureQuality; }

private:
    void ReadSize();

    Gdiplus::GpImage* image_ = nullptr;
    UINT width_ = 0;
    UINT height_ = 0;
    bool hasContent_ = false;
    bool madeFromBitmap_ = false;
    // The encoded bytes of a loaded picture: the stream over them does not
    // own them, so the block is freed here, once, after the image and stream.
    UniqueGlobal data_;
    SIZE_T dataLength_ = 0;
    UniqueStream dataStream_;
};

class TPngImage : public TGdiPicture {
public:
    int SaveFormat() const override { return ImageFormatPng; }
};

class TGifImage : public TGdiPicture {
public:
    int SaveFormat() const override { return ImageFormatGif; }
};

class TTiffImage : public TGdiPicture {
public:
    int SaveFormat() const override { return ImageFormatTiff; }
};

class TJpegImage : public TGdiPicture {
public:
    int SaveFormat() const override { return ImageFormatJpeg; }
    int SaveQuality() const override { return compressionQuality_; }
    int CompressionQuality() const noexcept { return compressionQuality_; }
    void SetCompressionQuality(int quality) noexcept { compressionQuality_ = quality; }

private:
    int compressionQuality_ = DefaultPictureQuality;
};

// Encodes the picture in the numbered format and writes the result to the
// target with one write. Quality is the JPEG quality (negative: the encoder's
// default) or, for TIFF, the compression code (2 to 6, anything else LZW).
// Returns the GDI+ status; InvalidParameter without GDI+, target or image.
// On any failure the target receives nothing.
Gdiplus::Status EncodeImage(const TGdiPicture& picture, IStream* target, int format, int quality);

// The same into a byte buffer, which is left empty on failure.
Gdiplus::Status EncodeImageToBytes(const TGdiPicture& picture, int format, int quality,
                                   std::vector<BYTE>& bytes);

// Encodes any graphic, first reduced so that neither side exceeds
// largestSide (0: no limit). Returns the status of the encoder.
Gdiplus::Status EncodeGraphic(const TGraphic& graphic, IStream* target, int format, int quality,
                              int largestSide);

// Encodes into memory and only then replaces the file, so an encoder failure
// leaves an existing file as it was and creates no empty one; the status is
// returned. Throws Error "Cannot create file ..." when the file cannot be
// written.
Gdiplus::Status EncodeGraphicToFile(const TGraphic& graphic, const std::wstring& fileName,
                                    int format, int quality, int largestSide);
