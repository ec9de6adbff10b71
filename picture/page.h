// The page every picture is drawn on: A4 landscape (a 1123 by 794 viewBox,
// 297 mm by 210 mm), a title, a drawing area in which x and y have the same
// scale, axes with ticks and units, and a legend column on the right.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "picture/svg_writer.h"
#include "slope/model.h"

namespace picture {

/// A rectangle of the model's plane, grown point by point.
struct Bounds {
  double x0 = 0.0, x1 = 0.0, y0 = 0.0, y1 = 0.0;
  bool empty = true;

  /// Grows to hold (x, y); values that are not finite are ignored.
  void add(double x, double y);
  void add(const slope::Point& p) { add(p.x, p.y); }
  void add(std::span<const slope::Point> points);
};

/// Page size and areas, in page units (1/96 inch).
inline constexpr double kPageWidth = 1123.0;
inline constexpr double kPageHeight = 794.0;
inline constexpr double kAreaLeft = 80.0;
inline constexpr double kAreaRight = 830.0;
inline constexpr double kAreaTop = 90.0;
inline constexpr double kAreaBottom = 700.0;
inline constexpr double kLegendLeft = 860.0;

/// At most `max_letters` letters (code points) of `text`, with "…" when cut.
[[nodiscard]] std::string clipped(std::string_view text, std::size_t max_letters);

/// One page being drawn. The world (`bounds`, padded by 4 % of its size on
/// each side, at least 1 unit wide and high) is mapped into the drawing area
/// with one scale for x and y, y up.
class Page {
 public:
  /// Opens the document with the title lines; `units` is the model's free
  /// text of units (may be empty).
  Page(const Bounds& bounds, std::string_view title, std::string_view subtitle,
       std::string_view units);

  /// Page position of world x and y, and a world length on the page.
  [[nodiscard]] double px(double x) const { return left_ + (x - x0_) * scale_; }
  [[nodiscard]] double py(double y) const { return bottom_ - (y - y0_) * scale_; }
  [[nodiscard]] double length(double d) const { return d * scale_; }
  /// The world's extent as drawn.
  [[nodiscard]] double world_left() const { return x0_; }
  [[nodiscard]] double world_right() const { return x1_; }
  [[nodiscard]] double world_bottom() const { return y0_; }
  [[nodiscard]] double world_top() const { return y1_; }

  /// Path data "M x y L x y ..." of `points` in page units; a point closer
  /// than half a page unit to the last one written is left out (the last
  /// point is always written), so that lines of very many points stay small.
  [[nodiscard]] std::string path(std::span<const slope::Point> points) const;

  /// Draws the axes along the bottom and the left of the drawn world, with
  /// ticks at round values and the units.
  void axes();

  /// Legend entries, top to bottom in the legend column. Each returns false,
  /// drawing nothing, when the column is full.
  bool legend_heading(std::string_view text);
  bool legend_text(std::string_view text);
  bool legend_swatch(std::string_view fill, std::string_view label, std::string_view detail);
  bool legend_line(std::string_view stroke, double width, std::string_view dash,
                   std::string_view label);
  /// A colour scale bar (scale_colour from 0 at `low` to 1 at `high`) under
  /// `heading`, with the two ends labelled; `high_note` follows the high
  /// label (e.g. " and above").
  bool legend_scale(std::string_view heading, double low, double high, int decimals,
                    std::string_view high_note);
  /// The factor of safety written large: "label" above "F = 1.234".
  void legend_factor(std::string_view label, std::string_view value, std::string_view id);
  /// Moves the legend cursor down and returns the y where `height` page
  /// units fit, or a negative value when they do not.
  double legend_space(double height);

  [[nodiscard]] SvgWriter& svg() { return svg_; }
  /// Closes the document and returns it.
  [[nodiscard]] std::string finish();

 private:
  SvgWriter svg_;
  double x0_ = 0.0, x1_ = 0.0, y0_ = 0.0, y1_ = 0.0;
  double scale_ = 1.0;
  double left_ = kAreaLeft;
  double bottom_ = kAreaBottom;
  double legend_y_ = kAreaTop;
  std::string units_;
};

}  // namespace picture
