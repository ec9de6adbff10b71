#include "search/optimise.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "slope/soil_map.h"

namespace search {
namespace {

// `count` points at equal steps of length along `line`.
slope::Polyline resample(const slope::Polyline& line, std::int32_t count) {
  std::vector<double> along(line.size(), 0.0);
  for (std::size_t k = 1; k < line.size(); ++k) {
    along[k] = along[k - 1] + std::hypot(line[k].x - line[k - 1].x, line[k].y - line[k - 1].y);
  }
  slope::Polyline out;
  std::size_t segment = 0;
  for (std::int32_t i = 0; i < count; ++i) {
    const double at = along.back() * static_cast<double>(i) / static_cast<double>(count - 1);
    while (segment + 2 < line.size() && along[segment + 1] < at) ++segment;
    const double span = along[segment + 1] - along[segment];
    const double t = span > 0.0 ? std::clamp((at - along[segment]) / span, 0.0, 1.0) : 0.0;
    out.push_back({line[segment].x + t * (line[segment + 1].x - line[segment].x),
                   line[segment].y + t * (line[segment + 1].y - line[segment].y)});
  }
  out.front() = line.front();
  out.back() = line.back();
  return out;
}

// An end a hair above the ground at x, so that the cut finds the crossing.
slope::Point on_ground(const slope::Polyline& ground, double x) {
  const double level = slope::level_at(ground, x);
  return {x, level + 1e-9 * (1.0 + std::fabs(level))};
}

}  // namespace

OptimiseResult optimise_surface(Evaluator& evaluator, const slope::Model& model,
                                const slope::SlipSurface& start, const OptimiseSettings& settings) {
  OptimiseResult out;
  out.start = evaluator.evaluate(start);
  out.evaluations = 1;
  out.best = out.start;
  out.points =
      start.kind == slope::SlipSurface::Kind::polyline ? start.polyline : slope::Polyline{};
  if (out.start.outcome != Outcome::factor) return out;
  out.started = true;

  // The start as cut, entry to exit, resampled.
  slope::Polyline cut_line;
  for (const method::Section& s : evaluator.cut().sections) cut_line.push_back({s.x, s.slip_level});
  if (cut_line.front().x > cut_line.back().x) std::reverse(cut_line.begin(), cut_line.end());
  const std::int32_t n = std::clamp(settings.vertices, 3, kMaxOptimiseVertices);
  slope::Polyline current = resample(cut_line, n);
  current.front() = on_ground(model.ground, current.front().x);
  current.back() = on_ground(model.ground, current.back().x);

  slope::SlipSurface candidate;
  candidate.kind = slope::SlipSurface::Kind::polyline;
  // A polyline's own axis (the one `hollin analyse` takes for the points
  // reported), or the one the start was given.
  candidate.axis_given = start.kind == slope::SlipSurface::Kind::polyline && start.axis_given;
  candidate.axis = start.axis;
  const auto evaluate = [&](const slope::Polyline& points) {
    ++out.evaluations;
    candidate.polyline = points;
    const Trial trial = evaluator.evaluate_checked(candidate, settings.max_angle);
    ++out.counts[static_cast<std::size_t>(trial.outcome)];
    return trial;
  };
  Trial here = evaluate(current);
  double length = 0.0;
  for (std::size_t k = 1; k < current.size(); ++k) {
    length += std::hypot(current[k].x - current[k - 1].x, current[k].y - current[k - 1].y);
  }
  out.resampled = here.outcome;
  if (here.outcome != Outcome::factor) return out;
  out.path.push_back(here.factor);
  if (here.factor < out.best.factor) {
    out.best = here;
    out.points = current;
  }

  double step = length / static_cast<double>(n - 1) / 4.0;
  const double least_step = length * 1e-5;
  while (step > least_step && out.evaluations < settings.max_evaluations) {
    const double sweep_start = here.factor;
    for (std::int32_t k = 0; k < n && out.evaluations < settings.max_evaluations; ++k) {
      const auto i = static_cast<std::size_t>(k);
      for (const double sign : {1.0, -1.0}) {
        if (out.evaluations >= settings.max_evaluations) break;
        slope::Polyline moved = current;
        if (k == 0 || k == n - 1) {
          moved[i] = on_ground(model.ground, current[i].x + sign * step);
          if (!std::isfinite(moved[i].y)) continue;
        } else {
          // Along the normal: perpendicular to the chord of the neighbours.
          const double dx = current[i + 1].x - current[i - 1].x;
          const double dy = current[i + 1].y - current[i - 1].y;
          const double d = std::hypot(dx, dy);
          moved[i] = {current[i].x - sign * step * dy / d, current[i].y + sign * step * dx / d};
        }
        const Trial trial = evaluate(moved);
        if (trial.outcome == Outcome::factor && trial.factor < here.factor) {
          here = trial;
          current = std::move(moved);
          out.path.push_back(here.factor);
          break;
        }
      }
    }
    if (here.factor < out.best.factor) {
      out.best = here;
      out.points = current;
    }
    if (!(sweep_start - here.factor >= settings.tolerance)) step *= 0.5;
  }
  return out;
}

}  // namespace search
