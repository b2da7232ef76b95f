// Pictures compiled into the program (generated from resources/): the banner
// picture of the frame's caption band and the icon of the page tab.
#pragma once

#include <cstdint>
#include <span>

namespace orvia::embedded {
std::span<const std::uint8_t> BannerJpeg();
std::span<const std::uint8_t> PageHouseIco();
}  // namespace orvia::embedded
