// What the program hands to GDI+, seen through the recording stand-in
// gdiplus11.dll beside this test program (the program looks there first).
// The system's GDI+ does the real work behind it.
#include "ExportTestSupport.h"
#include "Recording.h"
#include "framework/ProgramPath.h"
#include <gtest/gtest.h>

#include <cstring>

using namespace exporttest;

namespace {
constexpr GUID QualityId = {
    0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
constexpr GUID CompressionId = {
    0xE09D739D, 0xCCD4, 0x44EE, {0x8E, 0xBA, 0x3F, 0xBF, 0x8B, 0xE4, 0xFC, 0x58}};

CLSID Encoder(unsigned long first) {
    return {first, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}

class GdiPlusRecording : public testing::Test {
protected:
    // The test keeps its own reference to the stand-in, so its log outlives
    // every binding a test creates and destroys.
    static void SetUpTestSuite() {
        standIn_ = LoadLibraryW((ExecutableFolder() + L"gdiplus11.dll").c_str());
    }
    static void TearDownTestSuite() { FreeLibrary(standIn_); }

    void SetUp() override {
        ASSERT_NE(standIn_, nullptr) << "gdiplus11.dll is not beside the test program";
        auto recording = reinterpret_cast<recording::RecordingProc>(
            reinterpret_cast<void*>(GetProcAddress(standIn_, "Recording")));
        ASSERT_NE(recording, nullptr);
        log_ = recording();
        std::memset(log_, 0, sizeof(*log_));
        GdiPlusLibrary = std::make_unique<TGDIPlusFull>(L"");
        ASSERT_TRUE(GdiPlusLoaded());
    }
    void TearDown() override { GdiPlusLibrary.reset(); }

    // Encodes a small picture and returns what the encoder was handed.
    recording::Save EncodeAndRecord(int format, int quality) {
        UniqueBitmap bitmap = MakeBitmap(8, 8, Bands);
        UniqueStream target = MemoryStream();
        const int before = log_->saveCount;
        EXPECT_EQ(EncodeGraphic(TBitmapGraphic(bitmap.get()), target.get(), format, quality, 0),
                  Gdiplus::Ok);
        EXPECT_EQ(log_->saveCount, before + 1);
        return log_->saves[before];
    }

    static inline HMODULE standIn_ = nullptr;
    recording::Log* log_ = nullptr;
};
} // namespace

TEST_F(GdiPlusRecording, TheStandInBesideTheProgramIsLoadedAndStartedWithoutItsThread) {
    EXPECT_EQ(GdiPlusLibrary->Handle(), standIn_);
    EXPECT_EQ(log_->startups, 1);
    EXPECT_EQ(log_->version, 1u);
    EXPECT_FALSE(log_->debugCallbackSet);
    EXPECT_EQ(log_->suppressBackgroundThread, -1); // all bits set, not just TRUE
    EXPECT_EQ(log_->suppressExternalCodecs, FALSE);
    EXPECT_EQ(std::string(log_->events), "SH");

    const ULONG_PTR startupToken = log_->startupToken;
    const ULONG_PTR hookToken = log_->hookToken;
    GdiPlusLibrary.reset();
    // Unhooked with the hook's token before GDI+ is shut down with its own.
    EXPECT_EQ(std::string(log_->events), "SHUD");
    EXPECT_EQ(log_->unhookToken, hookToken);
    EXPECT_EQ(log_->shutdownToken, startupToken);
    EXPECT_NE(startupToken, 0u);
}

TEST_F(GdiPlusRecording, JpegQualityIsPassedAsOneLongValueAndNegativeMeansNone) {
    EXPECT_TRUE(IsEqualCLSID(EncodeAndRecord(ImageFormatJpeg, 50).encoder, Encoder(0x557CF401)));
    for (int quality : {0, 1, 50, 100, 250}) {
        const recording::Save save = EncodeAndRecord(ImageFormatJpeg, quality);
        ASSERT_TRUE(save.withParameters) << quality;
        ASSERT_EQ(save.count, 1u);
        EXPECT_TRUE(IsEqualGUID(save.parameters[0].guid, QualityId));
        EXPECT_EQ(save.parameters[0].numberOfValues, 1u);
        EXPECT_EQ(save.parameters[0].type, 4u);
        EXPECT_EQ(save.parameters[0].firstValue, quality);
    }
    EXPECT_FALSE(EncodeAndRecord(ImageFormatJpeg, -1).withParameters);
}

TEST_F(GdiPlusRecording, TiffCompressionIsTheQualityFrom2To6AndLzwOtherwise) {
    EXPECT_TRUE(IsEqualCLSID(EncodeAndRecord(ImageFormatTiff, 50).encoder, Encoder(0x557CF405)));
    const struct {
        int quality;
        LONG compression;
    } cases[] = {{50, 2}, {1, 2}, {-1, 2}, {7, 2}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}};
    for (const auto& c : cases) {
        const recording::Save save = EncodeAndRecord(ImageFormatTiff, c.quality);
        ASSERT_TRUE(save.withParameters) << c.quality;
        ASSERT_EQ(save.count, 1u);
        EXPECT_TRUE(IsEqualGUID(save.parameters[0].guid, CompressionId));
        EXPECT_EQ(save.parameters[0].numberOfValues, 1u);
        EXPECT_EQ(save.parameters[0].type, 4u);
        EXPECT_EQ(save.parameters[0].firstValue, c.compression) << c.quality;
    }
}

TEST_F(GdiPlusRecording, GifPngAndBmpTakeNoParametersAndTheirOwnEncoders) {
    const struct {
        int format;
        unsigned long encoder;
    } cases[] = {
        {ImageFormatGif, 0x557CF402}, {ImageFormatPng, 0x557CF406}, {ImageFormatBmp, 0x557CF400}};
    for (const auto& c : cases) {
        const recording::Save save = EncodeAndRecord(c.format, 2);
        EXPECT_TRUE(IsEqualCLSID(save.encoder, Encoder(c.encoder))) << c.format;
        EXPECT_FALSE(save.withParameters) << c.format;
    }
}

TEST_F(GdiPlusRecording, GifEncoderIsHandedAnIndexedCopyWithThePicturesOwnColours) {
    // Two colours only: the copy's palette must hold exactly them.
    UniqueBitmap bitmap =
        MakeBitmap(6, 4, [](int x, int) { return x < 3 ? 0x0078D7u : 0xE81123u; });
    UniqueStream target = MemoryStream();
    ASSERT_EQ(EncodeGraphic(TBitmapGraphic(bitmap.get()), target.get(), ImageFormatGif, 0, 0),
              Gdiplus::Ok);
    ASSERT_EQ(log_->importCount, 2); // the picture itself, then its indexed copy
    EXPECT_EQ(log_->imports[0].bitsPerPixel, 32);
    const recording::BitmapImport& copy = log_->imports[1];
    EXPECT_EQ(copy.bitsPerPixel, 8);
    EXPECT_EQ(copy.firstColors[0].rgbRed, 0x00);
    EXPECT_EQ(copy.firstColors[0].rgbGreen, 0x78);
    EXPECT_EQ(copy.firstColors[0].rgbBlue, 0xD7);
    EXPECT_EQ(copy.firstColors[1].rgbRed, 0xE8);
    ASSERT_EQ(log_->saveCount, 1);
    EXPECT_EQ(log_->saves[0].image, copy.image);
}

TEST_F(GdiPlusRecording, EncoderFailureWritesNothingAndKeepsAnExistingFile) {
    log_->failSaveWith = Gdiplus::Win32Error;
    UniqueBitmap bitmap = MakeBitmap(8, 8, Bands);
    TGdiPicture picture;
    picture.AssignBitmap(bitmap.get());
    UniqueStream target = MemoryStream();
    EXPECT_EQ(EncodeImage(picture, target.get(), ImageFormatPng, 0), Gdiplus::Win32Error);
    EXPECT_TRUE(StreamBytes(target.get()).empty());

    const std::wstring folder = TemporaryFolder(L"vantacle-recording");
    EmptyFolder(folder);
    const std::wstring file = folder + L"shot.png";
    WriteFileBytes(file, "previous shot");
    EXPECT_EQ(EncodeGraphicToFile(TBitmapGraphic(bitmap.get()), file, ImageFormatPng, 0, 0),
              Gdiplus::Win32Error);
    const std::vector<BYTE> kept = ReadFileBytes(file);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "previous shot");
    EXPECT_EQ(EncodeGraphicToFile(TBitmapGraphic(bitmap.get()), folder + L"new.png", ImageFormatPng,
                                  0, 0),
              Gdiplus::Win32Error);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::wstring>{L"shot.png"});
    EmptyFolder(folder);
}

TEST_F(GdiPlusRecording, FailedStartupLeavesGdiPlusUnloadedAndNeverShutDown) {
    GdiPlusLibrary.reset();
    std::memset(log_, 0, sizeof(*log_));
    log_->failStartupWith = Gdiplus::GenericError;
    {
        TGDIPlusFull failed(L"");
        EXPECT_FALSE(failed.Loaded());
        EXPECT_EQ(failed.Handle(), nullptr);
    }
    EXPECT_EQ(std::string(log_->events), "S");
}

TEST_F(GdiPlusRecording, LibraryLackingAnEntryPointIsNotUsedAndIsUnloaded) {
    const std::wstring incomplete = ExecutableFolder() + L"gdiplus_missing.dll";
    ASSERT_NE(GetFileAttributesW(incomplete.c_str()), INVALID_FILE_ATTRIBUTES);
    {
        TGDIPlusFull binding(incomplete);
        EXPECT_FALSE(binding.Loaded());
    }
    EXPECT_EQ(GetModuleHandleW(L"gdiplus_missing.dll"), nullptr);
}
