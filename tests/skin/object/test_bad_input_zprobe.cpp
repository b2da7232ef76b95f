#include <gtest/gtest.h>
#include "tests/skin/object/test_bad_input_support.h"
namespace {
TEST(ZProbe, StatusLengths) {
    harness::SkinnedFrame frame;
    auto s = bad_input::Skin();
    for (size_t n : {2u, 60u, 62u, 64u, 100u, 128u, 200u, 400u, 764u, 1000u, 1528u}) {
        std::string t = bad_input::MegabyteText().substr(0, n);
        s->methods->SetStatusText(s, frame, t.c_str());
        auto& item = frame.record()->Items[frame.record()->nStatusItem - 1];
        HDC cache = reinterpret_cast<HDC>(orvia::GetProperty(frame, orvia::prop::kCacheDC));
        HDC back = reinterpret_cast<HDC>(orvia::GetProperty(frame, orvia::prop::kBackDC));
        int diff = 0;
        for (int y = item.nTop; y < item.nTop + item.nHeight; ++y)
            for (int x = item.nLeft; x < item.nLeft + item.nWidth; ++x)
                diff += GetPixel(cache, x, y) != GetPixel(back, x, y);
        printf("ZPROBE n=%zu diff=%d box %d %d %d %d\n", n, diff, item.nLeft, item.nTop, item.nWidth, item.nHeight);
    }
}
}
