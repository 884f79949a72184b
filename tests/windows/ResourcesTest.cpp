// The resources built into Lumenkite.scr, read from the file as data.

#include "WindowsTestSupport.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

using namespace wintest;

namespace {

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_module =
            LoadLibraryExA(WindowsPath(LUMENKITE_SCR).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override { FreeLibrary(m_module); }

    std::string Data(LPCSTR name, LPCSTR type) const {
        HRSRC info = FindResourceA(m_module, name, type);
        if (!info)
            return {};
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(m_module, info)));
        return std::string(bytes, SizeofResource(m_module, info));
    }

    HMODULE m_module = nullptr;
};

TEST_F(ResourcesTest, CursorIsThirtyTwoSquareAndFullyTransparent) {
    std::string group =
        Data(MAKEINTRESOURCEA(IDC_INVISIBLE), MAKEINTRESOURCEA(12)); // RT_GROUP_CURSOR
    ASSERT_FALSE(group.empty());
    int id = LookupIconIdFromDirectoryEx(reinterpret_cast<PBYTE>(group.data()), FALSE, 32, 32, 0);
    std::string cursor = Data(MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(1)); // RT_CURSOR
    ASSERT_GT(cursor.size(), 4 + sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    memcpy(&header, cursor.data() + 4, sizeof header); // after the hot spot
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64); // image and mask
    EXPECT_EQ(header.biBitCount, 1);
    size_t bits = 4 + header.biSize + 2 * sizeof(RGBQUAD);
    ASSERT_EQ(cursor.size(), bits + 2 * 32 * 4);
    for (size_t i = 0; i < 32 * 4; ++i) {
        EXPECT_EQ(static_cast<unsigned char>(cursor[bits + i]), 0x00) << "image byte " << i;
        EXPECT_EQ(static_cast<unsigned char>(cursor[bits + 128 + i]), 0xFF) << "mask byte " << i;
    }
}

TEST_F(ResourcesTest, TitleBitmapIsEightBitsOnDarkGreen) {
    std::string bitmap = Data(MAKEINTRESOURCEA(IDB_TITLE), MAKEINTRESOURCEA(2)); // RT_BITMAP
    ASSERT_GT(bitmap.size(), sizeof(BITMAPINFOHEADER) + 1024);
    BITMAPINFOHEADER header;
    memcpy(&header, bitmap.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 106);
    EXPECT_EQ(header.biHeight, 18);
    EXPECT_EQ(header.biBitCount, 8);
    const auto* table = reinterpret_cast<const RGBQUAD*>(bitmap.data() + header.biSize);
    const auto* pixels =
        reinterpret_cast<const unsigned char*>(bitmap.data() + header.biSize + 256 * 4);
    const int pitch = 108;
    RGBQUAD corner = table[pixels[0]];
    EXPECT_GT(corner.rgbGreen, corner.rgbRed);
    EXPECT_GT(corner.rgbGreen, corner.rgbBlue);
    EXPECT_LT(corner.rgbGreen, 128);
    int bright = 0;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 106; ++x) {
            RGBQUAD c = table[pixels[y * pitch + x]];
            bright += c.rgbRed + c.rgbGreen + c.rgbBlue > 500;
        }
    EXPECT_GT(bright, 100) << "the lettering";
}

TEST_F(ResourcesTest, ManifestAsksForPerMonitorDpiAndCommonControlsSix) {
    std::string manifest = Data(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
}

// The icon drawn at its size on a mid grey ground: the pixels it changes, as a box around them, and
// how many of them are black.
struct IconInk {
    RECT box;
    int changed;
    int black;
};

IconInk DrawnInk(HMODULE module, int id) {
    IconInk ink = {{32, 32, -1, -1}, 0, 0};
    auto icon = static_cast<HICON>(
        LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    if (!icon)
        return ink;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    MemoryDc memory;
    memory.Create(nullptr);
    memory.Select(CreateDIBSection(memory.Dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    HDC dc = memory.Dc();
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int i = 0; i < 32 * 32; ++i)
        pixels[i] = 0x808080;
    DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    GdiFlush();
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            uint32_t p = pixels[y * 32 + x] & 0xFFFFFF;
            if (p == 0x808080)
                continue;
            ink.box = {std::min<LONG>(ink.box.left, x), std::min<LONG>(ink.box.top, y),
                       std::max<LONG>(ink.box.right, x), std::max<LONG>(ink.box.bottom, y)};
            ++ink.changed;
            ink.black += p == 0;
        }
    DestroyIcon(icon);
    return ink;
}

TEST_F(ResourcesTest, SmallIconsKeepTheirGlyphInTheTopLeftCorner) {
    // The type states: a 13 x 13 box each, told apart by their black ink.
    IconInk off = DrawnInk(m_module, IDI_TYPE_OFF);
    IconInk on = DrawnInk(m_module, IDI_TYPE_ON);
    IconInk one = DrawnInk(m_module, IDI_TYPE_ONE);
    for (const IconInk& box : {off, on, one}) {
        EXPECT_EQ(box.box.left, 0);
        EXPECT_EQ(box.box.top, 0);
        EXPECT_EQ(box.box.right, 12);
        EXPECT_EQ(box.box.bottom, 12);
    }
    EXPECT_GT(on.black, off.black);
    EXPECT_GT(one.black, off.black);
    EXPECT_NE(on.black, one.black);

    // The button triangles fit the 8 pixels the buttons leave beside their text.
    for (int id : {IDI_ARROW_LEFT, IDI_ARROW_DOWN}) {
        IconInk arrow = DrawnInk(m_module, id);
        EXPECT_GE(arrow.box.left, 0) << id;
        EXPECT_LT(arrow.box.right, 8) << id;
        EXPECT_LT(arrow.box.bottom, 13) << id;
        EXPECT_EQ(arrow.black, arrow.changed) << id; // solid black
        EXPECT_GT(arrow.black, 8) << id;
    }
}

TEST_F(ResourcesTest, IconDialogAndName) {
    EXPECT_FALSE(
        Data(MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(14)).empty()); // RT_GROUP_ICON
    for (int dialog : {IDD_INSTALL, IDD_CONFIG, IDD_SIMPLE, IDD_COLORS, IDD_TYPES, IDD_ADVANCED,
                       IDD_COLORMAP_DELETE, IDD_COLORMAP_NAME})
        EXPECT_FALSE(Data(MAKEINTRESOURCEA(dialog), MAKEINTRESOURCEA(5)).empty()) // RT_DIALOG
            << dialog;
    char name[64] = "";
    LoadStringA(m_module, 1, name, sizeof name);
    EXPECT_STREQ(name, "Lumenkite");
}

} // namespace
