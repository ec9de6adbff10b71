#include "method/general_limit_equilibrium.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "method/simplified_method.h"

namespace method {

namespace {

// What the formulation reads of each slice, from the table the start filled,
// kept in the table's working columns (the simplified iteration that gives
// the starting factor is done with them first):
//   fixed_normal   V, the vertical force: weight, load, kv W
//   cohesion_slope K = c l - U tan phi
//   normal         U, the pore-water force on the base length
//   net            H, the horizontal force towards the toe
//   friction_slope f at the slice's head side
// and the table's own base_sin, base_cos, cohesion_force (-c l),
// driving_force and tan_phi.
struct Slices {
  std::size_t count = 0;
  const double* v = nullptr;
  const double* k = nullptr;
  const double* u = nullptr;
  const double* h = nullptr;
  const double* f = nullptr;
  double f_toe = 0.0;  ///< f at the toe
  const double* sin = nullptr;
  const double* cos = nullptr;
  const double* cl = nullptr;  ///< -c l
  const double* tan_phi = nullptr;
  double driving = 0.0;  ///< sum of the driving forces
  double scale = 0.0;    ///< sum of |V|, the scale of force residuals
};

double shape(Interslice interslice, double x) {
  switch (interslice) {
    case Interslice::constant:
      return 1.0;
    case Interslice::half_sine:
      return std::sin(std::numbers::pi * x);
  }
  return 1.0;
}

Slices prepare(const SurfaceData& surface, Interslice interslice, SliceTable& t) {
  Slices s;
  s.count = static_cast<std::size_t>(std::max(t.slice_count, 0));
  const double water = surface.water_unit_weight;
  const bool loads = surface.loads.active;
  const double head_x = surface.sections.front().x;
  const double length = surface.sections.back().x - head_x;
  for (std::size_t i = 0; i < s.count; ++i) {
    const double v = t.weight[i] + t.load[i];
    const double u = t.mean_pore_head[i] * water * t.width[i] / t.base_cos[i];
    t.work.fixed_normal[i] = v;
    t.work.normal[i] = u;
    t.work.cohesion_slope[i] = -t.cohesion_force[i] - u * t.work.tan_phi[i];
    double h = loads ? t.horizontal_force[i] : 0.0;
    if (i == 0) h += surface.loads.head_thrust;
    t.work.net[i] = h;
    t.work.friction_slope[i] = shape(interslice, (surface.sections[i].x - head_x) / length);
    s.driving += t.driving_force[i];
    s.scale += std::fabs(v);
  }
  s.f_toe = shape(interslice, 1.0);
  s.v = t.work.fixed_normal.data();
  s.k = t.work.cohesion_slope.data();
  s.u = t.work.normal.data();
  s.h = t.work.net.data();
  s.f = t.work.friction_slope.data();
  s.sin = t.base_sin.data();
  s.cos = t.base_cos.data();
  s.cl = t.cohesion_force.data();
  s.tan_phi = t.work.tan_phi.data();
  if (!(s.scale > 0.0)) s.scale = 1.0;
  return s;
}

struct Residuals {
  double moment = 0.0;  ///< (sum of resisting forces - F sum of driving) / sum of driving
  double force = 0.0;   ///< the interslice force left beyond the toe / sum of |V|
  double resisting = 0.0;
};

// Each slice in vertical and horizontal equilibrium at (F, lambda), from the
// head (no interslice force) to the toe. With a the base's inclination
// downhill towards the toe, the base normal force N (pore force included)
// and the interslice force E on the slice's toe side:
//   N = (V - (X_head - X_toe) - sin a K / F) / m,  m = cos a + sin a tan phi / F
//   E_toe = E_head + H + N sin a - (c l + (N - U) tan phi) cos a / F
// with X = -lambda f E on each side. `keep` writes each slice's effective
// normal force N - U, its m-factor and its resisting force to the table.
Residuals evaluate(const Slices& s, double factor, double scale, SliceTable* keep) {
  // Lambda is positive where the interslice force leans as it does on an
  // ordinary slope: the shear on a slice's head side pulls it down.
  const double lambda = -scale;
  const double inv_f = 1.0 / factor;
  Residuals r;
  double e = 0.0;
  double resisting = 0.0;
  for (std::size_t i = 0; i < s.count; ++i) {
    const double sin_a = -s.sin[i];
    const double cos_a = s.cos[i];
    const double tan_phi = s.tan_phi[i];
    const double inv_m = 1.0 / (cos_a + sin_a * tan_phi * inv_f);
    const double lf_toe = lambda * (i + 1 < s.count ? s.f[i + 1] : s.f_toe);
    const double n0 = (s.v[i] - lambda * s.f[i] * e - sin_a * s.k[i] * inv_f) * inv_m;
    const double a = sin_a - tan_phi * cos_a * inv_f;
    const double b = e + s.h[i] - s.k[i] * cos_a * inv_f;
    const double e_toe = (b + a * n0) / (1.0 - a * lf_toe * inv_m);
    const double n = n0 + lf_toe * e_toe * inv_m;
    const double res = -s.cl[i] + (n - s.u[i]) * tan_phi;
    resisting += res;
    if (keep != nullptr) {
      keep->normal_force[i] = n - s.u[i];
      keep->m_factor[i] = 1.0 / inv_m;
      keep->resisting_force[i] = res;
      keep->net_force[i] = e_toe;  // the interslice normal force on its toe side
    }
    e = e_toe;
  }
  r.resisting = resisting;
  r.moment = (resisting - factor * s.driving) / s.driving;
  r.force = e / s.scale;
  return r;
}

// The factor of force equilibrium alone at lambda = 0 (Janbu's method) by
// fixed-point iteration: F = sum (c l + (N - U) tan phi) cos a / sum (N sin a + H).
bool solve_force(const Slices& s, double& factor, const MethodSettings& settings,
                 std::int32_t& passes) {
  for (passes = 1; passes <= settings.iteration_limit; ++passes) {
    double up = 0.0;
    double down = 0.0;
    for (std::size_t i = 0; i < s.count; ++i) {
      const double sin_a = -s.sin[i];
      const double cos_a = s.cos[i];
      const double m = cos_a + sin_a * s.tan_phi[i] / factor;
      const double n = (s.v[i] - sin_a * s.k[i] / factor) / m;
      up += (-s.cl[i] + (n - s.u[i]) * s.tan_phi[i]) * cos_a;
      down += n * sin_a + s.h[i];
    }
    const double next = up / down;
    if (!std::isfinite(next) || !(next > 0.0)) return false;
    const double change = std::fabs(next - factor);
    factor = next;
    if (change < settings.tolerance) return true;
  }
  return false;
}

// The factor at which no interslice force is left beyond the toe, at a
// fixed lambda: the secant rule from the start and a point beside it.
bool solve_force_at(const Slices& s, double& factor, double lambda, const MethodSettings& settings,
                    std::int32_t& passes) {
  double a = factor;
  double b = 1.01 * factor;
  double ra = evaluate(s, a, lambda, nullptr).force;
  double rb = evaluate(s, b, lambda, nullptr).force;
  for (passes = 1; passes <= settings.iteration_limit; ++passes) {
    if (!(rb != ra)) return std::fabs(rb) < settings.tolerance;
    const double next = b - rb * (b - a) / (rb - ra);
    if (!std::isfinite(next) || !(next > 0.0)) return false;
    a = b;
    ra = rb;
    b = next;
    rb = evaluate(s, b, lambda, nullptr).force;
    if (std::fabs(b - a) < settings.tolerance && std::fabs(rb) < settings.tolerance) {
      factor = b;
      return true;
    }
  }
  return false;
}

// The prescribed inclinations of the interslice forces of the force
// methods, as tangents dipping towards the toe, into the f of each section:
// the chord from head to toe (Corps 1), the ground surface (Corps 2), or the
// mean of the ground surface and the slip surface (Lowe and Karafiath),
// each at a section the mean of the segments either side of it.
void prescribe(const SurfaceData& surface, Method method, Slices& s, SliceTable& t) {
  const std::span<const Section> sections = surface.sections;
  const std::size_t n = sections.size();
  const auto fall = [&](std::size_t k, bool ground) {
    const Section& a = sections[k];
    const Section& b = sections[k + 1];
    const double dx = std::fabs(b.x - a.x);
    return ground ? (a.ground_level - b.ground_level) / dx : (a.slip_level - b.slip_level) / dx;
  };
  const auto at = [&](std::size_t k, bool ground) {
    if (k == 0) return fall(0, ground);
    if (k + 1 == n) return fall(n - 2, ground);
    return 0.5 * (fall(k - 1, ground) + fall(k, ground));
  };
  const double chord = (sections.front().slip_level - sections.back().slip_level) /
                       std::fabs(sections.back().x - sections.front().x);
  for (std::size_t k = 0; k < n; ++k) {
    double tangent = chord;
    if (method == Method::corps_2) tangent = at(k, true);
    if (method == Method::lowe_karafiath) tangent = 0.5 * (at(k, true) + at(k, false));
    if (k + 1 < n) {
      t.work.friction_slope[k] = tangent;
    } else {
      s.f_toe = tangent;
    }
  }
}

// F and lambda together: Newton's method on the two residuals. The
// Jacobian is taken by differences at the start and then carried along by
// Broyden's update, one evaluation a step; a step is shortened until the
// residuals shrink, and the Jacobian taken afresh when no shortening helps.
bool solve_both(const Slices& s, double& factor, double& lambda, const MethodSettings& settings,
                std::int32_t& passes) {
  const auto norm = [](const Residuals& r) { return std::hypot(r.moment, r.force); };
  double j[2][2] = {};
  const auto differences = [&](const Residuals& at) {
    const double hf = 1e-7 * std::max(1.0, factor);
    const double hl = 1e-7;
    const Residuals rf = evaluate(s, factor + hf, lambda, nullptr);
    const Residuals rl = evaluate(s, factor, lambda + hl, nullptr);
    j[0][0] = (rf.moment - at.moment) / hf;
    j[0][1] = (rl.moment - at.moment) / hl;
    j[1][0] = (rf.force - at.force) / hf;
    j[1][1] = (rl.force - at.force) / hl;
  };
  Residuals r = evaluate(s, factor, lambda, nullptr);
  passes = 1;
  if (norm(r) < settings.tolerance) return true;
  differences(r);
  bool fresh = true;
  for (passes = 1; passes <= settings.iteration_limit; ++passes) {
    if (!std::isfinite(norm(r))) return false;
    const double det = j[0][0] * j[1][1] - j[0][1] * j[1][0];
    bool better = false;
    Residuals next;
    double step_f = 0.0;
    double step_l = 0.0;
    if (std::fabs(det) > 0.0 && std::isfinite(det)) {
      step_f = -(j[1][1] * r.moment - j[0][1] * r.force) / det;
      step_l = -(j[0][0] * r.force - j[1][0] * r.moment) / det;
      for (int halving = 0; halving < 30; ++halving) {
        if (factor + step_f > 0.0) {
          next = evaluate(s, factor + step_f, lambda + step_l, nullptr);
          if (norm(next) < norm(r) || norm(next) == 0.0) {
            better = true;
            break;
          }
        }
        step_f *= 0.5;
        step_l *= 0.5;
      }
    }
    if (!better) {
      if (fresh) return norm(r) < settings.tolerance;
      differences(r);
      fresh = true;
      continue;
    }
    // Broyden: J += (dr - J dx) dx^T / (dx^T dx).
    const double dm = next.moment - r.moment - (j[0][0] * step_f + j[0][1] * step_l);
    const double df = next.force - r.force - (j[1][0] * step_f + j[1][1] * step_l);
    const double dd = step_f * step_f + step_l * step_l;
    if (dd > 0.0) {
      j[0][0] += dm * step_f / dd;
      j[0][1] += dm * step_l / dd;
      j[1][0] += df * step_f / dd;
      j[1][1] += df * step_l / dd;
    }
    fresh = false;
    factor += step_f;
    lambda += step_l;
    r = next;
    // The moment residual is about the error of the factor itself.
    if (norm(r) < settings.tolerance) return true;
  }
  return false;
}

// The start: the simplified method's factor where it converges, else the
// first estimate.
double starting_factor(const SurfaceData& surface, const MethodSettings& settings,
                       SliceTable& table) {
  const double first = table.safety_factor;
  const IterationOutcome outcome = iterate_simplified(surface, table, settings.tolerance,
                                                      settings.iteration_limit, TensionRule::allow);
  const double bishop = table.safety_factor;
  return outcome.stop == IterationStop::converged && bishop > 0.0 && std::isfinite(bishop) ? bishop
                                                                                           : first;
}

// The end of a run: the factors, and the checks every method shares.
MethodResult finish(const Slices& s, Method method, const MethodSettings& settings,
                    SliceTable& table, bool solved, double factor, double lambda,
                    std::int32_t passes, bool moments) {
  MethodResult result;
  result.method = method;
  result.passes = passes;
  if (table.sum_driving == 0.0) {
    result.status = RunStatus::no_driving_force;
    return result;
  }
  if (!solved) {
    result.status = RunStatus::no_convergence;
    result.stop = IterationStop::limit_reached;
    return result;
  }
  if (moments && std::fabs(lambda) > kMaxLambda) {
    result.status = RunStatus::no_solution;
    result.stop = IterationStop::lambda_out_of_range;
    result.lambda = lambda;
    return result;
  }
  const Residuals r = evaluate(s, factor, lambda, &table);
  table.sum_resisting = r.resisting;
  table.safety_factor = factor;
  for (std::size_t i = 0; i < s.count; ++i) {
    const auto slice = static_cast<std::int32_t>(i + 1);
    if (settings.tension == TensionRule::stop && !(table.normal_force[i] > 0.0)) {
      result.status = RunStatus::stopped;
      result.stop = IterationStop::no_positive_normal;
      result.slice = slice;
      return result;
    }
    if (table.m_factor[i] < kMinimumMFactor) {
      result.status = RunStatus::no_solution;
      result.stop = IterationStop::m_factor_too_small;
      result.slice = slice;
      return result;
    }
  }
  result.status = RunStatus::converged;
  result.factor = factor;
  result.force_factor = factor;
  result.moment_factor = r.resisting / s.driving;
  if (moments) result.lambda = lambda;
  return result;
}

MethodResult finish_with_shape(const SurfaceData& surface, const MethodSettings& settings,
                               SliceTable& table, Method method, Interslice interslice) {
  double factor = table.safety_factor;
  table.sum_driving = 0.0;
  for (std::int32_t i = 0; i < table.slice_count; ++i) table.sum_driving += table.driving_force[i];
  const Slices s = prepare(surface, interslice, table);
  double lambda = 0.0;
  std::int32_t passes = 0;
  const bool solved = table.sum_driving != 0.0 && std::isfinite(factor) && factor > 0.0 &&
                      solve_both(s, factor, lambda, settings, passes);
  return finish(s, method, settings, table, solved, factor, lambda, passes, true);
}

}  // namespace

void start_general(const SurfaceData& surface, const MethodSettings& /*settings*/,
                   SliceTable& table) {
  compute_first_estimate(surface, table);
}

MethodResult finish_spencer(const SurfaceData& surface, const MethodSettings& settings,
                            SliceTable& table) {
  return finish_with_shape(surface, settings, table, Method::spencer, Interslice::constant);
}

MethodResult finish_morgenstern_price(const SurfaceData& surface, const MethodSettings& settings,
                                      SliceTable& table) {
  return finish_with_shape(surface, settings, table, Method::morgenstern_price,
                           settings.interslice);
}

MethodResult finish_force_method(const SurfaceData& surface, const MethodSettings& settings,
                                 SliceTable& table) {
  double factor = starting_factor(surface, settings, table);
  Slices s = prepare(surface, Interslice::constant, table);
  prescribe(surface, settings.method, s, table);
  std::int32_t passes = 0;
  const bool solved = table.sum_driving != 0.0 && std::isfinite(factor) && factor > 0.0 &&
                      solve_force_at(s, factor, 1.0, settings, passes);
  return finish(s, settings.method, settings, table, solved, factor, 1.0, passes, false);
}

MethodResult finish_janbu(const SurfaceData& surface, const MethodSettings& settings,
                          SliceTable& table) {
  double factor = starting_factor(surface, settings, table);
  const Slices s = prepare(surface, Interslice::constant, table);
  std::int32_t passes = 0;
  const bool solved = table.sum_driving != 0.0 && std::isfinite(factor) && factor > 0.0 &&
                      solve_force(s, factor, settings, passes);
  MethodResult result =
      finish(s, Method::janbu, settings, table, solved, factor, 0.0, passes, false);
  if (result.has_factor() && settings.janbu_correction) {
    result.correction = janbu_correction(surface);
    result.factor *= result.correction;
  }
  return result;
}

GeneralFactors factors_at(const SurfaceData& surface, const MethodSettings& settings,
                          Interslice interslice, double lambda) {
  SliceTable table;
  compute_first_estimate(surface, table);
  const double start = starting_factor(surface, settings, table);
  const Slices s = prepare(surface, interslice, table);
  GeneralFactors out;
  if (!(start > 0.0) || !std::isfinite(start) || s.driving == 0.0) return out;
  // Moments: F = sum of resisting forces / sum of driving forces.
  double factor = start;
  for (std::int32_t pass = 1; pass <= settings.iteration_limit; ++pass) {
    const double next = evaluate(s, factor, lambda, nullptr).resisting / s.driving;
    const double change = std::fabs(next - factor);
    factor = next;
    if (!std::isfinite(factor)) break;
    if (change < settings.tolerance) {
      out.moment = factor;
      break;
    }
  }
  // Forces: the factor at which no interslice force is left beyond the toe.
  double force = start;
  std::int32_t passes = 0;
  if (solve_force_at(s, force, lambda, settings, passes)) out.force = force;
  return out;
}

GeneralResiduals residuals_at(const SurfaceData& surface, Interslice interslice, double factor,
                              double lambda) {
  SliceTable table;
  compute_first_estimate(surface, table);
  const Residuals r = evaluate(prepare(surface, interslice, table), factor, lambda, nullptr);
  return {r.moment, r.force};
}

std::vector<std::int32_t> general_tension_slices(const SliceTable& table,
                                                 const MethodResult& result) {
  std::vector<std::int32_t> slices;
  if (result.status != RunStatus::converged && result.status != RunStatus::stopped) return slices;
  for (std::int32_t i = 1; i <= table.slice_count; ++i) {
    if (table.normal_force[static_cast<std::size_t>(i - 1)] < 0.0) slices.push_back(i);
  }
  return slices;
}

double janbu_correction(const SurfaceData& surface) {
  const std::span<const Section> sections = surface.sections;
  if (sections.size() < 2) return 1.0;
  const Section& head = sections.front();
  const Section& toe = sections.back();
  const double dx = toe.x - head.x;
  const double dy = toe.slip_level - head.slip_level;
  const double length = std::hypot(dx, dy);
  double depth = 0.0;
  bool cohesion = false;
  bool friction = false;
  for (std::size_t k = 0; k < sections.size(); ++k) {
    const Section& s = sections[k];
    depth = std::max(
        depth, std::fabs(dx * (s.slip_level - head.slip_level) - (s.x - head.x) * dy) / length);
    if (k + 1 < sections.size()) {
      cohesion = cohesion || s.cohesion > 0.0;
      friction = friction || s.tan_phi > 0.0;
    }
  }
  const double b = cohesion && friction ? 0.5 : (cohesion ? 0.69 : 0.31);
  const double ratio = depth / length;
  return 1.0 + b * (ratio - 1.4 * ratio * ratio);
}

}  // namespace method
