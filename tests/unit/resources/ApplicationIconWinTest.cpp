// The application icon: one resource with an image of every size that the
// shell asks for, each a 32-bit image that the system can load.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "resource.h"

namespace {

#pragma pack(push, 2)
// One entry of an icon group resource (the icon directory as linked).
struct GroupIconEntry {
    BYTE width;  // 0 stands for 256
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD iconId;
};
struct GroupIconHeader {
    WORD reserved;
    WORD type;  // 1 for icons
    WORD count;
};
#pragma pack(pop)

const BYTE* LoadGroupIcon(DWORD* size) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_MAINFRAME), RT_GROUP_ICON);
    if (!found) return nullptr;
    *size = SizeofResource(module, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof(colour), &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return colour.bmWidth;
}

TEST(ApplicationIcon, HoldsEverySizeAsA32BitImageTheSystemLoads) {
    DWORD size = 0;
    const BYTE* group = LoadGroupIcon(&size);
    ASSERT_NE(group, nullptr);
    ASSERT_GE(size, sizeof(GroupIconHeader));
    const auto* header = reinterpret_cast<const GroupIconHeader*>(group);
    ASSERT_EQ(header->type, 1);
    ASSERT_EQ(size, sizeof(GroupIconHeader) + header->count * sizeof(GroupIconEntry));

    std::set<int> sizes;
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(group + sizeof(GroupIconHeader));
    for (WORD i = 0; i < header->count; ++i) {
        const int width = entries[i].width ? entries[i].width : 256;
        EXPECT_EQ(entries[i].height ? entries[i].height : 256, width);
        EXPECT_EQ(entries[i].bitCount, 32) << width;
        sizes.insert(width);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 24, 32, 48, 256}));

    for (int side : sizes) {
        HICON icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, side, side, 0));
        ASSERT_NE(icon, nullptr) << side;
        EXPECT_EQ(IconWidth(icon), side);
        DestroyIcon(icon);
    }
}

}  // namespace
