#include "BitmapHelpers.h"

#include "CDC.h"
#include "CRgn.h"
#include "CSelectObject.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

namespace
{
// A 32-bit bitmap whose pixels (0x00RRGGBB plus the fourth byte) come from the function.
CBitmap MakeBitmap(int width, int height, const std::function<uint32_t(int x, int y)>& pixel)
{
    CBitmap bitmap;
    void* bits = nullptr;
    if (!bitmap.CreateDIBSection32(width, height, &bits))
        return bitmap;
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = pixel(x, y);
    return bitmap;
}

// The region of the non-white pixels built one pixel at a time.
CRgn NaiveRegion(int width, int height, const std::function<uint32_t(int x, int y)>& pixel)
{
    CRgn result;
    result.CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            if ((pixel(x, y) & 0xFFFFFF) == 0xFFFFFF)
                continue;
            CRgn dot;
            dot.CreateRectRgn(x, y, x + 1, y + 1);
            result.CombineRgn(result, dot, RGN_OR);
        }
    return result;
}

const uint32_t kWhite = 0x00FFFFFF;
const uint32_t kBlack = 0x00000000;
}

TEST(CreateRegionFromBitmap, CheckerboardOfManyBatchesEqualsTheNaiveRegion)
{
    // 120 x 80 single-pixel cells: 4800 runs, more than two batches of 2000.
    auto checker = [](int x, int y) { return (x + y) % 2 ? kWhite : kBlack; };
    CBitmap bitmap = MakeBitmap(120, 80, checker);
    ASSERT_FALSE(bitmap.IsNull());
    CRgn region(CreateRegionFromBitmap(bitmap));
    ASSERT_FALSE(region.IsNull());
    CRgn naive = NaiveRegion(120, 80, checker);
    EXPECT_TRUE(region.EqualRgn(naive));
}

TEST(CreateRegionFromBitmap, OnlyPureWhiteIsTransparentWhateverTheFourthByte)
{
    struct Case
    {
        uint32_t pixel;
        bool opaque;
    } cases[] = {
        { 0x00FEFFFF, true },   // red 254
        { 0x00FFFEFF, true },   // green 254
        { 0x00FFFFFE, true },   // blue 254
        { 0x00FFFFFF, false },
        { 0xFFFFFFFF, false },  // white with a fourth byte
        { 0x80FFFFFF, false },
        { 0xFF000000, true },
    };
    for (const Case& c : cases)
    {
        // The probe pixel sits at (1, 0) beside one black pixel, so the region never is empty.
        CBitmap bitmap = MakeBitmap(3, 1, [&](int x, int) { return x == 0 ? kBlack : x == 1 ? c.pixel : kWhite; });
        CRgn region(CreateRegionFromBitmap(bitmap));
        ASSERT_FALSE(region.IsNull());
        EXPECT_EQ(region.PtInRegion(1, 0), c.opaque) << std::hex << c.pixel;
        EXPECT_TRUE(region.PtInRegion(0, 0));
        EXPECT_FALSE(region.PtInRegion(2, 0));
    }
}

TEST(CreateRegionFromBitmap, RunsAreMaximalAndRowsKeepTheirPlace)
{
    // Row 0: two runs; row 2: one run over the whole width; rows 1 and 3 white.
    auto pattern = [](int x, int y) {
        if (y == 0)
            return (x >= 1 && x < 4) || x >= 6 ? kBlack : kWhite;
        return y == 2 ? kBlack : kWhite;
    };
    CRgn region(CreateRegionFromBitmap(MakeBitmap(8, 4, pattern)));
    ASSERT_FALSE(region.IsNull());
    EXPECT_TRUE(region.EqualRgn(NaiveRegion(8, 4, pattern)));
    RECT box = {};
    ::GetRgnBox(region, &box);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.bottom, 3);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 8);
}

TEST(CreateRegionFromBitmap, NoRegionForAWhiteOrMissingBitmap)
{
    EXPECT_EQ(CreateRegionFromBitmap(nullptr), nullptr);
    CBitmap white = MakeBitmap(30, 20, [](int, int) { return kWhite; });
    EXPECT_EQ(CreateRegionFromBitmap(white), nullptr) << "an all-white mask leaves the window rectangular";
}

TEST(CopyBitmapSection, CutsOneStateOutOfAStrip)
{
    // Three 10 x 10 states side by side: red, green, blue.
    const uint32_t colours[] = { 0x00FF0000, 0x0000FF00, 0x000000FF };
    CBitmap strip = MakeBitmap(30, 10, [&](int x, int) { return colours[x / 10]; });
    HDC screen = ::GetDC(nullptr);
    CBitmap target;
    ASSERT_TRUE(target.CreateCompatibleBitmap(screen, 2, 2));
    HGDIOBJ previous = target.GetSafeHandle();
    ASSERT_TRUE(CopyBitmapSection(target, screen, strip, 10, 0, 20, 10));
    EXPECT_FALSE(::GetObjectType(previous)) << "the old bitmap is deleted";
    EXPECT_EQ(target.GetSize(), CSize(10, 10));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(screen));
    {
        CSelectObject select(dc, target);
        EXPECT_EQ(::GetPixel(dc, 0, 0), RGB(0, 255, 0));
        EXPECT_EQ(::GetPixel(dc, 9, 9), RGB(0, 255, 0));
    }
    CBitmap none;
    EXPECT_FALSE(CopyBitmapSection(target, screen, none, 0, 0, 5, 5));
    EXPECT_EQ(target.GetSize(), CSize(10, 10)) << "a failed copy leaves the target";
    EXPECT_FALSE(CopyBitmapSection(target, screen, strip, 5, 0, 5, 10));
    ::ReleaseDC(nullptr, screen);
}
