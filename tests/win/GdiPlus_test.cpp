// Locating GDI+ and rendering metafiles through the binding.
#include "ExportTestSupport.h"
#include <gtest/gtest.h>

using namespace exporttest;

TEST(LocateGdiPlus, PrefersTheNamedFileThenGdiPlus11ThenGdiPlusBesideTheProgram) {
    const std::wstring folder = TemporaryFolder(L"vantacle-locate");
    EmptyFolder(folder);
    // Nothing beside the program and no Office: the system's search decides.
    EXPECT_EQ(LocateGdiPlus(L"", folder), L"gdiplus.dll");
    WriteFileBytes(folder + L"gdiplus.dll", "x");
    EXPECT_EQ(LocateGdiPlus(L"", folder), folder + L"gdiplus.dll");
    WriteFileBytes(folder + L"gdiplus11.dll", "x");
    EXPECT_EQ(LocateGdiPlus(L"", folder), folder + L"gdiplus11.dll");
    EXPECT_EQ(LocateGdiPlus(folder + L"missing.dll", folder), folder + L"gdiplus11.dll");
    WriteFileBytes(folder + L"own.dll", "x");
    EXPECT_EQ(LocateGdiPlus(folder + L"own.dll", folder), folder + L"own.dll");
    EmptyFolder(folder);
}

TEST(GdiPlusBinding, RendersAMetafileWithGdiAndWithGdiPlus) {
    // A metafile of a red rectangle filling its frame.
    HDC recording = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(recording, nullptr);
    UniqueBrush red(CreateSolidBrush(RGB(255, 0, 0)));
    const RECT frame{0, 0, 40, 40};
    FillRect(recording, &frame, red.get());
    HENHMETAFILE metafile = CloseEnhMetaFile(recording);
    ASSERT_NE(metafile, nullptr);

    TGDIPlusFull gdiplus(L"");
    ASSERT_TRUE(gdiplus.Loaded());
    EXPECT_EQ(gdiplus.ConvertToEmfPlus(), gdiplus.ConvertToEmfPlus()); // looked up once, kept
    for (bool full : {false, true}) {
        SCOPED_TRACE(full ? "GDI+" : "GDI");
        UniqueBitmap target = MakeBitmap(20, 20, [](int, int) { return 0xFFFFFFu; });
        UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
        {
            SelectedObject selection(dc.get(), target.get());
            const RECT area{0, 0, 20, 20};
            EXPECT_TRUE(full ? gdiplus.RenderMetafile(dc.get(), metafile, area)
                             : gdiplus.TGDIPlus::RenderMetafile(dc.get(), metafile, area));
            EXPECT_EQ(GetPixel(dc.get(), 10, 10), RGB(255, 0, 0));
        }
    }
    EXPECT_FALSE(gdiplus.RenderMetafile(nullptr, nullptr, RECT{0, 0, 1, 1}));
    DeleteEnhMetaFile(metafile);
}
