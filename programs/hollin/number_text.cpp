#include "programs/hollin/number_text.h"

#include <array>
#include <charconv>

namespace hollin {

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

}  // namespace hollin
