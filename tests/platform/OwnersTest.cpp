// The Win32 owners: what they hold is released on every path, and counted
// objects return to where they were.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>

#include "platform/GdiObjects.h"
#include "platform/Owners.h"

namespace {

using platform::LiveGdiObjects;

TEST(DibSectionTest, MakesTopDownSectionOfAskedSizeAndFreesIt) {
    const long before = LiveGdiObjects();
    {
        auto dib = platform::DibSection::Create(5, 3, 24);
        ASSERT_TRUE(dib);
        EXPECT_EQ(LiveGdiObjects(), before + 1);
        DIBSECTION ds{};
        ASSERT_EQ(GetObjectW(dib.Handle(), sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
        EXPECT_EQ(ds.dsBm.bmWidth, 5);
        EXPECT_EQ(ds.dsBm.bmHeight, 3);
        EXPECT_EQ(ds.dsBm.bmBitsPixel, 24);
        EXPECT_EQ(ds.dsBm.bmBits, dib.Bits());
        // Row 0 is the top line: a byte written at the start of the bits is
        // the top-left pixel's blue.
        static_cast<uint8_t*>(dib.Bits())[0] = 0x7F;
        platform::MemoryDC dc;
        platform::SelectedObject sel(dc.Get(), dib.Handle());
        EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(0, 0, 0x7F));
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(DibSectionTest, FailedCreationIsEmptyAndUncounted) {
    const long before = LiveGdiObjects();
    const struct {
        int w, h;
    } cases[] = {{0, 4}, {4, 0}, {-3, 2}, {100000, 100000}};
    for (const auto& c : cases) {
        auto dib = platform::DibSection::Create(c.w, c.h, 32);
        EXPECT_FALSE(dib) << c.w << "x" << c.h;
        EXPECT_EQ(dib.Handle(), nullptr);
        EXPECT_EQ(dib.Bits(), nullptr);
        EXPECT_EQ(LiveGdiObjects(), before) << c.w << "x" << c.h;
    }
}

TEST(DibSectionTest, MovedAndReleasedSectionsAreFreedOnce) {
    const long before = LiveGdiObjects();
    HBITMAP given = nullptr;
    {
        auto a = platform::DibSection::Create(2, 2, 32);
        platform::DibSection b = std::move(a);
        EXPECT_FALSE(a);
        ASSERT_TRUE(b);
        platform::DibSection c = platform::DibSection::Create(1, 1, 32);
        c = std::move(b);  // c's own section goes
        EXPECT_EQ(LiveGdiObjects(), before + 1);
        given = c.Release();
        EXPECT_FALSE(c);
    }
    // The released section outlives its owner until deleted by hand.
    EXPECT_EQ(LiveGdiObjects(), before + 1);
    BITMAP bm{};
    EXPECT_NE(GetObjectW(given, sizeof(bm), &bm), 0);
    platform::DeleteGdi(given);
    EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(OwnersTest, SelectionAndSavedStateComeBackWhenAnExceptionLeaves) {
    platform::MemoryDC dc;
    ASSERT_TRUE(dc);
    const HGDIOBJ stockBitmap = GetCurrentObject(dc.Get(), OBJ_BITMAP);
    POINT origin{};
    try {
        auto dib = platform::DibSection::Create(8, 8, 32);
        platform::SelectedObject sel(dc.Get(), dib.Handle());
        ASSERT_TRUE(sel);
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), dib.Handle());
        platform::SavedDC saved(dc.Get());
        SetViewportOrgEx(dc.Get(), 3, 4, nullptr);
        throw std::runtime_error("leave");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), stockBitmap);
    GetViewportOrgEx(dc.Get(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

TEST(OwnersTest, StateFlagScopeRestoresWhatWasThere) {
    constexpr unsigned flag = 1u << 7, other = 1u << 2;
    const struct {
        unsigned before;
        unsigned inside;
    } cases[] = {{0, flag}, {other, other | flag}, {flag, flag}, {flag | other, flag | other}};
    for (const auto& c : cases) {
        unsigned state = c.before;
        try {
            platform::StateFlagScope scope(state, flag);
            EXPECT_EQ(state, c.inside);
            throw std::runtime_error("leave");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(state, c.before);
    }
}

TEST(OwnersTest, OffscreenBufferDrawsAndFreesItsObjects) {
    const long before = LiveGdiObjects();
    {
        platform::WindowDC screen;
        platform::OffscreenBuffer buffer(screen.Get(), 6, 6);
        ASSERT_TRUE(buffer);
        EXPECT_EQ(LiveGdiObjects(), before + 2);  // the DC and its bitmap
        RECT r{0, 0, 6, 6};
        FillRect(buffer.DC(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        EXPECT_EQ(GetPixel(buffer.DC(), 5, 5), RGB(255, 255, 255));
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

}  // namespace
