// The resources built into Lumenkite.scr, read from the file as data.

#include "WindowsTestSupport.h"
#include "resource.h"

#include <gtest/gtest.h>

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

TEST_F(ResourcesTest, IconDialogAndName) {
    EXPECT_FALSE(
        Data(MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(14)).empty());       // RT_GROUP_ICON
    EXPECT_FALSE(Data(MAKEINTRESOURCEA(IDD_INSTALL), MAKEINTRESOURCEA(5)).empty()); // RT_DIALOG
    char name[64] = "";
    LoadStringA(m_module, 1, name, sizeof name);
    EXPECT_STREQ(name, "Lumenkite");
}

} // namespace
