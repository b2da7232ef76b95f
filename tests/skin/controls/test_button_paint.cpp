// Skinned buttons as they appear: pixels read back from the screen after the
// button's own repaint, and the drawing calls recorded in a metafile.
#include <memory>
#include <vector>

#include "tests/skin/controls/controls_fixture.h"

namespace {

using namespace controls_test;
using orvia::g_theme;

constexpr COLORREF kMagenta = RGB(255, 0, 255);

class ButtonPaint : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        host_ = std::make_unique<harness::TestWindow>(HostOptions());
    }

    // A skinned button in the host, in draw state `drawState`.
    HWND Skinned(DWORD style, const wchar_t* text, int width, int height, int drawState = orvia::kDrawNormal,
                 LONG_PTR check = 0, bool enabled = true) {
        HWND button = AddButton(*host_, style, text, 10, 10, width, height);
        orvia::SkinChildControls(*host_);
        orvia::SetProperty(button, orvia::prop::kDrawState, drawState);
        orvia::SetProperty(button, orvia::prop::kCheck, check);
        EnableWindow(button, enabled);
        return button;
    }

    // The pixels of such a button, which is gone again afterwards.
    harness::Pixels PaintedOnce(DWORD style, const wchar_t* text, int width, int height) {
        HWND button = Skinned(style, text, width, height);
        harness::Pixels pixels = Repainted(button);
        DestroyWindow(button);
        return pixels;
    }

    std::unique_ptr<harness::TestWindow> host_;
};

struct MemorySurface {
    MemorySurface(int width, int height) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        previous = SelectObject(dc, bitmap);
        RECT all{0, 0, width, height};
        HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
        FillRect(dc, &all, green);
        DeleteObject(green);
        this->width = width;
        this->height = height;
    }
    ~MemorySurface() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    harness::Pixels Read() const { return harness::Pixels::FromDC(dc, 0, 0, width, height); }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    int width, height;
};

TEST_F(ButtonPaint, PushButtonOfCellSizeIsAnExactCopyOfItsCell) {
    struct Case {
        const char* name;
        DWORD style;
        LONG_PTR check;
        bool enabled;
        int drawState;
        int cellX;
    };
    const Case cases[] = {
        {"normal", BS_PUSHBUTTON, 0, true, orvia::kDrawNormal, 0},
        {"hover", BS_PUSHBUTTON, 0, true, orvia::kDrawHover, 40},
        {"pressed", BS_PUSHBUTTON, 0, true, orvia::kDrawPressed, 80},
        {"disabled", BS_PUSHBUTTON, 0, false, orvia::kDrawNormal, 120},
        {"disabled beats hover", BS_PUSHBUTTON, 0, false, orvia::kDrawHover, 120},
        {"disabled beats pressed", BS_DEFPUSHBUTTON, 0, false, orvia::kDrawPressed, 120},
        {"a checked push button looks like any other", BS_PUSHBUTTON, 1, true, orvia::kDrawNormal, 0},
        {"push-like check box, checked, looks pressed", BS_AUTOCHECKBOX | BS_PUSHLIKE, 1, true, orvia::kDrawHover, 80},
        {"push-like radio button, unchecked, hover", BS_AUTORADIOBUTTON | BS_PUSHLIKE, 0, true, orvia::kDrawHover, 40},
        {"push-like, checked and disabled", BS_AUTOCHECKBOX | BS_PUSHLIKE, 1, false, orvia::kDrawNormal, 120},
    };
    for (const Case& c : cases) {
        HWND button = Skinned(c.style, L"", 40, 23, c.drawState, c.check, c.enabled);
        EXPECT_EQ(CompareBlock(Repainted(button), 0, 0, SpriteCell(c.cellX, 0, 40, 23), 0, 0, 40, 23), "") << c.name;
        DestroyWindow(button);
    }
}

TEST_F(ButtonPaint, WiderAndTallerButtonKeepsFivePixelBordersAndStretchesTheRest) {
    for (int cellX : {0, 80}) {
        HWND button = Skinned(BS_PUSHBUTTON, L"", 80, 30, cellX == 0 ? orvia::kDrawNormal : orvia::kDrawPressed);
        const harness::Pixels painted = Repainted(button);
        const harness::Pixels cell = SpriteCell(cellX, 0, 40, 23);
        // The cell's rows do not change between its side borders, so one
        // column stands for the whole stretched middle.
        for (int y = 0; y < 23; ++y)
            ASSERT_TRUE(cell.AllEqual(5, y, 30, 1, cell.At(5, y))) << "sprite row " << y << " is not uniform";

        EXPECT_EQ(CompareBlock(painted, 0, 0, cell, 0, 0, 5, 5), "") << "top-left corner";
        EXPECT_EQ(CompareBlock(painted, 75, 0, cell, 35, 0, 5, 5), "") << "top-right corner";
        EXPECT_EQ(CompareBlock(painted, 0, 25, cell, 0, 18, 5, 5), "") << "bottom-left corner";
        EXPECT_EQ(CompareBlock(painted, 75, 25, cell, 35, 18, 5, 5), "") << "bottom-right corner";

        // Every painted row is one row of the cell: its 5-pixel sides 1:1 and
        // its middle widened.  Top and bottom borders keep their 5 rows; the
        // 13 middle rows of the cell stretch over 20, in order, first to last.
        auto rowMatches = [&](int y, int sourceRow) {
            return CompareBlock(painted, 0, y, cell, 0, sourceRow, 5, 1).empty() &&
                   CompareBlock(painted, 75, y, cell, 35, sourceRow, 5, 1).empty() &&
                   painted.AllEqual(5, y, 70, 1, cell.At(20, sourceRow));
        };
        for (int y = 0; y < 5; ++y) EXPECT_TRUE(rowMatches(y, y)) << "top border row " << y;
        for (int y = 25; y < 30; ++y) EXPECT_TRUE(rowMatches(y, y - 7)) << "bottom border row " << y;
        int source = 5;
        for (int y = 5; y < 25; ++y) {
            while (source <= 17 && !rowMatches(y, source)) ++source;
            ASSERT_LE(source, 17) << "row " << y << " is no middle row of the cell at or after the previous one";
            if (y == 5) {
                EXPECT_EQ(source, 5) << "the first middle row of the cell starts the stretch";
            }
        }
        EXPECT_EQ(source, 17) << "the last middle row of the cell ends the stretch";
        DestroyWindow(button);
    }
}

TEST_F(ButtonPaint, CheckBoxesAndRadioButtonsShowTheirCellOverTheBackground) {
    struct Case {
        const char* name;
        DWORD style;
        LONG_PTR check;
        bool enabled;
        int drawState;
        int cellX, cellY;
    };
    const Case cases[] = {
        {"check box", BS_AUTOCHECKBOX, 0, true, orvia::kDrawNormal, 0, 25},
        {"check box, hover", BS_CHECKBOX, 0, true, orvia::kDrawHover, 15, 25},
        {"check box, checked and pressed", BS_AUTOCHECKBOX, 1, true, orvia::kDrawPressed, 90, 25},
        {"check box, checked and disabled", BS_AUTOCHECKBOX, 1, false, orvia::kDrawHover, 105, 25},
        {"check box, disabled beats pressed", BS_3STATE, 0, false, orvia::kDrawPressed, 45, 25},
        {"check box, indeterminate shows unchecked", BS_AUTO3STATE, 2, true, orvia::kDrawNormal, 0, 25},
        {"radio button, selected", BS_AUTORADIOBUTTON, 1, true, orvia::kDrawNormal, 60, 40},
        {"radio button, hover", BS_RADIOBUTTON, 0, true, orvia::kDrawHover, 15, 40},
        {"radio button, selected and disabled", BS_AUTORADIOBUTTON, 1, false, orvia::kDrawNormal, 105, 40},
    };
    const harness::Pixels sprite = SpriteCell(0, 0, 160, 55);
    for (const Case& c : cases) {
        HWND button = Skinned(c.style, L"", 60, 20, c.drawState, c.check, c.enabled);
        const harness::Pixels painted = Repainted(button);
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 15; ++x) {
                const COLORREF source = sprite.At(c.cellX + x, c.cellY + y);
                const COLORREF expected = source == kMagenta ? g_theme->backColor : source;
                ASSERT_EQ(painted.At(x, y), expected) << c.name << " at (" << x << ", " << y << ")";
            }
        EXPECT_TRUE(painted.AllEqual(15, 0, 45, 20, g_theme->backColor)) << c.name << ": right of the box";
        EXPECT_TRUE(painted.AllEqual(0, 15, 15, 5, g_theme->backColor)) << c.name << ": below the box";
        DestroyWindow(button);
    }
}

TEST_F(ButtonPaint, PushButtonTextIsCentredInBlack) {
    const harness::Pixels small = PaintedOnce(BS_PUSHBUTTON, L"OK", 40, 23);
    const harness::Pixels smallBlank = PaintedOnce(BS_PUSHBUTTON, L"", 40, 23);
    const harness::Pixels large = PaintedOnce(BS_PUSHBUTTON, L"OK", 80, 30);
    const harness::Pixels largeBlank = PaintedOnce(BS_PUSHBUTTON, L"", 80, 30);
    const Ink a = InkOf(small, smallBlank);
    const Ink b = InkOf(large, largeBlank);
    ASSERT_TRUE(a.any && b.any);
    // Centred: 40 more pixels of width move the label by 20, 7 more of height by 3 or 4.
    EXPECT_NEAR(b.left - a.left, 20, 1);
    EXPECT_NEAR(b.top - a.top, 3.5, 1);
    EXPECT_EQ(b.right - b.left, a.right - a.left);
    EXPECT_NEAR((a.left + a.right) / 2.0, 19.5, 2);
    EXPECT_NEAR((a.top + a.bottom) / 2.0, 11, 2);
    bool black = false;
    for (int y = a.top; y <= a.bottom; ++y)
        for (int x = a.left; x <= a.right; ++x) black = black || (a.mask[y][x] && small.At(x, y) == RGB(0, 0, 0));
    EXPECT_TRUE(black) << "the label is drawn in black";
}

TEST_F(ButtonPaint, TooLongTextEndsInAnEllipsisOnOneLine) {
    TEXTMETRICW metrics{};
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, g_theme->defaultControlFont);
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    // The control font is fixed-pitch, and which face the system gives for it
    // varies. A width that is a whole number of cells would let a cut label
    // fill it edge to edge; three pixels more leaves room on both sides.
    ASSERT_GT(metrics.tmAveCharWidth, 0);
    const int width = 10 * metrics.tmAveCharWidth + 3;
    const harness::Pixels painted = PaintedOnce(BS_PUSHBUTTON, L"A label far too long for it", width, 23);
    const harness::Pixels blank = PaintedOnce(BS_PUSHBUTTON, L"", width, 23);
    const Ink ink = InkOf(painted, blank);
    ASSERT_TRUE(ink.any);
    // Cut to fit: the label leaves both side borders untouched...
    EXPECT_GE(ink.left, 1);
    EXPECT_LE(ink.right, width - 2);
    // ...on a single line, no taller than the font...
    EXPECT_LE(ink.bottom - ink.top + 1, metrics.tmHeight);
    // ...and ending in three dots: small marks side by side on the same rows.
    const std::vector<InkRun> runs = InkRuns(ink);
    ASSERT_GE(runs.size(), 4u);
    for (std::size_t i = runs.size() - 3; i < runs.size(); ++i) {
        EXPECT_LE(runs[i].right - runs[i].left, 2) << "mark " << i;
        EXPECT_LE(runs[i].bottom - runs[i].top, 2) << "mark " << i;
        EXPECT_EQ(runs[i].top, runs.back().top) << "mark " << i;
    }
    EXPECT_LT(runs[runs.size() - 4].top, runs.back().top) << "the dots follow taller letters";
}

TEST_F(ButtonPaint, ChineseLabelIsDrawnAsItsOwnCharactersOnANonChineseSystem) {
    // The tests run with ANSI code page 1252, where these characters do not
    // exist: read as 8-bit text they would all become question marks.
    ASSERT_NE(GetACP(), 936u);
    HFONT font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                             L"WenQuanYi Zen Hei");
    auto paint = [&](const wchar_t* text) {
        HWND button = Skinned(BS_PUSHBUTTON, text, 90, 23);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        harness::Pixels pixels = Repainted(button);
        DestroyWindow(button);
        return pixels;
    };
    const harness::Pixels chinese = paint(L"\u5feb\u9012\u67e5\u8be2");  // 快递查询
    const harness::Pixels questionMarks = paint(L"????");
    const harness::Pixels blank = paint(L"");
    EXPECT_TRUE(InkOf(chinese, blank).any);
    EXPECT_NE(CompareBlock(chinese, 0, 0, questionMarks, 0, 0, 90, 23), "");
    DeleteObject(font);
}

TEST_F(ButtonPaint, CheckBoxTextStartsRightOfTheBoxAndIsCentredVertically) {
    const harness::Pixels painted = PaintedOnce(BS_AUTOCHECKBOX, L"Tick", 80, 23);
    const harness::Pixels blank = PaintedOnce(BS_AUTOCHECKBOX, L"", 80, 23);
    const Ink ink = InkOf(painted, blank);
    ASSERT_TRUE(ink.any);
    EXPECT_GE(ink.left, 16);
    EXPECT_LE(ink.left, 18) << "left-aligned next to the box";
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 11, 2);
}

TEST_F(ButtonPaint, FocusCueFollowsTheOwnerDrawState) {
    for (DWORD style : {static_cast<DWORD>(BS_PUSHBUTTON), static_cast<DWORD>(BS_AUTOCHECKBOX)}) {
        HWND button = Skinned(style, L"Go", 60, 23);
        auto paint = [&](UINT itemState) {
            MemorySurface surface(60, 23);
            DRAWITEMSTRUCT item{};
            item.CtlType = ODT_BUTTON;
            item.itemAction = ODA_DRAWENTIRE;
            item.itemState = itemState;
            item.hwndItem = button;
            item.hDC = surface.dc;
            GetClientRect(button, &item.rcItem);
            EXPECT_EQ(SendMessageW(*host_, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)), TRUE);
            return surface.Read();
        };
        const harness::Pixels plain = paint(0);
        const harness::Pixels focused = paint(ODS_FOCUS);
        const harness::Pixels cuesHidden = paint(ODS_FOCUS | ODS_NOFOCUSRECT);
        EXPECT_EQ(CompareBlock(cuesHidden, 0, 0, plain, 0, 0, 60, 23), "") << "style " << style;
        const Ink cue = InkOf(focused, plain);
        ASSERT_TRUE(cue.any) << "style " << style;
        if (style == BS_PUSHBUTTON) {
            // A dotted frame 3 pixels inside the edge, nothing elsewhere.
            EXPECT_EQ(cue.left, 3);
            EXPECT_EQ(cue.top, 3);
            EXPECT_EQ(cue.right, 56);
            EXPECT_EQ(cue.bottom, 19);
            EXPECT_FALSE(cue.mask[11][30]);
        } else {
            EXPECT_GE(cue.left, 15) << "the cue surrounds the text, not the box";
        }
        DestroyWindow(button);
    }
}

// --- Drawing calls, recorded in an enhanced metafile ---------------------------

struct Copy {
    DWORD type;
    RECT destination;  // x, y, width, height
    RECT source;       // x, y, width, height (width and height 0 for BitBlt)
    bool operator==(const Copy& o) const {
        return type == o.type && EqualRect(&destination, &o.destination) && EqualRect(&source, &o.source);
    }
};

std::ostream& operator<<(std::ostream& out, const Copy& c) {
    return out << (c.type == EMR_BITBLT ? "BitBlt" : c.type == EMR_STRETCHBLT ? "StretchBlt" : "other") << " ("
               << c.destination.left << ", " << c.destination.top << ", " << c.destination.right << ", "
               << c.destination.bottom << ") <- (" << c.source.left << ", " << c.source.top << ", "
               << c.source.right << ", " << c.source.bottom << ")";
}

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM context) {
    auto& copies = *reinterpret_cast<std::vector<Copy>*>(context);
    if (record->iType == EMR_HEADER || record->iType == EMR_EOF) return 1;
    if (record->iType == EMR_BITBLT) {
        const auto* b = reinterpret_cast<const EMRBITBLT*>(record);
        copies.push_back({EMR_BITBLT, {b->xDest, b->yDest, b->cxDest, b->cyDest}, {b->xSrc, b->ySrc, 0, 0}});
    } else if (record->iType == EMR_STRETCHBLT) {
        const auto* s = reinterpret_cast<const EMRSTRETCHBLT*>(record);
        copies.push_back({EMR_STRETCHBLT, {s->xDest, s->yDest, s->cxDest, s->cyDest},
                          {s->xSrc, s->ySrc, s->cxSrc, s->cySrc}});
    } else {
        copies.push_back({record->iType, {}, {}});
    }
    return 1;
}

template <typename Draw>
std::vector<Copy> Recorded(Draw draw) {
    HDC metafile = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    draw(metafile);
    HENHMETAFILE handle = CloseEnhMetaFile(metafile);
    std::vector<Copy> copies;
    EnumEnhMetaFile(nullptr, handle, CollectRecord, &copies, nullptr);
    DeleteEnhMetaFile(handle);
    return copies;
}

TEST(NineGrid, CopiesNinePartsInRowOrder) {
    constexpr DWORD B = EMR_BITBLT, S = EMR_STRETCHBLT;
    struct Case {
        RECT destination, outer, inner;
        std::vector<Copy> expected;
    };
    const Case cases[] = {
        {{0, 0, 80, 30}, {0, 0, 40, 23}, {5, 5, 35, 18},
         {{B, {0, 0, 5, 5}, {0, 0, 0, 0}},
          {S, {5, 0, 70, 5}, {5, 0, 30, 5}},
          {B, {75, 0, 5, 5}, {35, 0, 0, 0}},
          {S, {0, 5, 5, 20}, {0, 5, 5, 13}},
          {S, {5, 5, 70, 20}, {5, 5, 30, 13}},
          {S, {75, 5, 5, 20}, {35, 5, 5, 13}},
          {B, {0, 25, 5, 5}, {0, 18, 0, 0}},
          {S, {5, 25, 70, 5}, {5, 18, 30, 5}},
          {B, {75, 25, 5, 5}, {35, 18, 0, 0}}}},
        // Away from the origin, from the hover cell, with uneven borders.
        {{10, 20, 110, 60}, {40, 0, 80, 23}, {42, 3, 76, 19},
         {{B, {10, 20, 2, 3}, {40, 0, 0, 0}},
          {S, {12, 20, 94, 3}, {42, 0, 34, 3}},
          {B, {106, 20, 4, 3}, {76, 0, 0, 0}},
          {S, {10, 23, 2, 33}, {40, 3, 2, 16}},
          {S, {12, 23, 94, 33}, {42, 3, 34, 16}},
          {S, {106, 23, 4, 33}, {76, 3, 4, 16}},
          {B, {10, 56, 2, 4}, {40, 19, 0, 0}},
          {S, {12, 56, 94, 4}, {42, 19, 34, 4}},
          {B, {106, 56, 4, 4}, {76, 19, 0, 0}}}},
    };
    for (const Case& c : cases) {
        const auto copies = Recorded([&](HDC dc) { orvia::DrawNineGrid(dc, c.destination, c.outer, c.inner); });
        EXPECT_EQ(copies, c.expected);
    }
}

TEST(NineGrid, DestinationSmallerThanTheBordersLetsLaterCornersWin) {
    MemorySurface surface(8, 8);
    orvia::DrawNineGrid(surface.dc, {0, 0, 8, 8}, {0, 0, 40, 23}, {5, 5, 35, 18});
    const harness::Pixels painted = surface.Read();
    const harness::Pixels cell = SpriteCell(0, 0, 40, 23);
    EXPECT_EQ(CompareBlock(painted, 0, 0, cell, 0, 0, 3, 3), "") << "top-left";
    EXPECT_EQ(CompareBlock(painted, 3, 0, cell, 35, 0, 5, 3), "") << "top-right";
    EXPECT_EQ(CompareBlock(painted, 0, 3, cell, 0, 18, 3, 5), "") << "bottom-left";
    EXPECT_EQ(CompareBlock(painted, 3, 3, cell, 35, 18, 5, 5), "") << "bottom-right";
}

TEST_F(ButtonPaint, EachPaintCopiesToTheTargetOnce) {
    for (DWORD style : {static_cast<DWORD>(BS_PUSHBUTTON), static_cast<DWORD>(BS_AUTORADIOBUTTON)}) {
        HWND button = Skinned(style, L"Label", 80, 30, orvia::kDrawHover);
        const auto copies = Recorded([&](HDC dc) { orvia::PaintSkinnedButton(button, dc); });
        const std::vector<Copy> expected = {{EMR_BITBLT, {0, 0, 80, 30}, {0, 0, 0, 0}}};
        EXPECT_EQ(copies, expected) << "style " << style;
        DestroyWindow(button);
    }
}

TEST_F(ButtonPaint, NothingIsDrawnWithoutAWindowADCOrTheTheme) {
    HWND button = Skinned(BS_PUSHBUTTON, L"OK", 40, 23);
    MemorySurface surface(40, 23);
    const harness::Pixels before = surface.Read();
    orvia::PaintSkinnedButton(nullptr, surface.dc);
    orvia::PaintSkinnedButton(reinterpret_cast<HWND>(0x4321), surface.dc);
    orvia::PaintSkinnedButton(button, nullptr);
    orvia::DrawNineGrid(nullptr, {0, 0, 40, 23}, {0, 0, 40, 23}, {5, 5, 35, 18});
    orvia::OrviaTheme* theme = g_theme;
    g_theme = nullptr;
    orvia::PaintSkinnedButton(button, surface.dc);
    orvia::DrawNineGrid(surface.dc, {0, 0, 40, 23}, {0, 0, 40, 23}, {5, 5, 35, 18});
    g_theme = theme;
    EXPECT_EQ(CompareBlock(surface.Read(), 0, 0, before, 0, 0, 40, 23), "");
    // With the theme back the same call paints.
    orvia::PaintSkinnedButton(button, surface.dc);
    EXPECT_NE(CompareBlock(surface.Read(), 0, 0, before, 0, 0, 40, 23), "");
}

TEST(SpriteCells, ChosenByTypeCheckStateAndDrawState) {
    struct Case {
        int type;
        LONG_PTR check;
        bool enabled;
        int drawState;
        bool pushLike;
        int x, y, width, height;
    };
    const Case cases[] = {
        {5, 0, true, 0, false, 0, 0, 40, 23},    {5, 0, true, 1, false, 40, 0, 40, 23},
        {5, 1, true, 2, false, 80, 0, 40, 23},   {5, 0, false, 2, false, 120, 0, 40, 23},
        {5, 1, true, 0, true, 80, 0, 40, 23},    {5, 2, true, 0, true, 0, 0, 40, 23},
        {5, 0, true, 7, false, 0, 0, 40, 23},    {6, 0, true, 0, false, 0, 25, 15, 15},
        {6, 1, true, 1, false, 75, 25, 15, 15},  {6, 1, false, 2, false, 105, 25, 15, 15},
        {7, 0, true, 2, false, 30, 40, 15, 15},  {7, 1, true, 0, false, 60, 40, 15, 15},
        {7, 2, true, 0, false, 0, 40, 15, 15},
    };
    for (const Case& c : cases) {
        const orvia::SpriteCell cell = orvia::ChooseSpriteCell(c.type, c.check, c.enabled, c.drawState, c.pushLike);
        EXPECT_EQ(cell.x, c.x) << "type " << c.type << " check " << c.check << " state " << c.drawState;
        EXPECT_EQ(cell.y, c.y) << "type " << c.type;
        EXPECT_EQ(cell.width, c.width) << "type " << c.type;
        EXPECT_EQ(cell.height, c.height) << "type " << c.type;
    }
}

}  // namespace
