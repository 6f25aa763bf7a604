// The tray icon's mouse rules: which events a shell notification fires, in
// what order, and when a click, the popup or the default menu item happens.
#include "tray/TrayMouse.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
const char* Name(TTrayButton b) {
    return b == TTrayButton::Left ? "L" : b == TTrayButton::Right ? "R" : "M";
}

// Records what the decoder asks for, as short texts in order.
class Recorder : public TTrayMouseTarget {
public:
    bool popupShown = true;      // the component has a menu it can show
    bool hasDefaultItem = false; // the menu has a default, enabled item
    std::vector<std::string> calls;

    void MouseMove(uint32_t shift) override { Log("move", shift); }
    void MouseDown(TTrayButton b, uint32_t shift) override {
        Log(std::string("down ") + Name(b), shift);
    }
    void MouseUp(TTrayButton b, uint32_t shift) override {
        Log(std::string("up ") + Name(b), shift);
    }
    void Click(TTrayButton b, uint32_t shift) override {
        Log(std::string("click ") + Name(b), shift);
    }
    void DblClick() override { calls.push_back("dblclick"); }
    bool Popup() override {
        calls.push_back(popupShown ? "menu" : "no menu");
        return popupShown;
    }
    bool ClickDefaultItem() override {
        if (hasDefaultItem) calls.push_back("default item");
        return hasDefaultItem;
    }

private:
    void Log(std::string what, uint32_t shift) {
        calls.push_back(what + " " + std::to_string(shift));
    }
};

using Calls = std::vector<std::string>;
constexpr uint32_t kNoKeys = 0;
constexpr uint32_t kCtrl = 4; // a keyboard flag, passed through untouched

Calls Feed(Recorder& r, std::initializer_list<unsigned> messages, uint32_t keys = kNoKeys,
           bool enabled = true) {
    TTrayMouse mouse;
    for (unsigned m : messages)
        mouse.Notify(m, keys, enabled, r);
    return r.calls;
}
} // namespace

using namespace traymsg;

TEST(TrayMouse, LeftClickIsDownClickUpWithTheButtonFlag) {
    Recorder r;
    EXPECT_EQ(Feed(r, {LeftDown, LeftUp}, kCtrl), (Calls{"down L 12", "click L 12", "up L 12"}));
}

TEST(TrayMouse, RightClickWithAMenuShowsItInsteadOfAClick) {
    Recorder r;
    EXPECT_EQ(Feed(r, {RightDown, RightUp}), (Calls{"down R 16", "menu", "up R 16"}));
}

TEST(TrayMouse, RightClickWithoutAMenuIsAnOrdinaryClick) {
    Recorder r;
    r.popupShown = false;
    EXPECT_EQ(Feed(r, {RightDown, RightUp}),
              (Calls{"down R 16", "no menu", "click R 16", "up R 16"}));
}

TEST(TrayMouse, DoubleClickGivesOneClickAndNoSecond) {
    Recorder r;
    EXPECT_EQ(Feed(r, {LeftDown, LeftUp, LeftDouble, LeftUp}),
              (Calls{"down L 8", "click L 8", "up L 8", "dblclick", "down L 64", "up L 8"}));
}

TEST(TrayMouse, DoubleClickRunsTheDefaultItemInsteadOfTheEvent) {
    Recorder r;
    r.hasDefaultItem = true;
    EXPECT_EQ(Feed(r, {LeftDouble}), (Calls{"default item", "down L 64"}));
}

TEST(TrayMouse, ReleaseWithoutPressIsNoClick) {
    // A button pressed elsewhere and released over the icon, or pressed
    // before the icon was shown again.
    Recorder r;
    EXPECT_EQ(Feed(r, {LeftUp, RightUp}), (Calls{"up L 8", "up R 16"}));

    Recorder again;
    TTrayMouse mouse;
    mouse.Notify(LeftDown, 0, true, again);
    mouse.Reset();
    mouse.Notify(LeftUp, 0, true, again);
    EXPECT_EQ(again.calls, (Calls{"down L 8", "up L 8"}));
}

TEST(TrayMouse, ButtonsAreTrackedApart) {
    Recorder r;
    EXPECT_EQ(Feed(r, {LeftDown, RightDown, LeftUp, RightUp}),
              (Calls{"down L 8", "down R 16", "click L 8", "up L 8", "menu", "up R 16"}));
}

TEST(TrayMouse, MiddleButtonAndMovesNeverClick) {
    Recorder r;
    EXPECT_EQ(Feed(r, {MouseMove, MiddleDown, MiddleUp, MiddleDouble, RightDouble}, kCtrl),
              (Calls{"move 4", "down M 36", "up M 36", "down M 68", "down R 68"}));
}

TEST(TrayMouse, DisabledOrUnknownNotificationsFireNothing) {
    Recorder r;
    TTrayMouse mouse;
    for (unsigned m : {MouseMove, LeftDown, LeftUp, LeftDouble, RightDown, RightUp})
        EXPECT_FALSE(mouse.Notify(m, 0, false, r));
    EXPECT_TRUE(r.calls.empty());
    // A press made while disabled does not complete a click once enabled.
    EXPECT_TRUE(mouse.Notify(LeftUp, 0, true, r));
    EXPECT_TRUE(mouse.Notify(0x400 /* a balloon notification */, 0, true, r));
    EXPECT_EQ(r.calls, (Calls{"up L 8"}));
}

TEST(TrayMouse, ShortHintStopsAtTheBarAndAt63Characters) {
    EXPECT_EQ(TrayShortHint(L"Magnifier|Enlarges the screen around the cursor"), L"Magnifier");
    EXPECT_EQ(TrayShortHint(L"|long"), L"");
    EXPECT_EQ(TrayShortHint(L""), L"");
    std::wstring longHint(100, L'x');
    EXPECT_EQ(TrayShortHint(longHint), std::wstring(63, L'x'));
    EXPECT_EQ(TrayShortHint(longHint + L"|y"), std::wstring(63, L'x'));
    EXPECT_EQ(TrayShortHint(L"a|b|c"), L"a");
}
