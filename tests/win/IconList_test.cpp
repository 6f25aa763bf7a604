// TIconList: changes reach the owner (once per update), the stored form
// round-trips real icons, and damaged or foreign bytes never corrupt it.
#include "TrayTestSupport.h"
#include "framework/Error.h"
#include "tray/IconList.h"
#include <gtest/gtest.h>

namespace {
class IconListTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        list.OnChange = [this] { ++changes; };
        LoadSolid(red, 0xFFFF0000);
        LoadSolid(blue, 0xFF0000FF);
    }
    TIconList list;
    int changes = 0;
    TIcon red, blue;
};

uint32_t CentrePixel(HICON icon) {
    ICONINFO info{};
    GetIconInfo(icon, &info);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = -16;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    uint32_t pixels[256] = {};
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, info.hbmColor, 0, 16, pixels, &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels[8 * 16 + 8] & 0xFFFFFF;
}
} // namespace

TEST_F(IconListTest, EditingKeepsOrderAndOwnsCopies) {
    list.Add(red);
    list.Add(blue);
    EXPECT_NE(list.Items(0)->Handle(), red.Handle()); // a copy, not the caller's icon
    list.Exchange(0, 1);
    EXPECT_EQ(CentrePixel(list.Items(0)->Handle()), 0x0000FFu);
    list.Insert(0, red);
    list.Move(0, 2); // blue, red, red
    EXPECT_EQ(CentrePixel(list.Items(0)->Handle()), 0x0000FFu);
    EXPECT_EQ(list.IndexOf(list.Items(2)), 2);
    EXPECT_EQ(list.IndexOf(&red), -1);
    list.Delete(1);
    EXPECT_EQ(list.Count(), 2);
    list.SetItem(2, blue); // index == Count appends
    EXPECT_EQ(list.Count(), 3);
    EXPECT_THROW(list.Items(3), Error);
    EXPECT_THROW(list.SetItem(5, red), Error);
    EXPECT_THROW(list.Move(0, 3), Error);

    TIconList copy;
    copy.Assign(list);
    EXPECT_EQ(copy.Count(), 3);
    copy.Assign(red);
    EXPECT_EQ(copy.Count(), 1);
}

TEST_F(IconListTest, OwnerIsToldOfEveryChangeButOncePerUpdate) {
    list.Add(red);
    EXPECT_EQ(changes, 1);
    LoadSolid(*list.Items(0), 0xFF00FF00); // a change inside a held icon
    EXPECT_EQ(changes, 2);

    changes = 0;
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add(blue);
    list.Items(0)->Clear();
    list.EndUpdate();
    EXPECT_EQ(changes, 0);
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
}

TEST_F(IconListTest, StoredFormRoundTripsResourceAndHandleIconsAndEmptySlots) {
    list.AddResource(Application.Instance(), L"MAINICON"); // 16, 32 and 48 pixels
    TIcon system;
    system.AssignHandle(LoadIconW(nullptr, IDI_APPLICATION)); // no bytes of its own
    list.Add(system);
    list.Add(blue);

    // An empty slot, as a stored list with a size of 0 gives one.
    auto withSlot = ReadIconListStream(list.Store());
    withSlot.insert(withSlot.begin() + 1, TIcoBytes{});
    TIconList loaded;
    int told = 0;
    loaded.OnChange = [&] { ++told; };
    loaded.Load(WriteIconListStream(withSlot));
    EXPECT_EQ(told, 1);
    ASSERT_EQ(loaded.Count(), 4);
    EXPECT_EQ(loaded.Items(1), nullptr);
    EXPECT_EQ(loaded.Items(0)->Data(), list.Items(0)->Data()); // the artwork as it was
    EXPECT_EQ(ParseIcoFile(loaded.Items(0)->Data())->size(), 3u);
    EXPECT_FALSE(loaded.Items(2)->Empty());
    EXPECT_EQ(CentrePixel(loaded.Items(3)->Handle()), 0x0000FFu);
    EXPECT_EQ(loaded.Store(), WriteIconListStream(withSlot));
}

TEST_F(IconListTest, DamagedOrForeignBytesNeverCorruptTheList) {
    list.Add(red);
    changes = 0;
    auto stored = list.Store();
    stored.pop_back();
    EXPECT_THROW(list.Load(stored), Error);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(changes, 0);

    const TIcoBytes notAnIcon{'G', 'I', 'F', '8', '9', 'a', 0, 0};
    list.Load(WriteIconListStream({notAnIcon, SolidIco(0xFF00FF00)}));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0), nullptr);
    EXPECT_FALSE(list.Items(1)->Empty());
}

TEST_F(IconListTest, StoredOnlyWhenItDiffersFromTheAncestor) {
    EXPECT_FALSE(list.ShouldStore(nullptr)); // nothing to store
    list.Add(red);
    EXPECT_TRUE(list.ShouldStore(nullptr));
    TIconList ancestor;
    ancestor.Add(red);
    ancestor.Add(blue);
    EXPECT_TRUE(list.ShouldStore(&ancestor)); // lengths differ
    ancestor.Delete(1);
    // Same length, but each entry is its own icon object.
    EXPECT_TRUE(list.ShouldStore(&ancestor));
    EXPECT_FALSE(ancestor.ShouldStore(&ancestor));
}
