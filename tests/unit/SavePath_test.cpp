// What the save dialog's length guard measures: the path the dialog will
// build, whatever form the typed name has.
#include "framework/SavePath.h"
#include <gtest/gtest.h>
#include <string>

TEST(SavePathLength, CountsTheFolderOnlyWhereTheDialogJoinsIt) {
    const std::wstring folder = L"C:\\users\\ann\\pictures"; // 21 characters
    struct Case {
        const wchar_t* name;
        std::size_t length;
    } cases[] = {
        {L"a.png", 21 + 1 + 5},
        {L"C:\\users\\ann\\pictures\\a.png", 27}, // a full path typed in
        {L"D:/shots/a.png", 14},
        {L"\\\\server\\share\\a.png", 20},
        {L"\\shots\\a.png", 2 + 12}, // from the root of the folder's drive
        {L"sub\\a.png", 21 + 1 + 9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SavePathLength(c.name, folder), c.length) << std::wstring(c.name).size();
    EXPECT_EQ(SavePathLength(L"a.png", L"C:\\"), 3u + 5u); // the root keeps its separator
}
