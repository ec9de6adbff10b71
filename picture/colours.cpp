#include "picture/colours.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace picture {
namespace {

struct Rgb {
  double r, g, b;
};

// viridis at 0, 1/8, ..., 1.
constexpr std::array<Rgb, 9> kViridis{{{0x44, 0x01, 0x54},
                                       {0x48, 0x28, 0x78},
                                       {0x3e, 0x49, 0x89},
                                       {0x31, 0x68, 0x8e},
                                       {0x26, 0x82, 0x8e},
                                       {0x1f, 0x9e, 0x89},
                                       {0x35, 0xb7, 0x79},
                                       {0x6e, 0xce, 0x58},
                                       {0xfd, 0xe7, 0x25}}};

// Paul Tol's light scheme without its orange, which lies near the critical
// surface's vermillion.
constexpr std::array<std::string_view, 8> kSoils{"#77aadd", "#eedd88", "#ffaabb", "#99ddff",
                                                 "#44bb99", "#bbcc33", "#aaaa00", "#dddddd"};

}  // namespace

std::string scale_colour(double t) {
  if (!(t > 0.0)) t = 0.0;
  if (t > 1.0) t = 1.0;
  const double at = t * static_cast<double>(kViridis.size() - 1);
  const auto low = static_cast<std::size_t>(std::floor(at));
  const std::size_t high = low + 1 < kViridis.size() ? low + 1 : low;
  const double w = at - static_cast<double>(low);
  const auto mix = [w](double a, double b) {
    return static_cast<unsigned>(std::lround(a + (b - a) * w));
  };
  const unsigned channels[3] = {mix(kViridis[low].r, kViridis[high].r),
                                mix(kViridis[low].g, kViridis[high].g),
                                mix(kViridis[low].b, kViridis[high].b)};
  constexpr std::string_view kHex = "0123456789abcdef";
  std::string out = "#";
  for (const unsigned c : channels) {
    out += kHex[(c >> 4) & 0xF];
    out += kHex[c & 0xF];
  }
  return out;
}

std::string_view soil_colour(std::size_t index) { return kSoils[index % kSoils.size()]; }

}  // namespace picture
