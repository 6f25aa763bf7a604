// The manifest names every Windows version from 7 to 11 as supported, so the
// system applies none of its compatibility shims to the program (and from
// Windows 8.1 on tells it the version it really is). Read back from the
// activation context the system made of the embedded manifest: a typing
// error in a GUID, a wrong namespace or a malformed manifest lose entries.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>
#include <vector>

TEST(Manifest, DeclaresWindows7To11AsSupported) {
    // Microsoft's identifiers of the versions.
    const GUID windows7{
        0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}};
    const GUID windows8{
        0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}};
    const GUID windows81{
        0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}};
    const GUID windows10{
        0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}};

    // No handle: the process's default context, made of the executable's
    // own manifest.
    SIZE_T size = 0;
    QueryActCtxW(0, nullptr, nullptr, CompatibilityInformationInActivationContext, nullptr, 0,
                 &size);
    ASSERT_GT(size, sizeof(DWORD)) << GetLastError();
    std::vector<BYTE> buffer(size);
    ASSERT_TRUE(QueryActCtxW(0, nullptr, nullptr, CompatibilityInformationInActivationContext,
                             buffer.data(), size, &size));
    DWORD count = 0;
    std::memcpy(&count, buffer.data(), sizeof count);
    EXPECT_EQ(count, 4u);
    // Newer systems add a field to each element: find each identifier
    // wherever it lies, followed by its type, an operating system.
    for (const GUID& expected : {windows7, windows8, windows81, windows10}) {
        bool found = false;
        for (size_t at = sizeof(DWORD); at + sizeof(GUID) + sizeof(DWORD) <= size; at += 4) {
            DWORD type = 0;
            std::memcpy(&type, buffer.data() + at + sizeof(GUID), sizeof type);
            if (std::memcmp(buffer.data() + at, &expected, sizeof expected) == 0 &&
                type == ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS)
                found = true;
        }
        EXPECT_TRUE(found) << std::hex << expected.Data1;
    }
}
