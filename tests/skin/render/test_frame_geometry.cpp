// The frame layout as plain functions: no window, no surface.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "skin/frame/registry.h"
#include "skin/render/frame_geometry.h"

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

using orvia::DrawRect;
using orvia::FrameItem;

TEST(PlaceBanner, RightAlignsAndClipsThePicture) {
    struct Case {
        const char* what;
        int window, banner, imageWidth, imageHeight;
        orvia::BannerPlacement expected;
        bool leftFade;
    };
    const Case cases[] = {
        {"narrower: against the right edge", 512, 80, 406, 205, {0, 106, 406, 90}, true},
        {"wider: its right part from x 0", 512, 80, 800, 205, {288, 0, 512, 90}, false},
        {"as wide as the window", 512, 80, 512, 205, {0, 0, 512, 90}, false},
        {"shorter than the band plus 10", 512, 80, 406, 50, {0, 106, 406, 50}, true},
        {"exactly the band plus 10 high", 512, 80, 406, 90, {0, 106, 406, 90}, true},
        {"taller band", 300, 120, 100, 400, {0, 200, 100, 130}, true},
    };
    for (const Case& c : cases) {
        const auto p = orvia::PlaceBanner(c.window, c.banner, c.imageWidth, c.imageHeight);
        EXPECT_EQ(p, c.expected) << c.what << ": " << p.srcX << " " << p.dstX << " " << p.width << " " << p.height;
        const auto part = orvia::BannerPart(p);
        EXPECT_EQ(part.src, (DrawRect{p.srcX, 0, p.width, p.height})) << c.what;
        EXPECT_EQ(part.dst, (DrawRect{p.dstX, 0, p.width, p.height})) << c.what;
        EXPECT_EQ(orvia::LeftFade(p, c.banner).has_value(), c.leftFade) << c.what;
    }
}

TEST(PlaceBanner, FadesRunFromTheSkinColourIntoThePicture) {
    const auto fade = orvia::LeftFade(orvia::PlaceBanner(512, 80, 406, 205), 80);
    ASSERT_TRUE(fade);
    EXPECT_EQ(fade->fill, (DrawRect{106, 0, 150, 90}));
    EXPECT_EQ(fade->fromX, 106);
    EXPECT_EQ(fade->toX, 256);
    EXPECT_EQ(fade->fromY, fade->toY) << "horizontal";
    EXPECT_EQ(fade->fromAlpha, 255);
    EXPECT_EQ(fade->toAlpha, 0);

    const auto bottom = orvia::BottomFade(512, 80);
    EXPECT_EQ(bottom.fill, (DrawRect{0, 80, 512, 10}));
    EXPECT_EQ(bottom.fromY, 80);
    EXPECT_EQ(bottom.toY, 90);
    EXPECT_EQ(bottom.fromX, bottom.toX) << "vertical";
    EXPECT_EQ(bottom.fromAlpha, 0);
    EXPECT_EQ(bottom.toAlpha, 255);
}

TEST(FrameBands, ClientAreaStatusBandAndGrip) {
    EXPECT_EQ(orvia::CaptionGloss(512).dst, (DrawRect{0, 0, 512, 90}));
    EXPECT_EQ(orvia::CaptionGloss(512).src, (DrawRect{0, 0, 150, 90}));
    EXPECT_EQ(orvia::StatusGloss(512, 411, 26).dst, (DrawRect{2, 382, 508, 26}));
    EXPECT_EQ(orvia::StatusGloss(512, 411, 26).src, (DrawRect{180, 0, 20, 26}));
    EXPECT_EQ(orvia::SizeGrip(512, 411).dst, (DrawRect{498, 397, 12, 12}));
    EXPECT_EQ(orvia::SizeGrip(512, 411).src, (DrawRect{180, 26, 12, 12}));

    EXPECT_EQ(orvia::ClientFill(512, 411, 80, 26), (DrawRect{3, 81, 506, 301}));
    EXPECT_EQ(orvia::ClientOutline(512, 411, 80, 26), (DrawRect{2, 80, 507, 302}));
    // Without a status band the client reaches H - 4 and its outline H - 3;
    // a negative status height is no band either.
    for (int sh : {0, -5}) {
        const DrawRect fill = orvia::ClientFill(512, 411, 80, sh);
        const DrawRect outline = orvia::ClientOutline(512, 411, 80, sh);
        EXPECT_EQ(fill.y + fill.height - 1, 411 - 4) << "last client row, status " << sh;
        EXPECT_EQ(outline.y + outline.height, 411 - 3) << "bottom line, status " << sh;
    }

    EXPECT_EQ(orvia::StatusItemBox(512, 411, 26, false), (orvia::PixelBox{5, 382, 502, 26}));
    EXPECT_EQ(orvia::StatusItemBox(512, 411, 26, true), (orvia::PixelBox{5, 382, 492, 26}));

    struct Grip {
        int sh;
        bool sizable, maximized, shown;
    };
    for (const Grip g : {Grip{26, true, false, true}, Grip{26, false, false, false}, Grip{26, true, true, false},
                         Grip{0, true, false, false}})
        EXPECT_EQ(orvia::ShowsSizeGrip(g.sh, g.sizable, g.maximized), g.shown)
            << g.sh << " " << g.sizable << " " << g.maximized;
}

TEST(FrameBands, BorderIsCornersAndStretchedEdgeCells) {
    const auto parts = orvia::FrameBorder(512, 411);
    const orvia::ImagePart expected[] = {
        {{0, 0, 5, 5}, {0, 90, 5, 5}},      {{5, 0, 502, 5}, {5, 90, 5, 5}},     {{507, 0, 5, 5}, {55, 90, 5, 5}},
        {{0, 5, 5, 401}, {0, 95, 5, 5}},    {{507, 5, 5, 401}, {55, 95, 5, 5}},  {{0, 406, 5, 5}, {0, 137, 5, 5}},
        {{5, 406, 502, 5}, {5, 137, 5, 5}}, {{507, 406, 5, 5}, {55, 137, 5, 5}},
    };
    for (std::size_t i = 0; i < parts.size(); ++i) EXPECT_EQ(parts[i], expected[i]) << "part " << i;
}

FrameItem Button(int id, int width, bool visible = true) {
    orvia::FrameRecord record;
    orvia::AddFrameItem(record, orvia::kItemCaptionButton, id, 0, 1, width, 19, "");
    record.Items[0].bVisible = visible ? 1 : 0;
    return record.Items[0];
}

TEST(LayoutCaptionButtons, FromTheRightRestoreSharesMaximizesPlace) {
    std::vector<FrameItem> items = {Button(orvia::kButtonClose, 40), Button(orvia::kButtonMaximize, 27),
                                    Button(orvia::kButtonRestore, 27, false), Button(orvia::kButtonMinimize, 27),
                                    Button(orvia::kButtonHelp, 27)};
    FrameItem status;
    status.nKind = orvia::kItemStatus;
    status.nLeft = 5;
    items.push_back(status);
    FrameItem tab;
    tab.nKind = orvia::kItemPageTab;
    tab.nLeft = 67;
    items.insert(items.begin() + 4, tab);  // a tab between buttons moves nothing

    orvia::LayoutCaptionButtons(items, 512);
    const int expectedLeft[] = {467, 440, 440, 413, 67, 386, 5};
    for (std::size_t i = 0; i < items.size(); ++i) {
        const FrameItem& it = items[i];
        EXPECT_EQ(it.nLeft, expectedLeft[i]) << "item " << i + 1;
        EXPECT_EQ(it.rcBounds.left, it.nKind == orvia::kItemCaptionButton ? it.nLeft : 0) << "item " << i + 1;
    }
    EXPECT_EQ(items[0].rcBounds, (RECT{467, 1, 507, 20})) << "Close ends 5 pixels from the right";
    EXPECT_EQ(items[2].rcBounds, (RECT{440, 1, 467, 20})) << "a hidden button is laid out too";
}

TEST(CaptionButtonSource, CellByIdRowByState) {
    struct Case {
        int id;
        bool hover, pressed;
        DrawRect src;
    };
    const Case cases[] = {
        {orvia::kButtonClose, false, false, {162, 145, 40, 19}},
        {orvia::kButtonRestore, true, false, {135, 165, 27, 19}},
        {orvia::kButtonMaximize, false, true, {108, 185, 27, 19}},
        {orvia::kButtonMinimize, true, true, {81, 185, 27, 19}},  // pressed wins over hover
        {orvia::kButtonMainMenu, false, false, {54, 145, 27, 19}},
        {orvia::kButtonList, false, false, {27, 145, 27, 19}},
        {orvia::kButtonHelp, false, false, {0, 145, 27, 19}},
        {42, true, false, {0, 165, 27, 19}},
    };
    for (const Case& c : cases) {
        FrameItem item = Button(c.id, 27);
        item.bHover = c.hover;
        item.bPressed = c.pressed;
        EXPECT_EQ(orvia::CaptionButtonSource(item), c.src) << "id " << c.id;
    }
}

TEST(PageTab, BackgroundIconAndTitlePlaces) {
    struct Case {
        bool hover, pressed, selected;
        std::optional<double> srcX;
    };
    const Case cases[] = {{false, false, false, std::nullopt},
                          {true, false, false, 60.0},
                          {false, true, false, 120.0},
                          {false, false, true, 120.0},
                          {true, false, true, 120.0}};
    for (const Case& c : cases) {
        FrameItem tab;
        tab.nKind = orvia::kItemPageTab;
        tab.bHover = c.hover;
        tab.bPressed = c.pressed;
        tab.bSelected = c.selected;
        EXPECT_EQ(orvia::TabBackgroundSourceX(tab), c.srcX) << c.hover << c.pressed << c.selected;
    }
    FrameItem tab;
    tab.nLeft = 5;
    tab.nTop = 28;
    tab.nWidth = 61;
    tab.nHeight = 52;
    EXPECT_EQ(orvia::TabIconPosition(tab).x, 19) << "5 + 14.5 truncated";
    EXPECT_EQ(orvia::TabIconPosition(tab).y, 30);
    EXPECT_EQ(orvia::TabTitleBox(tab), (orvia::PixelBox{5, 64, 61, 16}));
}

TEST(SideEdges, ColumnsBetweenTheBands) {
    const auto strips = orvia::SideEdges(512, 411, 80, 26);
    EXPECT_EQ(strips.left, (orvia::PixelBox{0, 80, 3, 305}));
    EXPECT_EQ(strips.right, (orvia::PixelBox{509, 80, 3, 305}));
    EXPECT_EQ(orvia::SideEdges(512, 411, 80, 0).left.height, 331) << "down to the bottom edge without a status band";
}

}  // namespace
