// The life of a frame's two surfaces: made by the first render, bitmaps
// replaced by later ones, released with the window; and the redraw of every
// registered frame.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "skin/object/orvia_skin.h"
#include "tests/skin/render/render_support.h"

namespace {

using render_test::kMagenta;
using render_test::TestFrame;

template <typename T>
T Handle(HWND window, const char* name) {
    return reinterpret_cast<T>(orvia::GetProperty(window, name));
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

TEST(Surfaces, FirstRenderMakesBothOfTheWindowsSize) {
    TestFrame frame({.render = false});
    const HWND w = frame.hwnd();
    EXPECT_EQ(frame.cache(), nullptr);
    orvia::RenderFrame(w);  // force omitted: the first render always runs
    ASSERT_NE(frame.cache(), nullptr);
    ASSERT_NE(frame.back(), nullptr);
    EXPECT_NE(frame.cache(), frame.back());
    EXPECT_EQ(GetObjectType(frame.cache()), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(frame.back()), static_cast<DWORD>(OBJ_MEMDC));
    for (auto [dc, name] :
         {std::pair{frame.cache(), orvia::prop::kCacheBitmap}, std::pair{frame.back(), orvia::prop::kBackBitmap}}) {
        const auto bitmap = Handle<HBITMAP>(w, name);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap) << name;
        const SIZE size = BitmapSize(bitmap);
        EXPECT_EQ(size.cx, frame.width()) << name;
        EXPECT_EQ(size.cy, frame.height()) << name;
    }
    EXPECT_NE(Handle<HGDIOBJ>(w, orvia::prop::kCacheOldBitmap), nullptr);
    EXPECT_NE(Handle<HGDIOBJ>(w, orvia::prop::kBackOldBitmap), nullptr);
    EXPECT_EQ(orvia::GetIntProperty(w, orvia::prop::kWidth), frame.width());
    EXPECT_EQ(orvia::GetIntProperty(w, orvia::prop::kHeight), frame.height());
    EXPECT_EQ(GetBkMode(frame.cache()), TRANSPARENT);
    EXPECT_EQ(GetStretchBltMode(frame.cache()), HALFTONE);
}

TEST(Surfaces, UnforcedRenderAtTheSameSizeChangesNothing) {
    TestFrame frame;
    const HWND w = frame.hwnd();
    const auto bitmap = Handle<HBITMAP>(w, orvia::prop::kCacheBitmap);
    frame.FillSurface(frame.cache(), kMagenta);
    HRGN own = CreateRectRgn(0, 0, 10, 10);
    SetWindowRgn(w, own, FALSE);

    orvia::RenderFrame(w, false);
    EXPECT_EQ(Handle<HBITMAP>(w, orvia::prop::kCacheBitmap), bitmap);
    EXPECT_TRUE(frame.CachePixels().AllEqual(0, 0, frame.width(), frame.height(), kMagenta));
    HRGN now = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(w, now);
    RECT box{};
    GetRgnBox(now, &box);
    EXPECT_EQ(box.right, 10) << "the region is left as it was";
    DeleteObject(now);
}

TEST(Surfaces, LaterRendersKeepTheDCsAndReplaceTheBitmaps) {
    TestFrame frame;
    const HWND w = frame.hwnd();
    const HDC cache = frame.cache(), back = frame.back();
    const auto cacheBitmap = Handle<HBITMAP>(w, orvia::prop::kCacheBitmap);
    const auto backBitmap = Handle<HBITMAP>(w, orvia::prop::kBackBitmap);
    const auto oldBitmap = Handle<HGDIOBJ>(w, orvia::prop::kCacheOldBitmap);

    SetWindowPos(w, nullptr, 0, 0, 600, 450, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    orvia::RenderFrame(w, false);  // as WM_SIZE does it
    EXPECT_EQ(frame.cache(), cache);
    EXPECT_EQ(frame.back(), back);
    EXPECT_EQ(GetObjectType(cacheBitmap), 0u) << "the previous bitmaps are deleted";
    EXPECT_EQ(GetObjectType(backBitmap), 0u);
    EXPECT_EQ(Handle<HGDIOBJ>(w, orvia::prop::kCacheOldBitmap), oldBitmap) << "still the DC's own first bitmap";
    const SIZE size = BitmapSize(Handle<HBITMAP>(w, orvia::prop::kCacheBitmap));
    EXPECT_EQ(size.cx, 600);
    EXPECT_EQ(size.cy, 450);
    EXPECT_EQ(orvia::GetIntProperty(w, orvia::prop::kWidth), 600);
    EXPECT_EQ(frame.item(frame.closeIndex).nLeft, 600 - 45) << "buttons follow the new width";
    EXPECT_EQ(frame.item(frame.statusIndex).nTop, 450 - 29);
}

TEST(Surfaces, ReleaseDeletesDCsAndBitmapsAndZeroesTheProperties) {
    TestFrame frame;
    const HWND w = frame.hwnd();
    const HGDIOBJ handles[] = {frame.cache(), frame.back(), Handle<HGDIOBJ>(w, orvia::prop::kCacheBitmap),
                               Handle<HGDIOBJ>(w, orvia::prop::kBackBitmap)};
    orvia::ReleaseFrameSurfaces(w);
    for (HGDIOBJ h : handles) EXPECT_EQ(GetObjectType(h), 0u) << h;
    for (const char* name :
         {orvia::prop::kCacheDC, orvia::prop::kBackDC, orvia::prop::kCacheBitmap, orvia::prop::kBackBitmap,
          orvia::prop::kCacheOldBitmap, orvia::prop::kBackOldBitmap, orvia::prop::kWidth, orvia::prop::kHeight})
        EXPECT_EQ(orvia::GetProperty(w, name), 0) << name;
    orvia::ReleaseFrameSurfaces(w);  // twice is harmless

    orvia::RenderFrame(w, false);
    ASSERT_NE(frame.cache(), nullptr) << "a later render starts afresh";
    EXPECT_EQ(frame.CachePixels().At(frame.width() / 2, 150), orvia::g_theme->backColor);
}

TEST(Surfaces, DestroyingTheWindowReleasesThem) {
    auto frame = std::make_unique<TestFrame>();
    const HGDIOBJ handles[] = {frame->cache(), frame->back(), Handle<HGDIOBJ>(frame->hwnd(), orvia::prop::kCacheBitmap),
                               Handle<HGDIOBJ>(frame->hwnd(), orvia::prop::kBackBitmap)};
    frame.reset();
    for (HGDIOBJ h : handles) EXPECT_EQ(GetObjectType(h), 0u) << h;
}

TEST(Surfaces, ManyFramesLeaveTheGdiAndUserCountsWhereTheyWere) {
    { TestFrame warmUp; }  // first-use allocations of the system's own
    harness::PumpMessages();
    const DWORD gdi = render_test::GdiObjectCount();
    const DWORD user = render_test::UserObjectCount();
    {
        TestFrame alive;
        // Two DCs, two bitmaps and the window's region: the counts see them.
        EXPECT_GE(render_test::GdiObjectCount(), gdi + 4);
        EXPECT_GT(render_test::UserObjectCount(), user);
    }
    for (int i = 0; i < 20; ++i) {
        TestFrame frame({.sizable = (i % 2) == 1});
        SetWindowPos(frame.hwnd(), nullptr, 0, 0, 300 + i, 200 + i, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        orvia::RenderFrame(frame.hwnd(), false);
        frame.item(frame.closeIndex).bHover = 1;
        orvia::RefreshItem(frame.hwnd(), frame.closeIndex);
        orvia::RenderFrame(frame.hwnd(), true);
        harness::PumpMessages();
    }
    harness::PumpMessages();
    EXPECT_EQ(render_test::GdiObjectCount(), gdi);
    EXPECT_EQ(render_test::UserObjectCount(), user);
}

class RedrawAll : public ::testing::Test {
protected:
    render_test::ThemeColours colours_;
};

TEST_F(RedrawAll, RendersAndInvalidatesEveryRegisteredFrame) {
    TestFrame a({.banner = 120}), b({.width = 300, .height = 250, .banner = 120}), c({.banner = 120});
    harness::PumpMessages();
    for (const TestFrame* f : {&a, &b, &c}) {
        RECT update{};
        ASSERT_FALSE(GetUpdateRect(f->hwnd(), &update, FALSE));
    }
    const COLORREF colour = RGB(120, 10, 60);
    colours_.Skin(colour);
    orvia::g_skin->methods->RedrawAllFrames(orvia::g_skin);
    for (const TestFrame* f : {&a, &b, &c}) {
        EXPECT_EQ(f->CachePixels().At(f->width() / 2, 100), colour) << "the new skin colour in the caption band";
        RECT update{};
        EXPECT_TRUE(GetUpdateRect(f->hwnd(), &update, FALSE));
        EXPECT_EQ(update.right, f->width());
        EXPECT_EQ(update.bottom, f->height());
    }
}

// A render runs the window's own procedure (it asks for the icon), and an
// application may destroy frames from there: the walk must stop at the end of
// the registry as it now is.
HWND g_victim = nullptr;
LRESULT CALLBACK DestroyingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETICON && g_victim) {
        HWND victim = std::exchange(g_victim, nullptr);
        orvia::RemoveFrame(victim);
        DestroyWindow(victim);
    }
    return render_test::PaintingFrameProc(window, message, wParam, lParam);
}

TEST_F(RedrawAll, SurvivesFramesDestroyedWhileItRenders) {
    TestFrame first, second, third;
    SetWindowLongPtrW(first.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DestroyingProc));
    g_victim = third.hwnd();
    const auto secondBitmap = Handle<HBITMAP>(second.hwnd(), orvia::prop::kCacheBitmap);
    orvia::g_skin->methods->RedrawAllFrames(orvia::g_skin);
    EXPECT_FALSE(IsWindow(third.hwnd()));
    EXPECT_NE(Handle<HBITMAP>(second.hwnd(), orvia::prop::kCacheBitmap), secondBitmap) << "the others still render";
    SetWindowLongPtrW(first.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(render_test::PaintingFrameProc));
}

}  // namespace
