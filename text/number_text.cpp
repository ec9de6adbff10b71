#include "text/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>

namespace text {
namespace {

constexpr double kLargestCoordinate = 1e7;

// Holds every finite double in fixed notation with up to 80 decimals
// (309 digits before the point at most).
using FixedBuffer = std::array<char, 400>;

/// `value` in fixed notation with `decimals` decimals, as printf's "%.*f";
/// empty if it does not fit the buffer.
std::string_view write_fixed(FixedBuffer& buffer, double value, int decimals) {
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::fixed, decimals);
  if (error != std::errc{}) return {};
  return {buffer.data(), static_cast<std::size_t>(end - buffer.data())};
}

/// Fixed notation without trailing zeros after the point, without a
/// trailing point, and "0" for "-0".
std::string_view without_trailing_zeros(std::string_view text) {
  if (text.find('.') == std::string_view::npos) return text;
  while (text.back() == '0') text.remove_suffix(1);
  if (text.back() == '.') text.remove_suffix(1);
  return text == "-0" ? std::string_view("0") : text;
}

}  // namespace

void append_shortest(std::string& text, double value) {
  // 32 characters hold every shortest double ("-2.2250738585072014e-308").
  std::array<char, 32> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  if (error != std::errc{}) return;  // cannot happen with this buffer size
  text.append(buffer.data(), end);
}

std::string shortest(double value) {
  std::string text;
  append_shortest(text, value);
  return text;
}

std::string fixed_decimals(double value, int decimals) {
  FixedBuffer buffer;
  return std::string(write_fixed(buffer, value, decimals));
}

std::string fixed_text(double value, int decimals) {
  if (!std::isfinite(value)) return "-";
  FixedBuffer buffer;
  std::string_view text = write_fixed(buffer, value, decimals);
  if (text.empty()) return "-";
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string_view::npos) {
    text.remove_prefix(1);
  }
  return std::string(text);
}

std::string short_text(double value, int decimals) {
  return std::string(without_trailing_zeros(fixed_text(value, decimals)));
}

void append_coordinate(std::string& text, double value) {
  if (!std::isfinite(value)) value = 0.0;
  value = std::fmax(-kLargestCoordinate, std::fmin(kLargestCoordinate, value));
  FixedBuffer buffer;
  text += without_trailing_zeros(write_fixed(buffer, value, 2));
}

std::string coordinate_text(double value) {
  std::string text;
  append_coordinate(text, value);
  return text;
}

}  // namespace text
