// The memory DC holder: what it selects it deletes, once, after selecting it out.

#include "framework/MemoryDc.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryDc, ReplacedAndReleasedBitmapsAndTheContextAreDeleted) {
    HDC dc = nullptr;
    HBITMAP first = nullptr;
    HBITMAP second = nullptr;
    {
        MemoryDc memory;
        memory.Create(nullptr);
        dc = memory.Dc();
        ASSERT_NE(dc, nullptr);
        HGDIOBJ stock = GetCurrentObject(dc, OBJ_BITMAP);
        first = CreateBitmap(4, 4, 1, 1, nullptr);
        memory.Select(first);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), first);
        second = CreateBitmap(8, 8, 1, 1, nullptr);
        memory.Select(second);
        EXPECT_EQ(GetObjectType(first), 0u) << "the replaced bitmap is deleted";
        memory.Select(nullptr);
        EXPECT_EQ(memory.Bitmap(), second) << "a failed creation keeps what is selected";

        memory.Release();
        EXPECT_EQ(GetObjectType(dc), 0u);
        EXPECT_EQ(GetObjectType(second), 0u);
        EXPECT_EQ(memory.Bitmap(), nullptr);

        // Made again, it holds nothing of ours until something is selected.
        memory.Create(nullptr);
        EXPECT_EQ(GetCurrentObject(memory.Dc(), OBJ_BITMAP), stock);
        dc = memory.Dc();
        second = CreateBitmap(2, 2, 1, 1, nullptr);
        memory.Select(second);
    }
    EXPECT_EQ(GetObjectType(dc), 0u);
    EXPECT_EQ(GetObjectType(second), 0u);
}

} // namespace
