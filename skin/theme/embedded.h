// Pictures compiled into the skin module (generated from resources/).
#pragma once

#include <cstdint>
#include <span>

namespace orvia::embedded {
std::span<const std::uint8_t> SkinImagePng();
std::span<const std::uint8_t> SpriteSheetBmp();
std::span<const std::uint8_t> DefaultPageIco();
}  // namespace orvia::embedded
