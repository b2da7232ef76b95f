// Slots 10 to 13 on a real frame, given bad texts, icon buffers, page
// windows and titles that match nothing: the documented result, and the rest
// of the frame as it was.
#include <gtest/gtest.h>

#include <cstring>

#include "skin/theme/embedded.h"
#include "tests/skin/object/test_bad_input_support.h"

namespace {

using bad_input::Skin;

HDC Surface(HWND frame, const char* name) { return reinterpret_cast<HDC>(orvia::GetProperty(frame, name)); }

// Whether the item's rectangle on the cache surface shows anything over the
// clean background of the back surface.
bool DrawnOverBackground(HWND frame, const orvia::FrameItem& item) {
    const auto cache = harness::Pixels::FromDC(Surface(frame, orvia::prop::kCacheDC), item.nLeft, item.nTop,
                                               item.nWidth, item.nHeight);
    const auto back = harness::Pixels::FromDC(Surface(frame, orvia::prop::kBackDC), item.nLeft, item.nTop,
                                              item.nWidth, item.nHeight);
    for (int y = 0; y < cache.height(); ++y)
        for (int x = 0; x < cache.width(); ++x)
            if (cache.At(x, y) != back.At(x, y)) return true;
    return false;
}

// A frame wide enough for a dozen tabs, with a status text and three pages,
// the first selected and shown.
class PagedFrame {
public:
    PagedFrame() : frame_(Wide()) {
        bad_input::ParkPointer();
        for (auto& page : pages_) {
            harness::TestWindow::Options o;
            o.className = bad_input::PlainClass();
            o.x = 700;
            o.y = 600;
            page = std::make_unique<harness::TestWindow>(o);
        }
        Skin()->methods->SetStatusText(Skin(), frame_, "状态");
        const char* titles[] = {"快递查询", "甲", "ABC"};
        for (int i = 0; i < 3; ++i)
            Skin()->methods->AddPage(Skin(), frame_, titles[i], {}, pages_[i]->hwnd(), std::nullopt);
        Skin()->methods->SelectPage(Skin(), frame_, "快递查询");
        harness::PumpMessages();
    }
    HWND hwnd() const { return frame_; }
    orvia::FrameRecord& record() const { return *frame_.record(); }
    orvia::FrameItem& item(std::int32_t index) const { return record().Items[static_cast<std::size_t>(index - 1)]; }
    orvia::FrameItem& last() const { return record().Items.back(); }
    orvia::FrameItem& status() const { return item(record().nStatusItem); }
    // The frame, its record and its page windows.
    std::string World() const {
        harness::PumpMessages();
        std::string all = bad_input::DescribeRecord(record()) + bad_input::DescribeWindow(frame_);
        for (const auto& page : pages_) all += bad_input::DescribeWindow(*page);
        return all;
    }

private:
    static harness::SkinnedFrame::Options Wide() {
        harness::SkinnedFrame::Options o;
        o.rect = {40, 60, 860, 400};
        return o;
    }
    harness::SkinnedFrame frame_;
    std::unique_ptr<harness::TestWindow> pages_[3];
};

struct TextRow {
    const char* name;
    const char* text;
    std::string stored;
    // Whether the status item shows it; what shows of a text far too long
    // for the item is up to GDI+ (here: nothing, as it is centred vertically).
    std::optional<bool> drawn;
};

std::vector<TextRow> BadTexts() {
    return {
        {"null", nullptr, "", false},
        {"empty", "", "", false},
        {"1 MB", bad_input::MegabyteText().c_str(), bad_input::MegabyteText(), std::nullopt},
        {"1 MB ending in a lone lead byte", bad_input::MegabyteWithLoneLeadByte().c_str(),
         bad_input::MegabyteWithLoneLeadByte(), std::nullopt},
        {"a lone lead byte at the end", bad_input::kLoneLeadByte, bad_input::kLoneLeadByte, true},
    };
}

// Slot 10: the text is stored byte for byte (null as empty) and drawn into
// the status item; an empty text draws nothing.  Nothing else changes, and a
// megabyte of text takes no longer to draw than the item can show.
TEST(BadStatusText, IsStoredWholeAndDrawnAsFarAsItFits) {
    PagedFrame frame;
    for (const TextRow& row : BadTexts()) {
        SCOPED_TRACE(row.name);
        Skin()->methods->SetStatusText(Skin(), frame.hwnd(), "状态");
        orvia::FrameItem& status = frame.status();
        const std::string before = frame.World();
        Skin()->methods->SetStatusText(Skin(), frame.hwnd(), row.text);
        EXPECT_EQ(status.sText, row.stored);
        if (row.drawn) {
            EXPECT_EQ(DrawnOverBackground(frame.hwnd(), status), *row.drawn);
        }
        status.sText = "状态";
        EXPECT_EQ(frame.World(), before) << "only the status text changes";
    }
}

TEST(BadStatusText, AFrameWithoutAStatusItemTakesNone) {
    for (const std::int32_t statusHeight : {0, -1, INT32_MIN}) {
        SCOPED_TRACE(statusHeight);
        harness::SkinnedFrame::Options o;
        o.attach.statusHeight = statusHeight;
        harness::SkinnedFrame frame(o);
        ASSERT_EQ(frame.record()->nStatusItem, 0);
        const std::string before = bad_input::DescribeRecord(*frame.record()) + bad_input::DescribeWindow(frame);
        Skin()->methods->SetStatusText(Skin(), frame, bad_input::MegabyteText().c_str());
        harness::PumpMessages();
        EXPECT_EQ(bad_input::DescribeRecord(*frame.record()) + bad_input::DescribeWindow(frame), before);
    }
}

// Slot 11: any title is stored byte for byte (null as empty); the tab is
// added and drawn.  A tab added with a null title is found by a null one.
TEST(BadPageTitle, IsStoredWholeAndTheTabAdded) {
    PagedFrame frame;
    for (const TextRow& row : BadTexts()) {
        SCOPED_TRACE(row.name);
        const std::int32_t count = frame.record().nItemCount;
        const std::int32_t left = frame.record().nNextTabLeft;
        EXPECT_EQ(Skin()->methods->AddPage(Skin(), frame.hwnd(), row.text, {}, std::nullopt, std::nullopt), 1);
        ASSERT_EQ(frame.record().nItemCount, count + 1);
        const orvia::FrameItem& tab = frame.last();
        EXPECT_EQ(tab.nKind, orvia::kItemPageTab);
        EXPECT_EQ(tab.nLeft, left);
        EXPECT_EQ(tab.sText, row.stored);
        EXPECT_EQ(tab.bSelected, 0);
        EXPECT_TRUE(DrawnOverBackground(frame.hwnd(), tab)) << "at least the icon";
    }
    EXPECT_EQ(Skin()->methods->SelectPage(Skin(), frame.hwnd(), nullptr), 1);
    EXPECT_EQ(frame.item(frame.record().nItemCount - 4).bSelected, 1) << "the tab added with a null title";
}

std::vector<std::uint8_t> DefaultIco() {
    const orvia::ByteSpan ico = orvia::embedded::DefaultPageIco();
    return {ico.begin(), ico.end()};
}

void PutU32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::vector<std::uint8_t> HandleBytes(const void* handle) {
    const auto value = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
    std::vector<std::uint8_t> b(4);
    PutU32(b, 0, value);
    return b;
}

// Slot 11: every icon buffer from which no icon can be made gives the tab the
// default page icon, which the tab does not own.
TEST(BadPageIcon, GivesTheDefaultIcon) {
    PagedFrame frame;
    harness::TestWindow notAnIcon;
    const std::vector<std::uint8_t> ico = DefaultIco();
    ASSERT_GT(ico.size(), 22u);
    auto patched = [&](std::size_t at, std::uint32_t value) {
        std::vector<std::uint8_t> b = ico;
        PutU32(b, at, value);
        return b;
    };
    std::vector<std::uint8_t> garbageImage = ico;
    std::memset(garbageImage.data() + 22, 0x5A, garbageImage.size() - 22);
    struct Row {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    const Row rows[] = {
        {"empty", {}},
        {"1 byte", {0x00}},
        {"2 bytes", {0x00, 0x00}},
        {"3 bytes", {0x00, 0x00, 0x01}},
        {"4 zero bytes", {0, 0, 0, 0}},
        {"4 bytes holding a window handle", HandleBytes(notAnIcon.hwnd())},
        {"4 bytes holding -1", {0xFF, 0xFF, 0xFF, 0xFF}},
        {"4 bytes holding a made-up handle", {0x34, 0x12, 0x7F, 0x00}},
        {"an .ico header alone", {0, 0, 1, 0, 1, 0}},
        {"an .ico directory of no images", {0, 0, 1, 0, 0, 0, 32, 32, 0, 0, 1, 0, 32, 0, 40, 0, 0, 0, 22, 0, 0, 0, 0}},
        {"an .ico cut after its directory", {ico.begin(), ico.begin() + 22}},
        {"an .ico cut in half", {ico.begin(), ico.begin() + static_cast<std::ptrdiff_t>(ico.size() / 2)}},
        {"an image offset past the end", patched(18, static_cast<std::uint32_t>(ico.size()))},
        {"an image size past the end", patched(14, 0xFFFFFFFF)},
        {"an image of size 0", patched(14, 0)},
        {"an image that is not an icon", garbageImage},
        {"1 MB of garbage", std::vector<std::uint8_t>(1 << 20, 0x5A)},
    };
    const HICON fallback = orvia::g_theme->defaultPageIcon;
    ASSERT_NE(fallback, nullptr);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Skin()->methods->AddPage(Skin(), frame.hwnd(), "图", row.bytes, std::nullopt, std::nullopt), 1);
        EXPECT_EQ(frame.last().hIcon, fallback);
        EXPECT_EQ(frame.last().bOwnsIcon, 0);
    }
}

// Slot 11: a page window that cannot be one (the frame itself, a handle that
// is no window) gives a tab without a page: selecting it hides the other
// pages and shows, adopts or moves nothing.
TEST(BadPageWindow, GivesATabWithoutAPage) {
    harness::TestWindow gone;
    const HWND destroyed = gone.hwnd();
    gone.Destroy();
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    PagedFrame frame;
    struct Row {
        const char* name;
        std::optional<HWND> page;
    };
    const Row rows[] = {
        {"null", HWND{nullptr}},
        {"the frame itself", frame.hwnd()},
        {"a brush handle", reinterpret_cast<HWND>(brush)},
        {"a destroyed window", destroyed},
    };
    RECT frameRect{};
    GetWindowRect(frame.hwnd(), &frameRect);
    const LONG_PTR style = GetWindowLongPtrW(frame.hwnd(), GWL_STYLE);
    const LONG_PTR procedure = GetWindowLongPtrW(frame.hwnd(), GWLP_WNDPROC);
    std::int32_t count = frame.record().nItemCount;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Skin()->methods->AddPage(Skin(), frame.hwnd(), row.name, {}, row.page, std::nullopt), 1);
        ASSERT_EQ(frame.record().nItemCount, ++count);
        EXPECT_EQ(frame.last().hPage, *row.page);
        EXPECT_EQ(Skin()->methods->SelectPage(Skin(), frame.hwnd(), row.name), 1);
        harness::PumpMessages();
        EXPECT_EQ(frame.last().bSelected, 1);
        for (std::int32_t i = 1; i < count; ++i) {
            const orvia::FrameItem& other = frame.item(i);
            if (other.nKind == orvia::kItemPageTab && IsWindow(other.hPage) && other.hPage != frame.hwnd()) {
                EXPECT_FALSE(IsWindowVisible(other.hPage)) << "tab " << i;
            }
        }
        RECT rect{};
        GetWindowRect(frame.hwnd(), &rect);
        EXPECT_TRUE(EqualRect(&rect, &frameRect));
        EXPECT_EQ(GetAncestor(frame.hwnd(), GA_PARENT), GetDesktopWindow());
        EXPECT_TRUE(IsWindowVisible(frame.hwnd()));
        EXPECT_EQ(GetWindowLongPtrW(frame.hwnd(), GWL_STYLE), style);
        EXPECT_EQ(GetWindowLongPtrW(frame.hwnd(), GWLP_WNDPROC), procedure);
    }
    DeleteObject(brush);
}

// Slots 12 and 13: a title that no tab has, byte for byte, finds nothing:
// 0, and the frame and its pages stay as they were.
TEST(TitleThatMatchesNothing, SelectsAndRemovesNothing) {
    struct Slot {
        const char* name;
        std::int32_t (*call)(orvia::OrviaSkin*, HWND, const char*);
    };
    const Slot slots[] = {{"12 SelectPage", orvia::DefaultSkinMethods().SelectPage},
                          {"13 RemovePage", orvia::DefaultSkinMethods().RemovePage}};
    const char* titles[] = {
        nullptr,  // no tab has the empty title
        "",
        "快递",          // the start of a title
        "快递查询 ",     // a title with a trailing space
        "快递查询\xB8",  // a title followed by a lone lead byte
        "\xB8",
        "abc",  // "ABC" in other letter case
        bad_input::MegabyteText().c_str(),
        bad_input::MegabyteWithLoneLeadByte().c_str(),
    };
    PagedFrame frame;
    for (const Slot& slot : slots) {
        for (const char* title : titles) {
            SCOPED_TRACE(std::string(slot.name) + " with " +
                         (title ? bad_input::Brief(title) : std::string("null")));
            const std::string before = frame.World();
            EXPECT_EQ(slot.call(Skin(), frame.hwnd(), title), 0);
            EXPECT_EQ(frame.World(), before);
        }
    }
}

}  // namespace
