// Hot keys as the system registers them and as the tray menu shows them.
#include "framework/ShortCut.h"
#include <gtest/gtest.h>

TEST(ShortCut, SplitsIntoTheSystemsModifiersAndKey) {
    HotKeyCombination ctrlShiftM = HotKeyFromShortCut(24653);
    EXPECT_EQ(ctrlShiftM.modifiers, kHotKeyControl | kHotKeyShift);
    EXPECT_EQ(ctrlShiftM.key, 77u);
    HotKeyCombination ctrlAltM = HotKeyFromShortCut(49229);
    EXPECT_EQ(ctrlAltM.modifiers, kHotKeyControl | kHotKeyAlt);
    EXPECT_EQ(ctrlAltM.key, 77u);
    HotKeyCombination none = HotKeyFromShortCut(0);
    EXPECT_EQ(none.modifiers, 0u);
    EXPECT_EQ(none.key, 0u);
}

TEST(ShortCut, TextNamesModifiersInShiftCtrlAltOrderAndTheKey) {
    EXPECT_EQ(ShortCutToText(49229), L"Ctrl+Alt+M");
    EXPECT_EQ(ShortCutToText(24653), L"Shift+Ctrl+M");
    EXPECT_EQ(ShortCutToText(scShift | scCtrl | scAlt | 0x74), L"Shift+Ctrl+Alt+F5");
    EXPECT_EQ(ShortCutToText(scCtrl | '7'), L"Ctrl+7");
    EXPECT_EQ(ShortCutToText(scAlt | 0x63), L"Alt+Num 3");
    EXPECT_EQ(ShortCutToText(0x2E), L"Del");
    EXPECT_EQ(ShortCutToText(0x87), L"F24");
    EXPECT_EQ(ShortCutToText(0), L"");
    // Modifiers alone, or a key without a name, show nothing rather than "Ctrl+".
    EXPECT_EQ(ShortCutToText(scCtrl), L"");
    EXPECT_EQ(ShortCutToText(scCtrl | 0xFF), L"");
}
