// What the encoder accepts: any picture that knows its size and can write
// itself to a stream, and a plain bitmap handle seen as such a picture.
#pragma once

#include <windows.h>
#include <objidl.h>

class TGraphic {
public:
    TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;
    virtual ~TGraphic() = default;

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Writes the picture in its own file format; false when nothing could be
    // written.
    virtual bool SaveToStream(IStream* stream) const = 0;
};

// A bitmap someone else owns (a DIB section or a device-dependent bitmap),
// with the palette its colours refer to, if any. GDI+ reads the pixels
// straight from the handle.
class TBitmapGraphic : public TGraphic {
public:
    explicit TBitmapGraphic(HBITMAP bitmap, HPALETTE palette = nullptr) noexcept
        : bitmap_(bitmap), palette_(palette) {}

    HBITMAP Handle() const noexcept { return bitmap_; }
    HPALETTE Palette() const noexcept { return palette_; }

    bool Empty() const override { return Width() == 0 || Height() == 0; }
    int Width() const override;
    int Height() const override;
    // As a BMP file.
    bool SaveToStream(IStream* stream) const override;

private:
    HBITMAP bitmap_;
    HPALETTE palette_;
};
