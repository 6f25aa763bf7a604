#include "export/Graphic.h"

#include "export/GdiPictures.h"

namespace {
BITMAP BitmapInfoOf(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return BITMAP{};
    return info;
}
} // namespace

int TBitmapGraphic::Width() const {
    return BitmapInfoOf(bitmap_).bmWidth;
}

// A top-down DIB section reports a negative height.
int TBitmapGraphic::Height() const {
    const LONG height = BitmapInfoOf(bitmap_).bmHeight;
    return height < 0 ? -height : height;
}

bool TBitmapGraphic::SaveToStream(IStream* stream) const {
    return EncodeGraphic(*this, stream, ImageFormatBmp, DefaultPictureQuality, 0) == Gdiplus::Ok;
}
