#include "search/evaluation.h"

#include <algorithm>
#include <cmath>

#include "slope/kinematics.h"

namespace search {
namespace {

Outcome outcome_of(slope::SurfaceProblem problem) {
  switch (problem) {
    case slope::SurfaceProblem::none:
    case slope::SurfaceProblem::invalid:
      break;
    case slope::SurfaceProblem::misses_slope:
      return Outcome::misses_slope;
    case slope::SurfaceProblem::crosses_ground_more:
      return Outcome::crosses_ground_more;
    case slope::SurfaceProblem::ends_below_ground:
      return Outcome::ends_below_ground;
    case slope::SurfaceProblem::leaves_model:
      return Outcome::leaves_model;
    case slope::SurfaceProblem::below_bedrock:
      return Outcome::below_bedrock;
    case slope::SurfaceProblem::too_thin:
      return Outcome::too_thin;
    case slope::SurfaceProblem::too_many_sections:
      return Outcome::too_many_sections;
  }
  return Outcome::invalid;
}

slope::SurfaceProblem problem_of(Outcome outcome) {
  switch (outcome) {
    case Outcome::misses_slope:
      return slope::SurfaceProblem::misses_slope;
    case Outcome::crosses_ground_more:
      return slope::SurfaceProblem::crosses_ground_more;
    case Outcome::ends_below_ground:
      return slope::SurfaceProblem::ends_below_ground;
    case Outcome::leaves_model:
      return slope::SurfaceProblem::leaves_model;
    case Outcome::below_bedrock:
      return slope::SurfaceProblem::below_bedrock;
    case Outcome::too_thin:
      return slope::SurfaceProblem::too_thin;
    case Outcome::too_many_sections:
      return slope::SurfaceProblem::too_many_sections;
    default:
      break;
  }
  return slope::SurfaceProblem::invalid;
}

}  // namespace

std::string_view outcome_key(Outcome outcome) {
  switch (outcome) {
    case Outcome::factor:
      return "factor";
    case Outcome::no_circle:
      return "no_circle";
    case Outcome::too_shallow:
      return "too_shallow";
    case Outcome::too_light:
      return "too_light";
    case Outcome::no_positive_normal:
      return "no_positive_normal_force";
    case Outcome::small_m_factor:
      return "small_m_factor";
    case Outcome::no_convergence:
      return "no_convergence";
    case Outcome::no_factor:
      return "no_factor";
    case Outcome::no_solution:
      return "no_solution";
    case Outcome::turns_upward:
      return "turns_upward";
    case Outcome::too_sharp:
      return "too_sharp";
    default:
      break;
  }
  return slope::problem_key(problem_of(outcome));
}

std::string_view outcome_text(Outcome outcome) {
  switch (outcome) {
    case Outcome::factor:
      return "a factor of safety";
    case Outcome::no_circle:
      return "no circle of that radius through entry and exit";
    case Outcome::too_shallow:
      return "shallower than --min-depth";
    case Outcome::too_light:
      return "lighter than --min-weight";
    case Outcome::no_positive_normal:
      return "stopped at a slice without positive effective normal force";
    case Outcome::small_m_factor:
      return "stopped at a slice with an m-factor below 0.2";
    case Outcome::no_convergence:
      return "no convergence";
    case Outcome::no_factor:
      return "no finite factor";
    case Outcome::no_solution:
      return "no interslice scale within 10";
    case Outcome::turns_upward:
      return "the base turns back upward towards the head";
    case Outcome::too_sharp:
      return "turns more sharply than --max-angle at a vertex";
    default:
      break;
  }
  return slope::problem_text(problem_of(outcome));
}

Evaluator::Evaluator(const slope::Model& model, const Settings& settings)
    : cutter_(model, settings.cut), settings_(settings) {
  surface_.kind = slope::SlipSurface::Kind::circle;
}

Trial Evaluator::no_circle() {
  Trial trial;
  trial.outcome = Outcome::no_circle;
  return trial;
}

Trial Evaluator::evaluate(const slope::Circle& circle) {
  Trial trial;
  trial.circle = circle;
  surface_.circle = circle;
  if (const slope::SurfaceProblem problem = cutter_.cut(surface_, settings_.slices, cut_);
      problem != slope::SurfaceProblem::none) {
    trial.outcome = outcome_of(problem);
    return trial;
  }
  return analyse(trial);
}

Trial Evaluator::evaluate(const slope::SlipSurface& surface) {
  Trial trial;
  trial.circle = {0.0, 0.0, 0.0};
  if (const slope::SurfaceProblem problem = cutter_.cut(surface, settings_.slices, cut_);
      problem != slope::SurfaceProblem::none) {
    trial.outcome = outcome_of(problem);
    return trial;
  }
  return analyse(trial);
}

Trial Evaluator::evaluate_checked(const slope::SlipSurface& polyline, double max_angle) {
  Trial trial;
  const slope::Polyline& points = polyline.polyline;
  for (std::size_t k = 1; k < points.size(); ++k) {
    if (!(points[k].x > points[k - 1].x)) return trial;  // invalid
  }
  switch (slope::check_kinematics(points, max_angle)) {
    case slope::Kinematics::admissible:
      return evaluate(polyline);
    case slope::Kinematics::turns_upward:
      trial.outcome = Outcome::turns_upward;
      break;
    case slope::Kinematics::too_sharp:
      trial.outcome = Outcome::too_sharp;
      break;
  }
  return trial;
}

Trial Evaluator::analyse(Trial trial) {
  trial.entry = cut_.entry;
  trial.exit = cut_.exit;
  trial.slices = static_cast<std::int32_t>(cut_.sections.size()) - 1;
  if (settings_.min_depth > 0.0) {
    double depth = 0.0;
    for (const method::Section& s : cut_.sections) {
      depth = std::max(depth, s.ground_level - s.slip_level);
    }
    if (!(depth >= settings_.min_depth)) {
      trial.outcome = Outcome::too_shallow;
      return trial;
    }
  }

  // The runner's two stages, with the weight check between them: the
  // factor is bit for bit the one the report of this cut gives.
  const method::SurfaceData data = cut_.surface();
  method::start_method(data, settings_.analysis, table_);
  if (settings_.min_weight > 0.0) {
    double weight = 0.0;
    for (std::int32_t i = 0; i < table_.slice_count; ++i) {
      weight += table_.weight[static_cast<std::size_t>(i)];
    }
    if (!(weight >= settings_.min_weight)) {
      trial.outcome = Outcome::too_light;
      return trial;
    }
  }
  const method::MethodResult result = method::finish_method(data, settings_.analysis, table_);
  trial.passes = result.passes;
  switch (result.status) {
    case method::RunStatus::converged:
    case method::RunStatus::closed_form:
      break;
    case method::RunStatus::stopped:
      trial.outcome = result.stop == method::IterationStop::no_positive_normal
                          ? Outcome::no_positive_normal
                          : Outcome::small_m_factor;
      return trial;
    case method::RunStatus::no_convergence:
      trial.outcome = Outcome::no_convergence;
      return trial;
    case method::RunStatus::no_driving_force:
      trial.outcome = Outcome::no_factor;
      return trial;
    case method::RunStatus::no_solution:
      trial.outcome = result.stop == method::IterationStop::m_factor_too_small
                          ? Outcome::small_m_factor
                          : Outcome::no_solution;
      return trial;
  }
  const double factor = result.factor;
  if (!std::isfinite(factor)) {
    trial.outcome = Outcome::no_factor;
    return trial;
  }
  trial.factor = factor;
  trial.outcome = Outcome::factor;
  return trial;
}

}  // namespace search
