#pragma once
// How much memory one decoded image may take: a quarter of the machine's
// physical memory, at least 1 GiB. A 100-megapixel 16-bit FITS (400 MB as
// float, 100 MB for the display) fits on a machine of 8 GiB.

#include <cstdint>

namespace ce {

inline constexpr std::int64_t kMinImageMemoryBytes = std::int64_t(1) << 30;

std::int64_t imageMemoryLimitBytes();

}  // namespace ce
