#include "picture/page.h"

#include <algorithm>
#include <cmath>

#include "picture/colours.h"
#include "text/number_text.h"

namespace picture {
namespace {

/// A round step (1, 2 or 5 times a power of ten) near range / 8.
double tick_step(double range) {
  const double rough = range / 8.0;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (const double m : {1.0, 2.0, 5.0}) {
    if (m * power >= rough) return m * power;
  }
  return 10.0 * power;
}

int tick_decimals(double step) {
  const double d = -std::floor(std::log10(step) + 1e-9);
  return static_cast<int>(std::clamp(d, 0.0, 6.0));
}

constexpr double kLegendBottom = 770.0;

}  // namespace

void Bounds::add(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  if (empty) {
    x0 = x1 = x;
    y0 = y1 = y;
    empty = false;
    return;
  }
  x0 = std::min(x0, x);
  x1 = std::max(x1, x);
  y0 = std::min(y0, y);
  y1 = std::max(y1, y);
}

void Bounds::add(std::span<const slope::Point> points) {
  for (const slope::Point& p : points) add(p);
}

std::string clipped(std::string_view text, std::size_t max_letters) {
  std::size_t letters = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if ((static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) continue;
    if (letters == max_letters) return std::string(text.substr(0, at)) + "\xE2\x80\xA6";
    ++letters;
  }
  return std::string(text);
}

Page::Page(const Bounds& bounds, std::string_view title, std::string_view subtitle,
           std::string_view units)
    : units_(units) {
  Bounds b = bounds;
  if (b.empty) b.add(0.0, 0.0);
  double dx = std::max(b.x1 - b.x0, 1e-9);
  double dy = std::max(b.y1 - b.y0, 1e-9);
  const double size = std::max({dx, dy, 1.0});
  dx = std::max(dx, size * 0.05);
  dy = std::max(dy, size * 0.05);
  const double cx = (b.x0 + b.x1) / 2.0;
  const double cy = (b.y0 + b.y1) / 2.0;
  x0_ = cx - dx * 0.54;
  x1_ = cx + dx * 0.54;
  y0_ = cy - dy * 0.54;
  y1_ = cy + dy * 0.54;
  scale_ = std::min((kAreaRight - kAreaLeft) / (x1_ - x0_), (kAreaBottom - kAreaTop) / (y1_ - y0_));

  svg_.open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                    {"width", "297mm"},
                    {"height", "210mm"},
                    {"viewBox", "0 0 1123 794"},
                    {"font-family", "DejaVu Sans, Verdana, sans-serif"}});
  svg_.text_element("title", {}, title);
  svg_.open("defs", {});
  svg_.open("pattern", {{"id", "inadmissible"},
                        {"width", 6.0},
                        {"height", 6.0},
                        {"patternUnits", "userSpaceOnUse"},
                        {"patternTransform", "rotate(45)"}});
  svg_.element("rect", {{"width", 6.0}, {"height", 6.0}, {"fill", "#ffffff"}});
  svg_.element("line", {{"x1", 0.0},
                        {"y1", 0.0},
                        {"x2", 0.0},
                        {"y2", 6.0},
                        {"stroke", "#222222"},
                        {"stroke-width", 2.0}});
  svg_.close();
  svg_.close();
  svg_.element("rect", {{"width", kPageWidth}, {"height", kPageHeight}, {"fill", "#ffffff"}});
  svg_.text_element("text",
                    {{"x", kAreaLeft},
                     {"y", 36.0},
                     {"font-size", 20.0},
                     {"font-weight", "bold"},
                     {"fill", "#222222"}},
                    clipped(title, 90));
  if (!subtitle.empty()) {
    svg_.text_element("text",
                      {{"x", kAreaLeft}, {"y", 60.0}, {"font-size", 14.0}, {"fill", "#222222"}},
                      clipped(subtitle, 110));
  }
}

std::string Page::path(std::span<const slope::Point> points) const {
  std::string d;
  double last_x = 0.0, last_y = 0.0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double x = px(points[i].x);
    const double y = py(points[i].y);
    if (i > 0 && i + 1 < points.size() && std::hypot(x - last_x, y - last_y) < 0.5) continue;
    d += i == 0 ? "M" : " L";
    text::append_coordinate(d, x);
    d += ' ';
    text::append_coordinate(d, y);
    last_x = x;
    last_y = y;
  }
  return d;
}

void Page::axes() {
  const double left = px(x0_);
  const double right = px(x1_);
  const double top = py(y1_);
  const double bottom = py(y0_);
  svg_.open("g", {{"stroke", "#222222"}, {"stroke-width", 1.0}, {"fill", "none"}});
  svg_.element("rect",
               {{"x", left}, {"y", top}, {"width", right - left}, {"height", bottom - top}});
  const double xs = tick_step(x1_ - x0_);
  const double ys = tick_step(y1_ - y0_);
  std::string ticks;
  for (double v = std::ceil(x0_ / xs) * xs; v <= x1_; v += xs) {
    ticks += "M" + text::coordinate_text(px(v)) + " " + text::coordinate_text(bottom) + " v6";
  }
  for (double v = std::ceil(y0_ / ys) * ys; v <= y1_; v += ys) {
    ticks += "M" + text::coordinate_text(left) + " " + text::coordinate_text(py(v)) + " h-6";
  }
  svg_.element("path", {{"d", ticks}});
  svg_.close();
  svg_.open("g", {{"font-size", 11.0}, {"fill", "#222222"}});
  const int xd = tick_decimals(xs);
  const int yd = tick_decimals(ys);
  for (double v = std::ceil(x0_ / xs) * xs; v <= x1_; v += xs) {
    svg_.text_element("text", {{"x", px(v)}, {"y", bottom + 19.0}, {"text-anchor", "middle"}},
                      text::fixed_text(v, xd));
  }
  for (double v = std::ceil(y0_ / ys) * ys; v <= y1_; v += ys) {
    svg_.text_element("text", {{"x", left - 9.0}, {"y", py(v) + 4.0}, {"text-anchor", "end"}},
                      text::fixed_text(v, yd));
  }
  const std::string unit_text = units_.empty() ? "" : " (units: " + clipped(units_, 40) + ")";
  svg_.text_element("text",
                    {{"x", (left + right) / 2.0},
                     {"y", bottom + 38.0},
                     {"text-anchor", "middle"},
                     {"font-size", 13.0}},
                    "x" + unit_text + ", same scale as y");
  svg_.text_element("text",
                    {{"x", left - 48.0},
                     {"y", (top + bottom) / 2.0},
                     {"text-anchor", "middle"},
                     {"font-size", 13.0},
                     {"transform", "rotate(-90 " + text::coordinate_text(left - 48.0) + " " +
                                       text::coordinate_text((top + bottom) / 2.0) + ")"}},
                    "y (up)");
  svg_.close();
}

double Page::legend_space(double height) {
  if (legend_y_ + height > kLegendBottom) return -1.0;
  const double y = legend_y_;
  legend_y_ += height;
  return y;
}

bool Page::legend_heading(std::string_view text) {
  const double y = legend_space(24.0);
  if (y < 0.0) return false;
  svg_.text_element("text",
                    {{"x", kLegendLeft},
                     {"y", y + 17.0},
                     {"font-size", 13.0},
                     {"font-weight", "bold"},
                     {"fill", "#222222"}},
                    clipped(text, 34));
  return true;
}

bool Page::legend_text(std::string_view text) {
  const double y = legend_space(16.0);
  if (y < 0.0) return false;
  svg_.text_element("text",
                    {{"x", kLegendLeft}, {"y", y + 12.0}, {"font-size", 11.0}, {"fill", "#222222"}},
                    clipped(text, 42));
  return true;
}

bool Page::legend_swatch(std::string_view fill, std::string_view label, std::string_view detail) {
  const double y = legend_space(detail.empty() ? 22.0 : 36.0);
  if (y < 0.0) return false;
  svg_.element("rect", {{"x", kLegendLeft},
                        {"y", y + 2.0},
                        {"width", 26.0},
                        {"height", 16.0},
                        {"fill", fill},
                        {"stroke", "#222222"},
                        {"stroke-width", 0.75}});
  svg_.text_element(
      "text",
      {{"x", kLegendLeft + 34.0}, {"y", y + 14.0}, {"font-size", 12.0}, {"fill", "#222222"}},
      clipped(label, 32));
  if (!detail.empty()) {
    svg_.text_element(
        "text",
        {{"x", kLegendLeft + 34.0}, {"y", y + 29.0}, {"font-size", 10.5}, {"fill", "#222222"}},
        clipped(detail, 40));
  }
  return true;
}

bool Page::legend_line(std::string_view stroke, double width, std::string_view dash,
                       std::string_view label) {
  const double y = legend_space(22.0);
  if (y < 0.0) return false;
  const std::string d =
      "M" + text::coordinate_text(kLegendLeft) + " " + text::coordinate_text(y + 10.0) + " h26";
  if (dash.empty()) {
    svg_.element("path", {{"d", d}, {"stroke", stroke}, {"stroke-width", width}});
  } else {
    svg_.element(
        "path",
        {{"d", d}, {"stroke", stroke}, {"stroke-width", width}, {"stroke-dasharray", dash}});
  }
  svg_.text_element(
      "text",
      {{"x", kLegendLeft + 34.0}, {"y", y + 14.0}, {"font-size", 12.0}, {"fill", "#222222"}},
      clipped(label, 32));
  return true;
}

bool Page::legend_scale(std::string_view heading, double low, double high, int decimals,
                        std::string_view high_note) {
  const double y = legend_space(58.0);
  if (y < 0.0) return false;
  svg_.text_element("text",
                    {{"x", kLegendLeft}, {"y", y + 14.0}, {"font-size", 12.0}, {"fill", "#222222"}},
                    clipped(heading, 40));
  constexpr int kSteps = 24;
  constexpr double kStep = 9.0;
  svg_.open("g", {{"id", "colour-scale"}});
  for (int i = 0; i < kSteps; ++i) {
    svg_.element("rect", {{"x", kLegendLeft + i * kStep},
                          {"y", y + 20.0},
                          {"width", kStep + 0.5},
                          {"height", 14.0},
                          {"fill", scale_colour((i + 0.5) / kSteps)}});
  }
  svg_.close();
  svg_.text_element("text",
                    {{"x", kLegendLeft}, {"y", y + 48.0}, {"font-size", 11.0}, {"fill", "#222222"}},
                    text::fixed_text(low, decimals));
  svg_.text_element("text",
                    {{"x", kLegendLeft + kSteps * kStep},
                     {"y", y + 48.0},
                     {"font-size", 11.0},
                     {"text-anchor", "end"},
                     {"fill", "#222222"}},
                    text::fixed_text(high, decimals) + std::string(high_note));
  return true;
}

void Page::legend_factor(std::string_view label, std::string_view value, std::string_view id) {
  const double y = legend_space(56.0);
  if (y < 0.0) return;
  svg_.text_element("text",
                    {{"x", kLegendLeft}, {"y", y + 14.0}, {"font-size", 12.0}, {"fill", "#222222"}},
                    clipped(label, 40));
  svg_.text_element("text",
                    {{"id", id},
                     {"x", kLegendLeft},
                     {"y", y + 46.0},
                     {"font-size", 30.0},
                     {"font-weight", "bold"},
                     {"fill", "#222222"}},
                    value);
}

std::string Page::finish() {
  svg_.close();
  return svg_.text();
}

}  // namespace picture
