// Shared by the bad-input tables of the skin object: the window handles a
// caller can get wrong, bad texts, and snapshots of everything that a call
// given bad input must leave as it was.  Snapshots are written out as text,
// so that a failed comparison shows what changed.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "skin/frame/registry.h"
#include "skin/image/image.h"
#include "skin/object/orvia_skin.h"
#include "skin/theme/theme.h"
#include "tests/harness/frame_fixture.h"
#include "tests/harness/harness.h"

namespace bad_input {

inline orvia::OrviaSkin* Skin() { return orvia::g_skin; }

// --- Texts -------------------------------------------------------------------

// One megabyte of two-byte GBK characters ("快递" over and over).
inline const std::string& MegabyteText() {
    static const std::string text = [] {
        const std::string pair = "快递";
        std::string t;
        t.reserve(1 << 20);
        while (t.size() + pair.size() <= (1u << 20)) t += pair;
        return t;
    }();
    return text;
}

// The same, cut one byte short, so that it ends in a lone lead byte.
inline const std::string& MegabyteWithLoneLeadByte() {
    static const std::string text = MegabyteText().substr(0, MegabyteText().size() - 1);
    return text;
}

// A short text whose last character is a lead byte without its trail byte.
inline const char* const kLoneLeadByte = "状态\xB8";

// A text of any length as a short, comparable line: length, a hash and the start.
inline std::string Brief(const std::string& text) {
    std::ostringstream out;
    out << "len " << text.size() << " hash " << std::hash<std::string>{}(text) << " \"";
    for (unsigned char c : text.substr(0, 16)) {
        if (c >= 0x20 && c < 0x7F)
            out << c;
        else
            out << "\\x" << std::hex << static_cast<int>(c) << std::dec;
    }
    out << (text.size() > 16 ? "...\"" : "\"");
    return out.str();
}

// --- Snapshots ---------------------------------------------------------------

inline std::string DescribeItem(const orvia::FrameItem& i) {
    std::ostringstream out;
    out << "item " << i.nIndex << ": kind " << i.nKind << " id " << i.nId << " at " << i.nLeft << "," << i.nTop
        << " " << i.nWidth << "x" << i.nHeight << " bounds " << i.rcBounds.left << "," << i.rcBounds.top << ","
        << i.rcBounds.right << "," << i.rcBounds.bottom << " text " << Brief(i.sText) << " icon " << i.hIcon
        << " owns " << i.bOwnsIcon << " hover " << i.bHover << " pressed " << i.bPressed << " selected "
        << i.bSelected << " visible " << i.bVisible << " page " << i.hPage << " click "
        << reinterpret_cast<void*>(i.pfnOnClick);
    return out.str();
}

inline std::string DescribeRecord(const orvia::FrameRecord& r) {
    std::ostringstream out;
    out << "record of " << r.hWnd << ": count " << r.nItemCount << " hot " << r.nHotItem << " pressed "
        << r.nPressedItem << " next tab " << r.nNextTabLeft << " pages " << r.nPageCount << " status "
        << r.nStatusItem << "\n";
    for (const orvia::FrameItem& item : r.Items) out << "  " << DescribeItem(item) << "\n";
    return out.str();
}

inline std::string DescribeRegistry() {
    std::ostringstream out;
    out << "registry count " << orvia::g_registryCount << "\n";
    if (orvia::g_frameRegistry)
        for (const auto& record : orvia::g_frameRegistry->records) out << DescribeRecord(*record);
    return out.str();
}

using Properties = std::vector<std::pair<std::string, HANDLE>>;

inline BOOL CALLBACK CollectProperty(HWND, LPSTR name, HANDLE value, ULONG_PTR list) {
    std::ostringstream key;
    if ((reinterpret_cast<ULONG_PTR>(name) >> 16) == 0)
        key << "atom " << reinterpret_cast<ULONG_PTR>(name);
    else
        key << name;
    reinterpret_cast<Properties*>(list)->emplace_back(key.str(), value);
    return TRUE;
}

// Style, procedure, parent, visibility, place and every property of a window.
inline std::string DescribeWindow(HWND window) {
    std::ostringstream out;
    out << "window " << window;
    if (!IsWindow(window)) return out.str() + " (none)\n";
    RECT rc{};
    GetWindowRect(window, &rc);
    out << ": style " << std::hex << GetWindowLongPtrW(window, GWL_STYLE) << " ex "
        << GetWindowLongPtrW(window, GWL_EXSTYLE) << std::dec << " proc "
        << reinterpret_cast<void*>(GetWindowLongPtrW(window, GWLP_WNDPROC)) << " parent "
        << GetAncestor(window, GA_PARENT) << " visible " << (IsWindowVisible(window) ? 1 : 0) << " rect " << rc.left
        << "," << rc.top << "," << rc.right << "," << rc.bottom << "\n";
    Properties props;
    EnumPropsExA(window, &CollectProperty, reinterpret_cast<LPARAM>(&props));
    std::sort(props.begin(), props.end());
    for (const auto& [name, value] : props) out << "  " << name << " = " << value << "\n";
    return out.str();
}

inline std::string DescribeTheme() {
    const orvia::OrviaTheme& t = *orvia::g_theme;
    const orvia::OrviaImage& banner = *orvia::g_bannerImage;
    gdip::ARGB skin = 0, back = 0;
    if (t.skinColorBrush) gdip::GdipGetSolidFillColor(t.skinColorBrush, &skin);
    if (t.backFill) gdip::GdipGetSolidFillColor(t.backFill, &back);
    std::ostringstream out;
    out << std::hex << "skin colour " << t.skinColor << " brush " << t.skinColorBrush << " argb " << skin
        << " back colour " << t.backColor << " brush " << t.backBrush << " fill " << t.backFill << " argb " << back
        << std::dec << "\nbanner sizes " << t.bannerImageWidth << "x" << t.bannerImageHeight << " image "
        << banner.image << " memory " << banner.memory << " stream " << banner.stream << " " << banner.width << "x"
        << banner.height << "\n";
    return out.str();
}

// --- A skin that counts its redraws ------------------------------------------

// The default table with slot 9 counted, so that a call can be seen to redraw
// the frames or not; the redraw itself still happens.
class CountingSkin {
public:
    CountingSkin() {
        methods_.RedrawAllFrames = [](orvia::OrviaSkin* self) {
            ++Count();
            orvia::DefaultSkinMethods().RedrawAllFrames(self);
        };
        Count() = 0;
    }
    orvia::OrviaSkin* get() { return &skin_; }
    int redraws() const { return Count(); }

private:
    static int& Count() {
        static int count = 0;
        return count;
    }
    orvia::OrviaSkinMethods methods_ = orvia::DefaultSkinMethods();
    orvia::OrviaSkin skin_{&methods_};
};

// --- Window handles that name no skinned frame -------------------------------

inline const wchar_t* PlainClass() { return harness::TestWindowClass(L"BadInputWindow"); }

// The pointer rests where no test window lies, so that no mouse message
// changes hover states between two snapshots.
inline void ParkPointer() { SetCursorPos(1270, 1010); }

// A skinned frame with a status text and one page ("甲"), a child window in
// it, and next to it every kind of handle that names no frame:
// - null, a handle of another kind (a brush), a destroyed window;
// - the frame's child window and an unregistered top-level window;
// - a window that has left the registry but lives on: the frame attached
//   just before this one took WM_DESTROY without being destroyed, so its
//   Orvia_DUIIndex now names this frame's place.
class BadWindows {
public:
    struct Kind {
        const char* name;
        HWND window;
    };

    BadWindows() {
        ParkPointer();
        left_ = std::make_unique<harness::SkinnedFrame>(FrameAt(40));
        frame_ = std::make_unique<harness::SkinnedFrame>(FrameAt(120));
        harness::TestWindow::Options child;
        child.parent = *frame_;
        child.style = WS_CHILD | WS_VISIBLE;
        child.x = 20;
        child.y = 100;
        child.width = 60;
        child.height = 30;
        child.className = PlainClass();
        child_ = std::make_unique<harness::TestWindow>(child);
        plain_ = std::make_unique<harness::TestWindow>(TopLevel(600));
        page_ = std::make_unique<harness::TestWindow>(TopLevel(700));
        spare_ = std::make_unique<harness::TestWindow>(TopLevel(800));
        {
            harness::TestWindow gone(TopLevel(900));
            destroyed_ = gone.hwnd();
        }
        brush_ = CreateSolidBrush(RGB(1, 2, 3));

        Skin()->methods->SetStatusText(Skin(), *frame_, "状态");
        Skin()->methods->AddPage(Skin(), *frame_, "甲", {}, page_->hwnd(), std::nullopt);
        Skin()->methods->SelectPage(Skin(), *frame_, "甲");
        SendMessageW(*left_, WM_DESTROY, 0, 0);
        harness::PumpMessages();
    }
    ~BadWindows() { DeleteObject(brush_); }
    BadWindows(const BadWindows&) = delete;
    BadWindows& operator=(const BadWindows&) = delete;

    // Checks that the handles are what their names say.
    void CheckKinds() const {
        ASSERT_FALSE(IsWindow(reinterpret_cast<HWND>(brush_)));
        ASSERT_FALSE(IsWindow(destroyed_));
        ASSERT_NE(orvia::FindFrameByHandle(*frame_), 0);
        ASSERT_EQ(orvia::FindFrameByHandle(*left_), 0);
        ASSERT_TRUE(IsWindow(*left_));
        ASSERT_EQ(orvia::GetIntProperty(*left_, orvia::prop::kDuiIndex),
                  orvia::GetIntProperty(*frame_, orvia::prop::kDuiIndex))
            << "the window that left names the frame's place";
    }

    std::vector<Kind> kinds() const {
        return {{"null", nullptr},
                {"a brush handle", reinterpret_cast<HWND>(brush_)},
                {"a destroyed window", destroyed_},
                {"a child of a frame", *child_},
                {"an unregistered window", *plain_},
                {"a window that left the registry", *left_}};
    }

    HWND frame() const { return *frame_; }
    HWND page() const { return *page_; }
    // A top-level window that belongs to nothing, to be offered as a page.
    HWND spare() const { return *spare_; }

    // Everything a call given one of the bad handles must leave as it was.
    std::string World() const {
        harness::PumpMessages();
        std::string all = DescribeRegistry() + DescribeTheme();
        for (HWND w : {frame_->hwnd(), child_->hwnd(), plain_->hwnd(), left_->hwnd(), page_->hwnd(), spare_->hwnd()})
            all += DescribeWindow(w);
        return all;
    }

private:
    static harness::SkinnedFrame::Options FrameAt(int x) {
        harness::SkinnedFrame::Options o;
        o.rect = {x, 60, x + 400, 360};
        return o;
    }
    static harness::TestWindow::Options TopLevel(int x) {
        harness::TestWindow::Options o;
        o.x = x;
        o.y = 500;
        o.width = 200;
        o.height = 150;
        o.style = WS_OVERLAPPEDWINDOW;
        o.className = PlainClass();
        return o;
    }

    std::unique_ptr<harness::SkinnedFrame> left_, frame_;
    std::unique_ptr<harness::TestWindow> child_, plain_, page_, spare_;
    HWND destroyed_ = nullptr;
    HBRUSH brush_ = nullptr;
};

}  // namespace bad_input
