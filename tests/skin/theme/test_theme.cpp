#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <string>
#include <vector>

#include "skin/theme/embedded.h"
#include "skin/theme/theme.h"

namespace {

using orvia::g_theme;

TEST(ColorToArgb, PutsAlphaOnTopAndSwapsRedAndBlue) {
    struct Case {
        COLORREF color;
        std::uint8_t alpha;
        std::uint32_t argb;
    };
    const Case cases[] = {
        {0x000000, 90, 0x5A000000}, {0xFFFFFF, 255, 0xFFFFFFFF}, {0x000000, 150, 0x96000000},
        {0xD2B30E, 255, 0xFF0EB3D2}, {0x0000FF, 0, 0x00FF0000},  {0x123456, 1, 0x01563412},
    };
    for (const Case& c : cases) EXPECT_EQ(orvia::ColorToArgb(c.color, c.alpha), c.argb) << std::hex << c.color;
}

gdip::ARGB FillColor(gdip::GpSolidFill* brush) {
    gdip::ARGB argb = 0;
    EXPECT_EQ(gdip::GdipGetSolidFillColor(brush, &argb), gdip::Ok);
    return argb;
}

TEST(BuildTheme, BrushesAndPenHaveTheirColours) {
    ASSERT_TRUE(g_theme);
    EXPECT_EQ(FillColor(g_theme->textHaloBrush), 0x5A000000u);
    EXPECT_EQ(FillColor(g_theme->textBrush), 0xFFFFFFFFu);
    EXPECT_EQ(FillColor(g_theme->skinColorBrush), 0xFF0EB3D2u) << "the initial plain skin colour";
    gdip::ARGB pen = 0;
    gdip::REAL width = 0;
    gdip::GdipGetPenColor(g_theme->borderPen, &pen);
    gdip::GdipGetPenWidth(g_theme->borderPen, &width);
    EXPECT_EQ(pen, 0x96000000u);
    EXPECT_EQ(width, 1.0f);
}

TEST(BuildTheme, BackgroundFollowsTheButtonFace) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(g_theme->backColor, face);
    LOGBRUSH lb{};
    ASSERT_EQ(GetObjectW(g_theme->backBrush, sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbColor, face);
    EXPECT_EQ(FillColor(g_theme->backFill), orvia::ColorToArgb(face, 255));
    EXPECT_EQ(g_theme->skinColor, 0u);
    EXPECT_EQ(g_theme->bannerImageWidth, 0);
    EXPECT_EQ(g_theme->bannerImageHeight, 0);
    EXPECT_EQ(g_theme->defaultControlFont, GetStockObject(OEM_FIXED_FONT));
}

TEST(BuildTheme, SkinImageIsTheEmbeddedPicture) {
    UINT w = 0, h = 0;
    ASSERT_TRUE(g_theme->skinImage);
    gdip::GdipGetImageWidth(g_theme->skinImage, &w);
    gdip::GdipGetImageHeight(g_theme->skinImage, &h);
    EXPECT_EQ(w, 205u);
    EXPECT_EQ(h, 260u);
}

TEST(BuildTheme, AppIconComesFromTheProgramsIconGroup) {
    HMODULE module = GetModuleHandleA(nullptr);
    ASSERT_FALSE(LoadIconA(module, MAKEINTRESOURCEA(0x81)));
    ASSERT_FALSE(LoadIconA(module, MAKEINTRESOURCEA(0x80)));
    HICON own = LoadIconA(module, "DEFAULT_ICON");
    ASSERT_TRUE(own);
    EXPECT_EQ(g_theme->appIcon, own);
}

std::wstring FamilyOf(gdip::GpFont* font) {
    gdip::GpFontFamily* family = nullptr;
    if (gdip::GdipGetFamily(font, &family) != gdip::Ok) return L"";
    WCHAR name[32] = {};
    gdip::GdipGetFamilyName(family, name, 0x409);
    gdip::GdipDeleteFontFamily(family);
    return name;
}

int StyleOf(gdip::GpFont* font) {
    int style = -1;
    gdip::GdipGetFontStyle(font, &style);
    return style;
}

TEST(BuildTheme, FrameFontsAreTwelvePixelSongtiInBoldAndRegular) {
    ASSERT_TRUE(g_theme->captionFont);
    ASSERT_TRUE(g_theme->itemFont);
    EXPECT_NE(g_theme->itemFont, g_theme->captionFont);
    gdip::REAL size = 0;
    gdip::GdipGetFontSize(g_theme->captionFont, &size);
    EXPECT_EQ(size, 12.0f);
    EXPECT_TRUE(StyleOf(g_theme->captionFont) & gdip::FontStyleBold);
    // Wine reports the style of the face it matched, not the one asked for,
    // so the item font is compared with a font made regular on purpose.
    gdip::GpFont* regular = orvia::NewFont(orvia::kFrameFontFace, 12.0f, gdip::FontStyleRegular, gdip::UnitPixel);
    ASSERT_TRUE(regular) << "the test prefix carries a face registered as 宋体";
    EXPECT_EQ(StyleOf(g_theme->itemFont), StyleOf(regular));
    gdip::GdipDeleteFont(regular);
    const std::wstring family = FamilyOf(g_theme->captionFont);
    EXPECT_TRUE(family == L"SimSun" || family == L"宋体") << "got another family";
}

TEST(NewFont, MissingFaceGivesNullButTheFallbackFindsAChineseFamily) {
    EXPECT_EQ(orvia::NewFont("No Such Face 123", 12.0f, 0, gdip::UnitPixel), nullptr);
    gdip::GpFont* font = orvia::NewFontWithFallback("No Such Face 123", 12.0f, 0, gdip::UnitPixel);
    ASSERT_TRUE(font);
    const std::wstring family = FamilyOf(font);
    bool listed = false;
    for (const wchar_t* f : orvia::FallbackFontFamilies()) listed |= family == f;
    EXPECT_TRUE(listed) << "fell back to an unlisted family";
    gdip::GdipDeleteFont(font);
}

TEST(BuildTheme, StringFormatsAlignAsFrameTextsNeed) {
    gdip::StringAlignment align{}, line{};
    gdip::GdipGetStringFormatAlign(g_theme->centeredFormat, &align);
    gdip::GdipGetStringFormatLineAlign(g_theme->centeredFormat, &line);
    EXPECT_EQ(align, gdip::StringAlignmentCenter);
    EXPECT_EQ(line, gdip::StringAlignmentCenter);
    gdip::GdipGetStringFormatAlign(g_theme->leftFormat, &align);
    gdip::GdipGetStringFormatLineAlign(g_theme->leftFormat, &line);
    EXPECT_EQ(align, gdip::StringAlignmentNear);
    EXPECT_EQ(line, gdip::StringAlignmentCenter);
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {0, 0};
    BITMAP bm{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return {bm.bmWidth, bm.bmHeight};
}

TEST(IconFromIcoBytes, DefaultPageIconIs32By32) {
    std::int32_t w = -1, h = -1;
    HICON icon = orvia::IconFromIcoBytes(orvia::embedded::DefaultPageIco(), 0, &w, &h);
    ASSERT_TRUE(icon);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 32);
    EXPECT_EQ(IconSize(icon).cx, 32);
    EXPECT_EQ(IconSize(icon).cy, 32);
    DestroyIcon(icon);
    EXPECT_EQ(IconSize(g_theme->defaultPageIcon).cx, 32);
}

TEST(IconFromIcoBytes, RefusesWhatTheDirectoryDoesNotHold) {
    const auto ico = orvia::embedded::DefaultPageIco();
    std::int32_t w = -1;
    EXPECT_FALSE(orvia::IconFromIcoBytes(ico, 1, &w));
    EXPECT_EQ(w, -1) << "no size reported without an entry";
    EXPECT_FALSE(orvia::IconFromIcoBytes(ico.first(22), 0));
    EXPECT_FALSE(orvia::IconFromIcoBytes(ico.first(ico.size() - 1), 0));
    EXPECT_FALSE(orvia::IconFromIcoBytes({}, 0));
}

TEST(BitmapFromBmpBytes, SpriteSheetIs160By55WithMagentaWhereTransparent) {
    HGDIOBJ selected = GetCurrentObject(g_theme->spriteDC, OBJ_BITMAP);
    BITMAP bm{};
    ASSERT_TRUE(GetObjectW(selected, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 160);
    EXPECT_EQ(bm.bmHeight, 55);

    constexpr COLORREF kMagenta = RGB(255, 0, 255);
    HDC dc = g_theme->spriteDC;
    for (int y : {23, 24})
        for (int x = 0; x < 160; ++x) ASSERT_EQ(GetPixel(dc, x, y), kMagenta) << x << "," << y;
    for (int y = 25; y < 55; ++y)
        for (int x = 120; x < 160; ++x) ASSERT_EQ(GetPixel(dc, x, y), kMagenta) << x << "," << y;
    // Corners of every small cell lie outside its square or circle.
    for (int top : {25, 40})
        for (int cell = 0; cell < 8; ++cell)
            for (auto [dx, dy] : {std::pair{0, 0}, {14, 0}, {0, 14}, {14, 14}})
                EXPECT_EQ(GetPixel(dc, cell * 15 + dx, top + dy), kMagenta) << cell << " at " << top;
    // And the cells are not magenta throughout: a push-button face has its colour.
    EXPECT_NE(GetPixel(dc, 20, 11), kMagenta);
    EXPECT_NE(GetPixel(dc, 7, 32), kMagenta);
}

TEST(BitmapFromBmpBytes, RefusesShortAndTruncatedFiles) {
    const auto bmp = orvia::embedded::SpriteSheetBmp();
    EXPECT_FALSE(orvia::BitmapFromBmpBytes({}));
    EXPECT_FALSE(orvia::BitmapFromBmpBytes(bmp.first(28)));
    EXPECT_FALSE(orvia::BitmapFromBmpBytes(bmp.first(54)));
    EXPECT_FALSE(orvia::BitmapFromBmpBytes(bmp.first(bmp.size() - 1)));
    HBITMAP whole = orvia::BitmapFromBmpBytes(bmp);
    EXPECT_TRUE(whole);
    DeleteObject(whole);
}

TEST(LoadImageFromBytes, MeasuresOnRequestAndRefusesNonImages) {
    std::int32_t w = 0, h = 0;
    gdip::GpImage* image = orvia::LoadImageFromBytes(orvia::embedded::SkinImagePng(), &w, &h);
    ASSERT_TRUE(image);
    EXPECT_EQ(w, 205);
    EXPECT_EQ(h, 260);
    gdip::GdipDisposeImage(image);

    const std::uint8_t garbage[] = {1, 2, 3, 4, 5, 6, 7, 8};
    w = -7;
    EXPECT_FALSE(orvia::LoadImageFromBytes(garbage, &w));
    EXPECT_EQ(w, -7);
    EXPECT_FALSE(orvia::LoadImageFromBytes({}));
    const auto png = orvia::embedded::SkinImagePng();
    EXPECT_FALSE(orvia::LoadImageFromBytes(png.first(64))) << "a truncated PNG";
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    return counters.PrivateUsage;
}

TEST(LoadImageFromBytes, AFailedDecodeKeepsNoMemory) {
    // 400 failed loads of 1 MB each would hold 400 MB if the block leaked.
    std::vector<std::uint8_t> garbage(1 << 20, 0x5A);
    orvia::LoadImageFromBytes(garbage);  // warm up the decoders
    const SIZE_T before = PrivateBytes();
    for (int i = 0; i < 400; ++i) ASSERT_FALSE(orvia::LoadImageFromBytes(garbage));
    const SIZE_T after = PrivateBytes();
    EXPECT_LT(after, before + (64u << 20)) << "grew by " << (after - before) / 1024 << " KB";
}

TEST(ToUtf16, ConvertsSkinTextsFromCodePage936WhateverTheSystemCodePage) {
    EXPECT_EQ(orvia::ToUtf16("").size(), 1u) << "an empty text is its terminating zero";
    EXPECT_EQ(orvia::ToUtf16(nullptr).size(), 1u);
    EXPECT_EQ(std::wstring(orvia::ToUtf16("快递查询").data()), L"快递查询") << "ACP " << GetACP();
    EXPECT_EQ(std::wstring(orvia::ToUtf16(orvia::kFrameFontFace).data()), L"宋体");
    // A lone lead byte at the end is not a character, but must not run past the text.
    const std::vector<wchar_t> lone = orvia::ToUtf16("ab\xcb");
    EXPECT_EQ(lone.back(), L'\0');
    EXPECT_EQ(std::wstring(lone.data()).substr(0, 2), L"ab");
}

TEST(ToUtf16, FileNamesFollowTheSystemCodePage) {
    const char* name = "C:\\\xb2\xe2\xca\xd4.png";  // 测试 in code page 936
    wchar_t expected[64] = {};
    MultiByteToWideChar(CP_ACP, 0, name, -1, expected, 64);
    EXPECT_EQ(std::wstring(orvia::PathToUtf16(name).data()), expected);
    if (GetACP() == 936) {
        EXPECT_EQ(std::wstring(orvia::PathToUtf16(name).data()), L"C:\\测试.png");
    }
}

}  // namespace
