// Putting the cached frame on screen: paint, erase, the side edges and one
// item's refresh.  The screen is painted magenta first, so that whatever a
// call copies shows against what it must leave alone.
#include <gtest/gtest.h>

#include "tests/skin/render/render_support.h"

namespace {

using render_test::kMagenta;
using render_test::TestFrame;

constexpr COLORREF kMarker = RGB(0, 255, 0);

// Pixels that differ from `color` in (x, y, w, h).
int NotColour(const harness::Pixels& px, int x, int y, int w, int h, COLORREF color) {
    int n = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (px.At(i, j) != color) ++n;
    return n;
}

// Screen pixels that are not what copying `boxes` from the cache onto the
// magenta screen gives.  The outermost ring is left out: its corner pixels
// lie outside the window region.
int WrongPixels(const harness::Pixels& screen, const harness::Pixels& cache, std::initializer_list<RECT> boxes) {
    int n = 0;
    for (int y = 1; y < screen.height() - 1; ++y)
        for (int x = 1; x < screen.width() - 1; ++x) {
            bool copied = false;
            for (const RECT& b : boxes) copied = copied || (x >= b.left && x < b.right && y >= b.top && y < b.bottom);
            if (screen.At(x, y) != (copied ? cache.At(x, y) : kMagenta)) ++n;
        }
    return n;
}

class Paint : public ::testing::Test {
protected:
    Paint() {
        harness::PumpMessages();  // the paints that showing and the region brought
    }
    TestFrame frame_;
};

TEST_F(Paint, CopiesExactlyTheUpdateRectangleAndRendersNothing) {
    const int W = frame_.width(), H = frame_.height();
    for (bool erase : {false, true}) {
        frame_.PaintScreen(kMagenta);
        // A render would overwrite the back surface and replace the bitmaps.
        frame_.FillSurface(frame_.back(), kMarker);
        const LONG_PTR bitmap = orvia::GetProperty(frame_.hwnd(), orvia::prop::kCacheBitmap);
        const auto cache = frame_.CachePixels();

        harness::MessageRecorder recorder(frame_.hwnd());
        const RECT update{250, 200, 260, 210};
        InvalidateRect(frame_.hwnd(), &update, erase);
        UpdateWindow(frame_.hwnd());

        EXPECT_EQ(WrongPixels(frame_.ScreenPixels(), cache, {update}), 0) << "erase " << erase;
        EXPECT_EQ(recorder.Only({WM_ERASEBKGND}).size(), erase ? 1u : 0u);
        EXPECT_EQ(recorder.Only({WM_PAINT}).size(), 1u);
        EXPECT_TRUE(frame_.BackPixels().AllEqual(0, 0, W, H, kMarker)) << "nothing rendered, erase " << erase;
        EXPECT_EQ(orvia::GetProperty(frame_.hwnd(), orvia::prop::kCacheBitmap), bitmap);
    }
}

TEST_F(Paint, FullInvalidationErasesAndPaintsTheWholeFrame) {
    const int W = frame_.width(), H = frame_.height();
    frame_.PaintScreen(kMagenta);
    harness::MessageRecorder recorder(frame_.hwnd());
    InvalidateRect(frame_.hwnd(), nullptr, TRUE);
    UpdateWindow(frame_.hwnd());
    EXPECT_EQ(harness::CompareMessages(recorder.Only({WM_ERASEBKGND, WM_PAINT}), {{WM_PAINT}, {WM_ERASEBKGND}}), "")
        << "BeginPaint sends the erase from within the paint";
    EXPECT_EQ(WrongPixels(frame_.ScreenPixels(), frame_.CachePixels(), {RECT{0, 0, W, H}}), 0);
}

TEST_F(Paint, WithoutSurfacesThePaintStillValidates) {
    TestFrame bare({.render = false});
    harness::PumpMessages();
    InvalidateRect(bare.hwnd(), nullptr, TRUE);
    UpdateWindow(bare.hwnd());
    RECT left{};
    EXPECT_FALSE(GetUpdateRect(bare.hwnd(), &left, FALSE)) << "no update region is left behind";
    orvia::RepaintSideEdges(bare.hwnd());
    orvia::EraseFromCache(bare.hwnd(), nullptr);
}

TEST(SideEdges, RestoresTheTwoColumnsBetweenTheBands) {
    struct Case {
        int status;
    };
    for (const Case c : {Case{26}, Case{0}}) {
        TestFrame frame({.status = c.status});
        harness::PumpMessages();
        const int W = frame.width(), H = frame.height(), bh = 80, sh = c.status;
        frame.PaintScreen(kMagenta);
        orvia::RepaintSideEdges(frame.hwnd());
        const auto screen = frame.ScreenPixels();
        const auto cache = frame.CachePixels();
        EXPECT_EQ(WrongPixels(screen, cache, {RECT{0, bh, 3, H - sh}, RECT{W - 3, bh, W, H - sh}}), 0)
            << "status " << sh;
        EXPECT_EQ(screen.At(1, bh - 1), kMagenta);
        if (sh) {
            EXPECT_EQ(screen.At(1, H - sh), kMagenta);
        }
        EXPECT_EQ(screen.At(3, bh + 10), kMagenta);
    }
}

class Refresh : public ::testing::Test {
protected:
    Refresh() { harness::PumpMessages(); }

    // The item's rectangle as a full render draws it in its current state.
    harness::Pixels Rendered() {
        orvia::RenderFrame(frame_.hwnd(), true);
        return frame_.CachePixels();
    }
    void Scribble() {
        frame_.FillSurface(frame_.cache(), kMagenta);
        frame_.PaintScreen(kMagenta);
    }
    TestFrame frame_{{.title = L"TovrinV1.0", .statusText = "\xbf\xec\xb5\xdd"}};
};

TEST_F(Refresh, RedrawsOnlyTheItemsRectangleOnCacheAndScreen) {
    const int W = frame_.width(), H = frame_.height();
    orvia::FrameItem& minimize = frame_.item(frame_.minimizeIndex);
    for (bool hover : {true, false}) {
        minimize.bHover = hover;
        const auto expected = Rendered();
        harness::PumpMessages();
        Scribble();
        orvia::RefreshItem(frame_.hwnd(), frame_.minimizeIndex);
        const int x = minimize.nLeft, y = minimize.nTop, w = minimize.nWidth, h = minimize.nHeight;
        const RECT box{x, y, x + w, y + h};
        const auto cache = frame_.CachePixels();
        EXPECT_TRUE(render_test::SameRect(cache, expected, x, y, w, h)) << "hover " << hover;
        EXPECT_EQ(NotColour(cache, 0, 0, W, H, kMagenta), NotColour(cache, x, y, w, h, kMagenta))
            << "the cache changed only inside the item";
        EXPECT_EQ(WrongPixels(frame_.ScreenPixels(), expected, {box}), 0) << "hover " << hover;
    }
}

TEST_F(Refresh, StatusTextIsRedrawnOnItsCleanBackground) {
    orvia::FrameItem& status = frame_.item(frame_.statusIndex);
    status.sText = "\xb2\xe9\xd1\xaf";  // 查询
    const auto expected = Rendered();
    status.sText = "\xbf\xec\xb5\xdd";
    Rendered();
    status.sText = "\xb2\xe9\xd1\xaf";
    orvia::RefreshItem(frame_.hwnd(), frame_.statusIndex);
    EXPECT_TRUE(
        render_test::SameRect(frame_.CachePixels(), expected, status.nLeft, status.nTop, status.nWidth, status.nHeight))
        << "the old text is gone, not overdrawn";
}

TEST_F(Refresh, NothingForAHiddenItemOrAnIndexOutOfRange) {
    const int W = frame_.width(), H = frame_.height();
    const int count = frame_.record()->nItemCount;
    for (int index : {-1, 0, count + 1, frame_.restoreIndex}) {
        Scribble();
        orvia::RefreshItem(frame_.hwnd(), index);
        EXPECT_TRUE(frame_.CachePixels().AllEqual(0, 0, W, H, kMagenta)) << "index " << index;
        EXPECT_EQ(WrongPixels(frame_.ScreenPixels(), frame_.CachePixels(), {}), 0) << "index " << index;
    }
    Scribble();
    orvia::RefreshItem(nullptr, 1);
    TestFrame stranger({.registered = false});
    orvia::RefreshItem(stranger.hwnd(), 1);
    EXPECT_TRUE(frame_.CachePixels().AllEqual(0, 0, W, H, kMagenta));
}

}  // namespace
