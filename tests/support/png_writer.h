// A tiny PNG writer (uncompressed deflate blocks) so tests can save pictures for a person to see.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvane::test {

// Writes width x height pixels, top row first, each 0xAARRGGBB, as an RGBA PNG. True on success.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb);

// Scales each pixel up to a square of factor x factor pixels (icons are 16 x 16).
std::vector<uint32_t> ScaleUp(const std::vector<uint32_t>& argb, int width, int height, int factor);

} // namespace korvane::test
