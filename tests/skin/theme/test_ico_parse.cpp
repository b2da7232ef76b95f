#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "skin/theme/embedded.h"
#include "skin/theme/ico_parse.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A directory of `count` entries followed by `payload` bytes; every entry
// points at the payload unless changed afterwards.
Bytes MakeIco(int count, std::size_t payload) {
    Bytes b(6 + 16 * count + payload, 0);
    b[2] = 1;
    b[4] = static_cast<std::uint8_t>(count);
    for (int i = 0; i < count; ++i) {
        const std::size_t e = 6 + 16 * i;
        b[e] = static_cast<std::uint8_t>(16 * (i + 1));
        b[e + 1] = static_cast<std::uint8_t>(16 * (i + 1));
        b[e + 4] = 1;
        b[e + 6] = 32;
        Put32(b, e + 8, static_cast<std::uint32_t>(payload));
        Put32(b, e + 12, static_cast<std::uint32_t>(6 + 16 * count));
    }
    return b;
}

TEST(IcoDirectory, ReadsTheEmbeddedDefaultPageIcon) {
    const auto bytes = orvia::embedded::DefaultPageIco();
    const auto entry = orvia::ReadIcoEntry(bytes, 0);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->width, 32);
    EXPECT_EQ(entry->height, 32);
    EXPECT_EQ(entry->bitCount, 32);
    EXPECT_LE(std::size_t{entry->offset} + entry->size, bytes.size());
    EXPECT_FALSE(orvia::ReadIcoEntry(bytes, 1)) << "the file holds one image only";
}

TEST(IcoDirectory, ReadsEveryEntryOfADirectory) {
    const Bytes b = MakeIco(3, 40);
    for (int i = 0; i < 3; ++i) {
        const auto entry = orvia::ReadIcoEntry(b, i);
        ASSERT_TRUE(entry) << i;
        EXPECT_EQ(entry->width, 16 * (i + 1));
        EXPECT_EQ(entry->size, 40u);
    }
}

struct RefusedCase {
    const char* name;
    Bytes bytes;
    int index;
};

class IcoDirectoryRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(IcoDirectoryRefuses, GivesNothing) { EXPECT_FALSE(orvia::ReadIcoEntry(GetParam().bytes, GetParam().index)); }

std::vector<RefusedCase> RefusedCases() {
    std::vector<RefusedCase> cases;
    cases.push_back({"Empty", {}, 0});
    cases.push_back({"OneToThreeBytes", Bytes(3, 0), 0});
    // A header and one full entry (22 bytes) is still too short.
    const Bytes one = MakeIco(1, 40);
    cases.push_back({"ExactlyOneEntry", Bytes(one.begin(), one.begin() + 22), 0});
    cases.push_back({"IndexBeyondDirectory", MakeIco(1, 40), 5});
    // Room for a second entry, whose bytes would pass, but the directory counts one.
    Bytes countsOne = MakeIco(2, 40);
    countsOne[4] = 1;
    cases.push_back({"IndexNotBelowCount", countsOne, 1});
    cases.push_back({"NegativeIndex", MakeIco(1, 40), -1});
    cases.push_back({"HugeIndex", MakeIco(1, 40), 0x7FFFFFFF});
    Bytes truncated = MakeIco(1, 40);
    truncated.resize(truncated.size() - 1);
    cases.push_back({"ImageTruncated", truncated, 0});
    Bytes wraps = MakeIco(1, 40);
    // offset + size wraps to a small number on 32 bits
    Put32(wraps, 6 + 12, 0xFFFFFFF0u);
    Put32(wraps, 6 + 8, 0x20u);
    cases.push_back({"RangeWrapsAround", wraps, 0});
    Bytes offsetPastEnd = MakeIco(1, 40);
    Put32(offsetPastEnd, 6 + 12, static_cast<std::uint32_t>(offsetPastEnd.size() + 1));
    Put32(offsetPastEnd, 6 + 8, 0);
    cases.push_back({"OffsetPastEnd", offsetPastEnd, 0});
    Bytes empty = MakeIco(1, 40);
    Put32(empty, 6 + 8, 0);
    cases.push_back({"EmptyImage", empty, 0});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, IcoDirectoryRefuses, ::testing::ValuesIn(RefusedCases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
