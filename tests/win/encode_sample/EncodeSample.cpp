// Writes pictures with known pixels in every export format through the
// program's own GDI+ binding and encoder, for decoders outside the program to
// check:
//   encode_sample.exe FOLDER
// writes sample.gif, .png, .jpg, .bmp, .tif (64 x 48, eight flat colours in
// bands) and gradient.gif (64 x 64, thousands of colours). Exit code 0 when
// every file was written.
#include "../ExportTestSupport.h"

#include <cstdio>

using namespace exporttest;

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: encode_sample FOLDER\n", stderr);
        return 2;
    }
    GdiPlusLibrary = std::make_unique<TGDIPlusFull>(L"");
    if (!GdiPlusLoaded()) {
        std::fputs("GDI+ could not be loaded\n", stderr);
        return 1;
    }
    std::wstring folder = argv[1];
    if (folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    const struct {
        const wchar_t* name;
        int format;
    } files[] = {{L"sample.gif", ImageFormatGif},
                 {L"sample.png", ImageFormatPng},
                 {L"sample.jpg", ImageFormatJpeg},
                 {L"sample.bmp", ImageFormatBmp},
                 {L"sample.tif", ImageFormatTiff}};
    UniqueBitmap bands = MakeBitmap(64, 48, Bands);
    UniqueBitmap gradient = MakeBitmap(64, 64, Gradient);
    int failures = 0;
    try {
        for (const auto& file : files)
            if (EncodeGraphicToFile(TBitmapGraphic(bands.get()), folder + file.name, file.format,
                                    90, 0) != Gdiplus::Ok)
                ++failures;
        if (EncodeGraphicToFile(TBitmapGraphic(gradient.get()), folder + L"gradient.gif",
                                ImageFormatGif, 0, 0) != Gdiplus::Ok)
            ++failures;
    } catch (const Error& error) {
        std::fwprintf(stderr, L"%ls\n", error.Message().c_str());
        ++failures;
    }
    GdiPlusLibrary.reset();
    return failures == 0 ? 0 : 1;
}
