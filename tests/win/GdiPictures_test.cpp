// The picture classes and the encoder against the system's GDI+: what they
// write must decode back to the picture that went in.
#include "ExportTestSupport.h"
#include "framework/Bitmap.h"
#include "framework/Error.h"
#include <gtest/gtest.h>

using namespace exporttest;

namespace {
class GdiPictures : public testing::Test {
protected:
    static void SetUpTestSuite() { GdiPlusLibrary = std::make_unique<TGDIPlusFull>(L""); }
    static void TearDownTestSuite() { GdiPlusLibrary.reset(); }
    void SetUp() override { ASSERT_TRUE(GdiPlusLoaded()); }

    static std::vector<BYTE> Encode(const TGraphic& graphic, int format, int quality = 50,
                                    int largestSide = 0) {
        UniqueStream stream = MemoryStream();
        EXPECT_EQ(EncodeGraphic(graphic, stream.get(), format, quality, largestSide), Gdiplus::Ok);
        return StreamBytes(stream.get());
    }

    static void Decode(const std::vector<BYTE>& bytes, TGdiPicture& picture) {
        UniqueStream stream = StreamOver(bytes);
        picture.LoadFromStream(stream.get());
    }
};

// GDI+ with a library that has none of its functions: the binding exists but
// counts as not loaded.
class WithoutGdiPlus {
public:
    WithoutGdiPlus() : saved_(std::move(GdiPlusLibrary)) {
        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        GdiPlusLibrary = std::make_unique<TGDIPlusFull>(std::wstring(system) + L"\\kernel32.dll");
    }
    ~WithoutGdiPlus() { GdiPlusLibrary = std::move(saved_); }

private:
    std::unique_ptr<TGDIPlusFull> saved_;
};
} // namespace

TEST_F(GdiPictures, EveryFormatDecodesBackToThePictureInIt) {
    const int width = 40, height = 30;
    struct Case {
        int format;
        std::string magic;
        // JPEG is judged on a smooth picture, where it is meant to be close.
        std::uint32_t (*color)(int, int);
        double maxError;
    };
    const Case cases[] = {{ImageFormatGif, "GIF8", Bands, 0},
                          {ImageFormatPng, "\x89PNG", Bands, 0},
                          {ImageFormatJpeg, "\xFF\xD8\xFF", Gradient, 4},
                          {ImageFormatBmp, "BM", Bands, 0},
                          {ImageFormatTiff, "II*", Bands, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        UniqueBitmap bitmap = MakeBitmap(width, height, c.color);
        const std::vector<BYTE> bytes = Encode(TBitmapGraphic(bitmap.get()), c.format);
        EXPECT_EQ(Magic(bytes, c.magic.size()), c.magic);
        TGdiPicture decoded;
        Decode(bytes, decoded);
        ASSERT_FALSE(decoded.Empty());
        EXPECT_EQ(decoded.Width(), width);
        EXPECT_EQ(decoded.Height(), height);
        EXPECT_EQ(decoded.DetectedFormat(), c.format);
        const auto expected = ExpectedPixels(width, height, c.color);
        if (c.maxError == 0)
            EXPECT_EQ(PicturePixels(decoded), expected);
        else
            EXPECT_LT(MeanError(PicturePixels(decoded), expected), c.maxError);
    }
}

TEST_F(GdiPictures, GifOfAPictureWithThousandsOfColoursIsCloseToIt) {
    const int width = 64, height = 64;
    UniqueBitmap bitmap = MakeBitmap(width, height, Gradient);
    const std::vector<BYTE> bytes = Encode(TBitmapGraphic(bitmap.get()), ImageFormatGif);
    TGdiPicture decoded;
    Decode(bytes, decoded);
    ASSERT_EQ(decoded.Width(), width);
    ASSERT_EQ(decoded.Height(), height);
    EXPECT_EQ(decoded.DetectedFormat(), ImageFormatGif);
    EXPECT_LT(MeanError(PicturePixels(decoded), ExpectedPixels(width, height, Gradient)), 6.0);
}

TEST_F(GdiPictures, LargestSideReducesThePictureInProportion) {
    struct Case {
        int width, height, side, expectedWidth, expectedHeight;
    };
    for (const Case& c : {Case{400, 100, 200, 200, 50}, Case{100, 400, 200, 50, 200},
                          Case{400, 100, 0, 400, 100}, Case{400, 100, 400, 400, 100}}) {
        UniqueBitmap bitmap = MakeBitmap(c.width, c.height, Bands);
        TGdiPicture decoded;
        Decode(Encode(TBitmapGraphic(bitmap.get()), ImageFormatPng, 50, c.side), decoded);
        EXPECT_EQ(decoded.Width(), c.expectedWidth) << c.width << "x" << c.height << " " << c.side;
        EXPECT_EQ(decoded.Height(), c.expectedHeight)
            << c.width << "x" << c.height << " " << c.side;
    }
    // The reduced picture still shows the original, not an empty bitmap.
    UniqueBitmap red = MakeBitmap(400, 100, [](int, int) { return 0xFF0000u; });
    TGdiPicture decoded;
    Decode(Encode(TBitmapGraphic(red.get()), ImageFormatPng, 50, 200), decoded);
    const auto pixels = PicturePixels(decoded);
    ASSERT_FALSE(pixels.empty());
    EXPECT_EQ(pixels[25 * 200 + 100], 0xFF0000u);
}

TEST_F(GdiPictures, PictureClassesEncodeInTheirFormatAndKeepLoadedBytes) {
    UniqueBitmap bitmap = MakeBitmap(20, 10, Bands);
    TPngImage png;
    TGifImage gif;
    TTiffImage tiff;
    TJpegImage jpeg;
    EXPECT_EQ(jpeg.CompressionQuality(), 80);
    struct Case {
        TGdiPicture* picture;
        int format;
    };
    for (const Case& c : {Case{&png, ImageFormatPng}, Case{&gif, ImageFormatGif},
                          Case{&tiff, ImageFormatTiff}, Case{&jpeg, ImageFormatJpeg}}) {
        c.picture->AssignBitmap(bitmap.get());
        ASSERT_FALSE(c.picture->Empty());
        UniqueStream saved = MemoryStream();
        ASSERT_TRUE(c.picture->SaveToStream(saved.get()));
        TGdiPicture decoded;
        Decode(StreamBytes(saved.get()), decoded);
        EXPECT_EQ(decoded.DetectedFormat(), c.format);
    }
    // A picture loaded from a file writes the file's own bytes back, whatever
    // its class, rather than encoding anew.
    const std::vector<BYTE> jpegBytes = Encode(TBitmapGraphic(bitmap.get()), ImageFormatJpeg);
    Decode(jpegBytes, png);
    ASSERT_FALSE(png.Empty());
    UniqueStream saved = MemoryStream();
    ASSERT_TRUE(png.SaveToStream(saved.get()));
    EXPECT_EQ(StreamBytes(saved.get()), jpegBytes);
}

TEST_F(GdiPictures, AssignTakesBitmapsAndOtherPicturesAndClearsOnEmptySources) {
    UniqueBitmap bitmap = MakeBitmap(30, 20, Bands);
    TPngImage source;
    source.Assign(nullptr);
    EXPECT_TRUE(source.Empty());
    const TBitmapGraphic graphic(bitmap.get());
    source.Assign(&graphic);
    ASSERT_FALSE(source.Empty());
    EXPECT_EQ(source.Width(), 30);

    // Another picture is taken through its encoded form.
    TGdiPicture copy;
    copy.Assign(&source);
    ASSERT_FALSE(copy.Empty());
    EXPECT_EQ(copy.DetectedFormat(), ImageFormatPng);
    EXPECT_EQ(PicturePixels(copy), ExpectedPixels(30, 20, Bands));

    TGdiPicture empty;
    copy.Assign(&empty);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Width(), 0);
    EXPECT_EQ(copy.Height(), 0);
    EXPECT_EQ(copy.Image(), nullptr);
    EXPECT_EQ(copy.DetectedFormat(), ImageFormatBmp);
}

// The program's own off-screen bitmaps stay selected into their DC; GDI+ must
// still read them.
TEST_F(GdiPictures, FrameworkBitmapEncodes) {
    TBitmap bitmap(16, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            reinterpret_cast<std::uint32_t*>(bitmap.ScanLine(y))[x] = Bands(x, y);
    TGdiPicture decoded;
    Decode(Encode(TBitmapGraphic(bitmap.Handle()), ImageFormatPng), decoded);
    EXPECT_EQ(PicturePixels(decoded), ExpectedPixels(16, 8, Bands));
}

TEST_F(GdiPictures, WithoutGdiPlusNothingIsWrittenAndPicturesStayEmpty) {
    UniqueBitmap bitmap = MakeBitmap(10, 10, Bands);
    const std::wstring folder = TemporaryFolder(L"vantacle-nogdiplus");
    EmptyFolder(folder);
    const std::wstring existing = folder + L"existing.png";
    WriteFileBytes(existing, "keep me");
    {
        WithoutGdiPlus missing;
        ASSERT_TRUE(GdiPlusLibrary);
        EXPECT_FALSE(GdiPlusLoaded());
        EXPECT_EQ(GdiPlusLibrary->Handle(), nullptr);
        TGdiPicture picture;
        picture.AssignBitmap(bitmap.get());
        EXPECT_TRUE(picture.Empty());
        UniqueStream target = MemoryStream();
        EXPECT_EQ(EncodeGraphic(TBitmapGraphic(bitmap.get()), target.get(), ImageFormatPng, 50, 0),
                  Gdiplus::InvalidParameter);
        EXPECT_TRUE(StreamBytes(target.get()).empty());
        EXPECT_EQ(
            EncodeGraphicToFile(TBitmapGraphic(bitmap.get()), existing, ImageFormatPng, 50, 0),
            Gdiplus::InvalidParameter);
        EXPECT_EQ(EncodeGraphicToFile(TBitmapGraphic(bitmap.get()), folder + L"new.png",
                                      ImageFormatPng, 50, 0),
                  Gdiplus::InvalidParameter);
    }
    const std::vector<BYTE> kept = ReadFileBytes(existing);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "keep me");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::wstring>{L"existing.png"});
}

TEST_F(GdiPictures, FileGetsTheEncodedBytesAndReplacesAnOldOne) {
    UniqueBitmap bitmap = MakeBitmap(12, 9, Bands);
    const std::wstring folder = TemporaryFolder(L"vantacle-files");
    EmptyFolder(folder);
    const std::wstring file = folder + L"shot.png";
    WriteFileBytes(file, std::string(100000, 'x')); // longer than the picture
    EXPECT_EQ(EncodeGraphicToFile(TBitmapGraphic(bitmap.get()), file, ImageFormatBmp, 50, 0),
              Gdiplus::Ok);
    // The chosen format decides, not the name's extension.
    EXPECT_EQ(ReadFileBytes(file), Encode(TBitmapGraphic(bitmap.get()), ImageFormatBmp));
    // An unknown format number is refused and the file stays.
    EXPECT_EQ(EncodeGraphicToFile(TBitmapGraphic(bitmap.get()), file, 9, 50, 0),
              Gdiplus::InvalidParameter);
    EXPECT_EQ(Magic(ReadFileBytes(file), 2), "BM");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::wstring>{L"shot.png"});
}

TEST_F(GdiPictures, AFolderAsLongAsTheSaveDialogAdmitsTakesTheFile) {
    // The dialog lets through full paths of up to MAX_PATH - 1 characters;
    // the temporary beside the file must fit there too.
    UniqueBitmap bitmap = MakeBitmap(12, 9, Bands);
    const std::wstring top = TemporaryFolder(L"vantacle-deep");
    EmptyFolder(top);
    std::wstring folder = top;
    while (folder.size() < 250) {
        folder += std::wstring(std::min<size_t>(60, 250 - folder.size()), L'd') + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    const std::wstring file = folder + L"a.png";
    ASSERT_LT(file.size(), size_t(MAX_PATH));
    EXPECT_EQ(EncodeGraphicToFile(TBitmapGraphic(bitmap.get()), file, ImageFormatPng, 50, 0),
              Gdiplus::Ok);
    EXPECT_EQ(ReadFileBytes(file), Encode(TBitmapGraphic(bitmap.get()), ImageFormatPng));
    EXPECT_EQ(FolderEntries(folder), std::vector<std::wstring>{L"a.png"});
    DeleteFileW(file.c_str());
}

TEST_F(GdiPictures, UnwritableFileRaisesCannotCreateAndLeavesNothingBehind) {
    UniqueBitmap bitmap = MakeBitmap(12, 9, Bands);
    const std::wstring folder = TemporaryFolder(L"vantacle-unwritable");
    EmptyFolder(folder);
    const std::wstring missingFolder = folder + L"no such folder\\shot.png";
    try {
        EncodeGraphicToFile(TBitmapGraphic(bitmap.get()), missingFolder, ImageFormatPng, 50, 0);
        ADD_FAILURE() << "no error for a missing folder";
    } catch (const Error& error) {
        const std::wstring expected = L"Cannot create file \"" + missingFolder + L"\". ";
        EXPECT_EQ(error.Message().substr(0, expected.size()), expected);
        EXPECT_GT(error.Message().size(), expected.size()); // the system's reason follows
    }
    const std::wstring readOnly = folder + L"locked.png";
    WriteFileBytes(readOnly, "old picture");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(EncodeGraphicToFile(TBitmapGraphic(bitmap.get()), readOnly, ImageFormatPng, 50, 0),
                 Error);
    const std::vector<BYTE> kept = ReadFileBytes(readOnly);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "old picture");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::wstring>{L"locked.png"});
    EmptyFolder(folder);
}
