// Reading the registered Office command and a file's version resource, which
// decide whether Office's newer GDI+ is used.
#include "export/GdiPlusLocate.h"
#include <gtest/gtest.h>

#include <vector>

namespace {
void PutWord(std::vector<unsigned char>& b, std::size_t at, unsigned v) {
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}
void PutDword(std::vector<unsigned char>& b, std::size_t at, unsigned v) {
    PutWord(b, at, v & 0xFFFF);
    PutWord(b, at + 2, v >> 16);
}

// A version resource as the resource compiler lays it out: header, the key
// "VS_VERSION_INFO", padding to 32 bits, then the fixed file information.
std::vector<unsigned char> VersionResource(unsigned major, unsigned minor) {
    const std::u16string key = u"VS_VERSION_INFO";
    const std::size_t keyEnd = 6 + (key.size() + 1) * 2;
    const std::size_t fixed = (keyEnd + 3) & ~std::size_t{3};
    std::vector<unsigned char> b(fixed + 52, 0);
    PutWord(b, 0, static_cast<unsigned>(b.size()));
    PutWord(b, 2, 52);
    for (std::size_t i = 0; i < key.size(); ++i)
        PutWord(b, 6 + i * 2, key[i]);
    PutDword(b, fixed, 0xFEEF04BDu);
    PutDword(b, fixed + 4, 0x00010000u);
    PutDword(b, fixed + 8, (major << 16) | minor);
    PutDword(b, fixed + 12, 0x00050006u); // build and revision do not count
    return b;
}
} // namespace

TEST(ProgramPathFromCommand, TakesTheQuotedProgramOfACommand) {
    EXPECT_EQ(ProgramPathFromCommand(L"\"C:\\Program Files\\Office\\WINWORD.EXE\" /n \"%1\""),
              L"C:\\Program Files\\Office\\WINWORD.EXE");
    EXPECT_EQ(ProgramPathFromCommand(L"\"C:\\Office\\WINWORD.EXE"), L"C:\\Office\\WINWORD.EXE");
    EXPECT_EQ(ProgramPathFromCommand(L""), L"");
    EXPECT_EQ(ProgramPathFromCommand(L"\""), L"");
}

TEST(FolderOfPath, KeepsTheSeparator) {
    EXPECT_EQ(FolderOfPath(L"C:\\Office\\WINWORD.EXE"), L"C:\\Office\\");
    EXPECT_EQ(FolderOfPath(L"WINWORD.EXE"), L"");
}

TEST(FixedFileVersion, ReadsMajorAndMinorOfAVersionResource) {
    const auto office = VersionResource(11, 0);
    EXPECT_EQ(FixedFileVersion(office.data(), office.size()), 11u << 16);
    const auto old = VersionResource(5, 1);
    EXPECT_EQ(FixedFileVersion(old.data(), old.size()), (5u << 16) | 1u);
    EXPECT_LT(FixedFileVersion(old.data(), old.size()), GdiPlusMinimumOfficeVersion);
}

TEST(FixedFileVersion, DamagedOrTruncatedResourcesReadAsUnreadable) {
    EXPECT_EQ(FixedFileVersion(nullptr, 0), UnreadableFileVersion);
    const auto good = VersionResource(12, 0);
    for (std::size_t size = 0; size < good.size(); ++size)
        ASSERT_EQ(FixedFileVersion(good.data(), size), UnreadableFileVersion) << size;
    auto badSignature = good;
    badSignature[badSignature.size() - 52] ^= 1;
    EXPECT_EQ(FixedFileVersion(badSignature.data(), badSignature.size()), UnreadableFileVersion);
    auto noValue = good;
    PutWord(noValue, 2, 0);
    EXPECT_EQ(FixedFileVersion(noValue.data(), noValue.size()), UnreadableFileVersion);
    // A key that never ends must not be read past the block.
    std::vector<unsigned char> endless(64, 'A');
    PutWord(endless, 0, 64);
    PutWord(endless, 2, 52);
    EXPECT_EQ(FixedFileVersion(endless.data(), endless.size()), UnreadableFileVersion);
}
