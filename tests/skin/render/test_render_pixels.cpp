// What a full render leaves on the cache and back surfaces, read back pixel
// by pixel.  Expected colours are the documented skin-image alphas composed
// over the colours the test gives the theme.
#include <gtest/gtest.h>

#include "tests/skin/render/render_support.h"

namespace {

using render_test::FrameSetup;
using render_test::kBlack;
using render_test::kWhite;
using render_test::Over;
using render_test::TestFrame;

constexpr COLORREF kSkin = RGB(30, 90, 160);
constexpr COLORREF kBack = RGB(200, 220, 180);
// GDI+ composes in its own fixed-point arithmetic; one or two steps of
// difference per channel, no more.
constexpr int kTolerance = 2;

// Caption gloss alpha by row: flat 128 over the title rows, then an even fall
// from 114 at row 8 to 1 at row 88, clear below.
int GlossAlpha(int row) {
    if (row <= 7) return 128;
    if (row >= 89) return 0;
    return static_cast<int>(std::lround(114 - (row - 8) * 113 / 80.0));
}

int StatusGlossAlpha(int row) { return static_cast<int>(std::lround(77 - row * 59 / 25.0)); }

class RenderPixels : public ::testing::Test {
protected:
    RenderPixels() {
        colours_.Skin(kSkin);
        colours_.Back(kBack);
    }
    render_test::ThemeColours colours_;
};

#define EXPECT_COLOUR(pixels, x, y, expected)                                                              \
    EXPECT_LE(harness::ColorDistance((pixels).At(x, y), (expected)), kTolerance)                           \
        << "at (" << (x) << ", " << (y) << "): got 0x" << std::hex << (pixels).At(x, y) << ", expected 0x" \
        << (expected) << std::dec

TEST_F(RenderPixels, BaseFillShowsBetweenGlossAndClient) {
    TestFrame frame({.banner = 120});
    const auto px = frame.CachePixels();
    // Rows 90 to 119 of a 120-pixel caption band are below the 90-pixel gloss.
    EXPECT_TRUE(px.AllEqual(5, 90, frame.width() - 10, 30, kSkin));
}

TEST_F(RenderPixels, GlossOverTheCaptionBand) {
    TestFrame frame;
    const auto px = frame.CachePixels();
    for (int row : {6, 8, 40, 70, 79}) {
        const COLORREF expected = Over(kSkin, kWhite, GlossAlpha(row));
        for (int x : {40, 256, 400}) EXPECT_COLOUR(px, x, row, expected);  // clear of icon and buttons
    }
}

TEST_F(RenderPixels, ClientFillAndOutline) {
    TestFrame frame;
    const int W = frame.width(), H = frame.height(), bh = 80, sh = 26;
    const auto px = frame.CachePixels();
    EXPECT_TRUE(px.AllEqual(3, bh + 1, W - 6, H - bh - sh - 4, kBack)) << "client fill";
    const COLORREF line = Over(kSkin, kBlack, 150);
    EXPECT_COLOUR(px, 2, bh + 50, line);
    EXPECT_COLOUR(px, W - 3, bh + 50, line);
    EXPECT_COLOUR(px, W / 2, bh, Over(Over(kSkin, kWhite, GlossAlpha(bh)), kBlack, 150));
    EXPECT_COLOUR(px, W / 2, H - sh - 3, Over(Over(kSkin, kWhite, StatusGlossAlpha(0)), kBlack, 150));
    // Nothing of the outline outside its rectangle.
    EXPECT_COLOUR(px, 3, bh + 50, kBack);
    EXPECT_COLOUR(px, W - 4, bh + 50, kBack);
}

TEST_F(RenderPixels, WithoutStatusBandTheClientReachesTheBottomBorder) {
    TestFrame frame({.status = 0});
    const int W = frame.width(), H = frame.height();
    const auto px = frame.CachePixels();
    EXPECT_TRUE(px.AllEqual(3, 81, W - 6, H - 85, kBack));
    EXPECT_COLOUR(px, W / 2, H - 3, Over(kSkin, kBlack, 150));
    EXPECT_EQ(frame.record()->nStatusItem, 0);
}

TEST_F(RenderPixels, BorderCornersAndEdges) {
    TestFrame frame;
    const int W = frame.width(), H = frame.height();
    const auto px = frame.CachePixels();
    const COLORREF top = Over(kSkin, kWhite, GlossAlpha(0));  // under the top corners
    const COLORREF topRow1 = Over(kSkin, kWhite, GlossAlpha(1));
    struct Probe {
        int x, y;
        COLORREF expected;
    };
    const Probe probes[] = {
        // Top-left corner, 1:1 from the grid.
        {0, 0, Over(top, kBlack, 6)},
        {1, 1, Over(topRow1, RGB(41, 41, 41), 99)},
        {2, 1, Over(topRow1, RGB(205, 205, 205), 109)},
        {0, 2, Over(Over(kSkin, kWhite, GlossAlpha(2)), kBlack, 102)},
        // Top-right corner mirrors it.
        {W - 1, 0, Over(top, kBlack, 6)},
        {W - 2, 1, Over(topRow1, RGB(41, 41, 41), 99)},
        // Bottom corners: below the status band only the base fill lies under them.
        {1, H - 2, Over(kSkin, RGB(40, 40, 40), 100)},
        {W - 2, H - 2, Over(kSkin, RGB(40, 40, 40), 100)},
        {2, H - 2, Over(kSkin, RGB(205, 205, 205), 109)},
        // Stretched edges: dark outer line, light inner line.
        {W / 2, 0, Over(top, kBlack, 102)},
        {W / 2, 1, Over(topRow1, kWhite, 128)},
        {W / 2, H - 1, Over(kSkin, kBlack, 102)},
        {W / 2, H - 2, Over(kSkin, kWhite, 128)},
        {0, 200, Over(kSkin, kBlack, 102)},
        {1, 200, Over(kSkin, kWhite, 128)},
        {W - 1, 200, Over(kSkin, kBlack, 102)},
        {W - 2, 200, Over(kSkin, kWhite, 128)},
    };
    for (const Probe& p : probes) EXPECT_COLOUR(px, p.x, p.y, p.expected);
}

TEST_F(RenderPixels, StatusBandGlossAndItem) {
    TestFrame frame;
    const int W = frame.width(), H = frame.height(), sh = 26;
    const auto px = frame.CachePixels();
    for (int row : {1, 5, 12, 25})
        EXPECT_COLOUR(px, W / 2, H - sh - 3 + row, Over(kSkin, kWhite, StatusGlossAlpha(row)));
    const orvia::FrameItem& status = frame.item(frame.statusIndex);
    EXPECT_EQ(status.nLeft, 5);
    EXPECT_EQ(status.nTop, H - sh - 3);
    EXPECT_EQ(status.nWidth, W - 10);
    EXPECT_EQ(status.nHeight, sh);
    EXPECT_EQ(status.rcBounds.right, W - 5);
    EXPECT_EQ(status.rcBounds.bottom, H - 3);
}

TEST_F(RenderPixels, SizeGripOnlyOnASizableFrameThatIsNotMaximized) {
    TestFrame plain;
    const auto reference = plain.CachePixels();
    const int W = plain.width(), H = plain.height();
    struct Case {
        bool sizable, maximized, grip;
    };
    for (const Case c : {Case{true, false, true}, Case{true, true, false}, Case{false, true, false}}) {
        TestFrame frame({.sizable = c.sizable, .maximized = c.maximized});
        const auto px = frame.CachePixels();
        const int changed = render_test::DifferingPixels(px, reference, 0, 0, W, H);
        if (!c.grip) {
            EXPECT_EQ(changed, 0) << c.sizable << c.maximized;
            continue;
        }
        // Only the grip's 12 x 12 cell changes, and its stripes are a dark
        // line beside a light one.
        EXPECT_EQ(render_test::DifferingPixels(px, reference, W - 14, H - 14, 12, 12), changed);
        EXPECT_COLOUR(px, W - 8, H - 8, Over(reference.At(W - 8, H - 8), kBlack, 153));
        EXPECT_COLOUR(px, W - 7, H - 8, Over(reference.At(W - 7, H - 8), kWhite, 153));
        EXPECT_EQ(frame.item(frame.statusIndex).nWidth, W - 20) << "the text keeps clear of the grip";
    }
}

TEST_F(RenderPixels, CaptionButtonsAreLaidOutFromTheRight) {
    TestFrame frame;
    const int W = frame.width();
    struct Expected {
        int index, left, width;
    };
    for (const Expected e : {Expected{frame.closeIndex, W - 45, 40}, Expected{frame.maximizeIndex, W - 72, 27},
                             Expected{frame.restoreIndex, W - 72, 27}, Expected{frame.minimizeIndex, W - 99, 27}}) {
        const orvia::FrameItem& item = frame.item(e.index);
        EXPECT_EQ(item.nLeft, e.left) << "item " << e.index;
        EXPECT_EQ(item.nTop, 1);
        EXPECT_EQ(item.nWidth, e.width);
        EXPECT_EQ(item.nHeight, 19);
        EXPECT_EQ(item.rcBounds.left, e.left);
        EXPECT_EQ(item.rcBounds.right, e.left + e.width);
        EXPECT_EQ(item.rcBounds.bottom, 20);
    }
}

// A cell's background pixel (2, 2) shows the row: clear when normal, white
// at about 148 when hot and 81 when pressed, red at 122 behind Close in both.
TEST_F(RenderPixels, CaptionButtonRowsByState) {
    struct Case {
        const char* what;
        bool close, hover, pressed;
        COLORREF color;
        int alpha;
    };
    const Case cases[] = {
        {"normal", false, false, false, kWhite, 0},
        {"hover", false, true, false, kWhite, 148},
        {"pressed", false, false, true, kWhite, 81},
        {"pressed and hover", false, true, true, kWhite, 81},
        {"close normal", true, false, false, kWhite, 0},
        {"close hover", true, true, false, RGB(255, 0, 0), 122},
        {"close pressed", true, false, true, RGB(255, 0, 0), 122},
    };
    for (const Case& c : cases) {
        TestFrame frame({.render = false});
        orvia::FrameItem& item = frame.item(c.close ? frame.closeIndex : frame.minimizeIndex);
        item.bHover = c.hover;
        item.bPressed = c.pressed;
        orvia::RenderFrame(frame.hwnd(), true);
        const auto px = frame.CachePixels();
        const auto back = frame.BackPixels();
        const int x = item.nLeft + 2, y = item.nTop + 2;
        EXPECT_COLOUR(px, x, y, Over(back.At(x, y), c.color, c.alpha)) << c.what;
        if (!c.close) {
            EXPECT_EQ(px.At(item.nLeft + 10, item.nTop + 12), kWhite) << c.what << ": the dash glyph";
        }
    }
}

TEST_F(RenderPixels, HiddenButtonIsLaidOutButNotDrawn) {
    TestFrame frame;
    const auto px = frame.CachePixels();
    const auto back = frame.BackPixels();
    // Maximize is drawn where hidden Restore also sits: its square glyph, not
    // Restore's two squares.  Top row of the square: y 4 from x 8 to 18;
    // Restore has nothing at (8, 4).
    const orvia::FrameItem& maximize = frame.item(frame.maximizeIndex);
    EXPECT_EQ(px.At(maximize.nLeft + 8, 1 + 4), kWhite);
    frame.item(frame.maximizeIndex).bVisible = 0;
    orvia::RenderFrame(frame.hwnd(), true);
    const auto empty = frame.CachePixels();
    EXPECT_TRUE(render_test::SameRect(empty, back, maximize.nLeft, 1, 27, 19))
        << "no visible button there: the caption band shows through";
    EXPECT_FALSE(render_test::SameRect(px, back, maximize.nLeft, 1, 27, 19));
}

TEST_F(RenderPixels, BackSurfaceHasNoItemsIconOrTitle) {
    TestFrame frame({.title = L"TovrinV1.0", .statusText = "\xbf\xec\xb5\xdd"});
    const auto px = frame.CachePixels();
    const auto back = frame.BackPixels();
    const int W = frame.width(), H = frame.height();
    EXPECT_FALSE(render_test::SameRect(px, back, 0, 0, W, 24)) << "caption row differs";
    // Outside the caption row and the status item the two are the same picture.
    EXPECT_TRUE(render_test::SameRect(px, back, 0, 24, W, H - 29 - 24));
    EXPECT_FALSE(render_test::SameRect(px, back, 5, H - 29, W - 10, 26)) << "status text";
}

// Counts the halo's dark pixels and the text's light ones against the back
// surface in a band.
struct TextInk {
    int light = 0, dark = 0, leftmost = 1 << 30;
};
TextInk InkIn(const harness::Pixels& px, const harness::Pixels& back, int x, int y, int w, int h) {
    TextInk ink;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            const COLORREF a = px.At(i, j), b = back.At(i, j);
            if (a == b) continue;
            ink.leftmost = std::min(ink.leftmost, i);
            const int la = GetRValue(a) + GetGValue(a) + GetBValue(a);
            const int lb = GetRValue(b) + GetGValue(b) + GetBValue(b);
            (la > lb ? ink.light : ink.dark)++;
        }
    return ink;
}

// A solid 16 x 16 icon of one colour.
HICON SolidIcon(COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP image = CreateCompatibleBitmap(screen, 16, 16);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, image);
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all{0, 0, 16, 16};
    FillRect(mem, &all, brush);
    SelectObject(mem, mask);
    PatBlt(mem, 0, 0, 16, 16, BLACKNESS);  // opaque everywhere
    SelectObject(mem, old);
    ICONINFO info{TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DeleteDC(mem);
    DeleteObject(brush);
    DeleteObject(image);
    DeleteObject(mask);
    ReleaseDC(nullptr, screen);
    return icon;
}

TEST_F(RenderPixels, WindowsOwnSmallIconWinsOverTheProgramIcon) {
    TestFrame frame;
    const COLORREF iconColour = RGB(250, 20, 120);
    HICON icon = SolidIcon(iconColour);
    SendMessageW(frame.hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    orvia::RenderFrame(frame.hwnd(), true);
    const auto px = frame.CachePixels();
    EXPECT_TRUE(px.AllEqual(8, 6, 16, 16, iconColour));
    EXPECT_NE(px.At(7, 6), iconColour);
    EXPECT_NE(px.At(24, 21), iconColour);
    EXPECT_NE(frame.BackPixels().At(8, 6), iconColour) << "the back surface has no icon";
    SendMessageW(frame.hwnd(), WM_SETICON, ICON_SMALL, 0);
    DestroyIcon(icon);
}

TEST_F(RenderPixels, TitleIsWhiteWithADarkHaloAfterTheIcon) {
    struct Case {
        const char* what;
        bool icon;
        int firstInk;  // the halo reaches one pixel left of the text
    };
    for (const Case c : {Case{"with icon", true, 28 - 1}, Case{"no icon at all", false, 8 - 1}}) {
        HICON icon = c.icon ? SolidIcon(RGB(250, 20, 120)) : nullptr;
        orvia::g_theme->appIcon = nullptr;  // put back by the fixture
        TestFrame frame({.title = L"TovrinV1.0", .render = false});
        SendMessageW(frame.hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        orvia::RenderFrame(frame.hwnd(), true);
        const int from = c.icon ? 24 : 0;
        const auto ink = InkIn(frame.CachePixels(), frame.BackPixels(), from, 0, 300 - from, 24);
        EXPECT_GT(ink.light, 20) << c.what;
        EXPECT_GT(ink.dark, 20) << c.what;
        // A glyph's first column may be blank: allow a few pixels of side bearing.
        EXPECT_GE(ink.leftmost, c.firstInk) << c.what;
        EXPECT_LE(ink.leftmost, c.firstInk + 3) << c.what;
        SendMessageW(frame.hwnd(), WM_SETICON, ICON_SMALL, 0);
        if (icon) DestroyIcon(icon);
    }
}

TEST_F(RenderPixels, EmptyTitleDrawsNoText) {
    orvia::g_theme->appIcon = nullptr;
    TestFrame frame;
    EXPECT_TRUE(render_test::SameRect(frame.CachePixels(), frame.BackPixels(), 0, 0, 300, 24));
}

// The title is UTF-16 and the skin's own texts are code page 936, whatever the
// system's ANSI code page: a Chinese text must not come out as the question
// marks that an ANSI round trip under code page 1252 makes of it.
TEST_F(RenderPixels, ChineseTextsAreNotQuestionMarks) {
    auto titleBand = [](const wchar_t* title) {
        TestFrame frame({.title = title});
        return frame.CachePixels();
    };
    const auto chinese = titleBand(L"\x5feb\x9012\x67e5\x8be2");
    const auto marks = titleBand(L"????");
    EXPECT_GT(render_test::DifferingPixels(chinese, marks, 0, 0, 120, 24), 50);

    auto statusBand = [](const char* text) {
        TestFrame frame({.statusText = text});
        return frame.CachePixels();
    };
    const auto chineseStatus = statusBand("\xbf\xec\xb5\xdd\xb2\xe9\xd1\xaf");  // 快递查询
    const auto marksStatus = statusBand("????");
    EXPECT_GT(render_test::DifferingPixels(chineseStatus, marksStatus, 5, 411 - 29, 120, 26), 50);
}

TEST_F(RenderPixels, PageTabBackgroundFollowsItsState) {
    TestFrame frame({.render = false});
    orvia::FrameRecord* record = frame.record();
    const int tab = orvia::AddFrameItem(*record, orvia::kItemPageTab, 0, 5, 28, 60, 52, "");
    struct Case {
        const char* what;
        bool hover, pressed, selected;
        bool drawn;
    };
    const Case cases[] = {{"normal", false, false, false, false},
                          {"hover", true, false, false, true},
                          {"pressed", false, true, false, true},
                          {"selected", false, false, true, true}};
    harness::Pixels hot, down;
    for (const Case& c : cases) {
        orvia::FrameItem& item = frame.item(tab);
        item.bHover = c.hover;
        item.bPressed = c.pressed;
        item.bSelected = c.selected;
        orvia::RenderFrame(frame.hwnd(), true);
        const auto px = frame.CachePixels();
        const auto back = frame.BackPixels();
        EXPECT_EQ(render_test::SameRect(px, back, 5, 28, 60, 52), !c.drawn) << c.what;
        if (!c.drawn) continue;
        // Every tab look has the border grid's outline: dark outer line.
        EXPECT_COLOUR(px, 5, 28 + 20, Over(back.At(5, 48), kBlack, 102)) << c.what;
        if (c.hover) hot = px;
        if (c.selected) down = px;
    }
    EXPECT_FALSE(render_test::SameRect(hot, down, 5, 28, 60, 52)) << "hot and selected tabs look different";
}

TEST_F(RenderPixels, UnregisteredWindowGetsTheFrameWithoutItems) {
    orvia::g_theme->appIcon = nullptr;
    TestFrame frame({.registered = false});
    const auto px = frame.CachePixels();
    EXPECT_TRUE(render_test::SameRect(px, frame.BackPixels(), 0, 0, frame.width(), frame.height()));
    EXPECT_TRUE(px.AllEqual(3, 81, frame.width() - 6, 100, kBack));
}

TEST(RenderRegion, RoundedCornersOverTheWholeWindow) {
    for (bool maximized : {false, true}) {
        TestFrame frame({.maximized = maximized});
        const int W = frame.width(), H = frame.height();
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(frame.hwnd(), region), ERROR);
        RECT box{};
        GetRgnBox(region, &box);
        EXPECT_EQ(box.left, 0);
        EXPECT_EQ(box.top, 0);
        EXPECT_EQ(box.right, W);
        EXPECT_EQ(box.bottom, H);
        struct Point {
            int x, y;
            bool inside;
        };
        for (const Point p :
             {Point{0, 0, false}, Point{W - 1, 0, false}, Point{0, H - 1, false}, Point{W - 1, H - 1, false},
              Point{1, 1, true}, Point{W - 2, H - 2, true}, Point{W / 2, 0, true}, Point{0, H / 2, true},
              Point{W - 1, H / 2, true}, Point{W / 2, H - 1, true}, Point{W, H / 2, false}})
            EXPECT_EQ(PtInRegion(region, p.x, p.y) != FALSE, p.inside) << p.x << ", " << p.y << " max " << maximized;
        DeleteObject(region);
    }
}

TEST(RenderRegion, NotAWindowIsIgnored) {
    const DWORD before = render_test::GdiObjectCount();
    orvia::RenderFrame(nullptr, true);
    orvia::RenderFrame(reinterpret_cast<HWND>(0x12345), true);
    EXPECT_EQ(render_test::GdiObjectCount(), before) << "no surfaces made for a handle that is not a window";
}

}  // namespace
