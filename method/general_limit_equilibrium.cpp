#include "method/general_limit_equilibrium.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "method/simplified_method.h"

namespace method {
namespace formulation {

// The slices are kept in the table's working columns (the simplified
// iteration that gives the starting factor is done with them first):
//   fixed_normal   V, the vertical force: weight, load, kv W
//   cohesion_slope K = c l - U tan phi
//   normal         U, the pore-water force on the base length
//   net            H, the horizontal force towards the toe
//   friction_slope f at the slice's head side
// with the table's own base_sin, base_cos, cohesion_force (-c l),
// driving_force and tan_phi.
Slices prepare(const SurfaceData& surface, const IntersliceFunction& interslice, SliceTable& t) {
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
    t.work.friction_slope[i] = interslice.at((surface.sections[i].x - head_x) / length);
    s.driving += t.driving_force[i];
    s.scale += std::fabs(v);
  }
  s.f_toe = interslice.at(1.0);
  s.v = t.work.fixed_normal.data();
  s.k = t.work.cohesion_slope.data();
  s.u = t.work.normal.data();
  s.h = t.work.net.data();
  s.f = t.work.friction_slope.data();
  s.sin = t.base_sin.data();
  s.cos = t.base_cos.data();
  s.cl = t.cohesion_force.data();
  s.tan_phi = t.work.tan_phi.data();
  s.carry_constant = t.work.carry_constant.data();
  s.carry_slope = t.work.carry_slope.data();
  s.inv_m = t.work.inv_m.data();
  s.normal_base = t.work.normal_base.data();
  if (surface.arms.active) {
    s.shear_arm = surface.arms.shear.data();
    s.normal_arm = surface.arms.normal.data();
  }
  if (!(s.scale > 0.0)) s.scale = 1.0;
  return s;
}

// From the head (no interslice force) to the toe. With a the base's
// inclination downhill towards the toe, the base normal force N (pore force
// included) and the interslice force E on the slice's toe side:
//   N = (V - (X_head - X_toe) - sin a K / F) / m,  m = cos a + sin a tan phi / F
//   E_toe = E_head + H + N sin a - (c l + (N - U) tan phi) cos a / F
// with X = -lambda f E on each side. Solved for E_toe, that is
// E_toe = alpha + beta E_head with alpha and beta free of E: they are worked
// out for every slice first, where no slice waits on another, and the
// force is then carried from the head to the toe one multiply-add a slice.
Residuals evaluate(const Slices& s, double factor, double scale, SliceTable* keep) {
  // Lambda is positive where the interslice force leans as it does on an
  // ordinary slope: the shear on a slice's head side pulls it down.
  const double lambda = -scale;
  const double inv_f = 1.0 / factor;
  const std::size_t n = s.count;
  double* const alpha = s.carry_constant;
  double* const beta = s.carry_slope;
  double* const inv_m = s.inv_m;
  double* const n0 = s.normal_base;
#pragma omp simd
  for (std::size_t i = 0; i < n; ++i) {
    const double sin_a = -s.sin[i];
    const double cos_a = s.cos[i];
    const double tan_phi = s.tan_phi[i];
    const double im = 1.0 / (cos_a + sin_a * tan_phi * inv_f);
    const double lf_toe = lambda * (i + 1 < n ? s.f[i + 1] : s.f_toe);
    const double base = (s.v[i] - sin_a * s.k[i] * inv_f) * im;  // N with no interslice shear
    const double a = sin_a - tan_phi * cos_a * inv_f;
    const double inv_den = 1.0 / (1.0 - a * lf_toe * im);
    alpha[i] = (s.h[i] - s.k[i] * cos_a * inv_f + a * base) * inv_den;
    beta[i] = (1.0 - a * lambda * s.f[i] * im) * inv_den;
    inv_m[i] = im;
    n0[i] = base;
  }
  Residuals r;
  double e = 0.0;
  double resisting = 0.0;
  double driving = s.driving;
  const bool arms = s.shear_arm != nullptr;
  for (std::size_t i = 0; i < n; ++i) {
    const double e_toe = alpha[i] + beta[i] * e;
    const double lf_toe = lambda * (i + 1 < n ? s.f[i + 1] : s.f_toe);
    const double normal = n0[i] + (lf_toe * e_toe - lambda * s.f[i] * e) * inv_m[i];
    const double res = -s.cl[i] + (normal - s.u[i]) * s.tan_phi[i];
    if (arms) {
      resisting += s.shear_arm[i] * res;
      driving += s.normal_arm[i] * normal;
    } else {
      resisting += res;
    }
    if (keep != nullptr) {
      keep->normal_force[i] = normal - s.u[i];
      keep->m_factor[i] = 1.0 / inv_m[i];
      keep->resisting_force[i] = res;
      keep->net_force[i] = e_toe;  // the interslice normal force on its toe side
    }
    e = e_toe;
  }
  r.resisting = resisting;
  r.driving = driving;
  r.moment = (resisting - factor * driving) / s.driving;
  r.force = e / s.scale;
  return r;
}

// F = sum (c l + (N - U) tan phi) cos a / sum (N sin a + H).
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

bool solve_at(const Slices& s, Equation equation, double& factor, double lambda,
              const MethodSettings& settings, std::int32_t& passes) {
  const auto residual = [&](double f) {
    const Residuals r = evaluate(s, f, lambda, nullptr);
    return equation == Equation::moment ? r.moment : r.force;
  };
  double a = factor;
  double b = 1.01 * factor;
  double ra = residual(a);
  double rb = residual(b);
  for (passes = 1; passes <= settings.iteration_limit; ++passes) {
    if (!(rb != ra)) {
      factor = b;
      return std::fabs(rb) < settings.tolerance;
    }
    const double next = b - rb * (b - a) / (rb - ra);
    if (!std::isfinite(next) || !(next > 0.0)) return false;
    a = b;
    ra = rb;
    b = next;
    rb = residual(b);
    if (std::fabs(b - a) < settings.tolerance && std::fabs(rb) < settings.tolerance) {
      factor = b;
      return true;
    }
  }
  return false;
}

namespace {

constexpr double kMaxLambdaStep = 0.25;
constexpr double kPlausibleLambda = 1.0;

double norm(const Residuals& r) { return std::hypot(r.moment, r.force); }

// Newton's method on the two residuals. The Jacobian is taken by
// differences at the start and then carried along by Broyden's update, one
// evaluation a step; a step is shortened until the residuals shrink, and
// the Jacobian taken afresh when no shortening helps.
bool newton(const Slices& s, double& factor, double& lambda, const MethodSettings& settings,
            std::int32_t& passes) {
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
      // Lambda moves by at most kMaxLambdaStep a step, so that the solution
      // found is the one the path from lambda 0 reaches first: a surface may
      // have a second, far from 0, with the interslice forces at steep and
      // implausible inclinations.
      if (std::fabs(step_l) > kMaxLambdaStep) {
        const double shorten = kMaxLambdaStep / std::fabs(step_l);
        step_f *= shorten;
        step_l *= shorten;
      }
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
    if (norm(r) < settings.tolerance) return true;
  }
  return false;
}

// The factor of each equation alone at lambda, and their difference, which
// changes sign where the two cross.
struct Gap {
  bool found = false;
  double force = 0.0;
  double gap = 0.0;  ///< moment factor - force factor
};

Gap gap_at(const Slices& s, double start, double lambda, const MethodSettings& settings,
           std::int32_t& passes) {
  Gap g;
  double moment = start;
  double force = start;
  std::int32_t used = 0;
  const bool m = solve_at(s, Equation::moment, moment, lambda, settings, used);
  passes += used;
  const bool f = m && solve_at(s, Equation::force, force, lambda, settings, used);
  passes += used;
  g.found = m && f;
  g.force = force;
  g.gap = moment - force;
  return g;
}

}  // namespace

// Walks lambda out from 0 on each side in doubling steps up to kMaxLambda
// for a change of sign of the gap, then halves the bracket.
namespace {

// Halves the bracket [a, b] of lambda, the gap's sign changing across it.
Solution halve(const Slices& s, double a, Gap g_a, double b, Gap g_b, double& factor,
               double& lambda, const MethodSettings& settings, std::int32_t& passes) {
  Gap mid = g_b;
  double middle = b;
  for (int halving = 0; halving < 60 && std::fabs(b - a) > 1e-12; ++halving) {
    middle = 0.5 * (a + b);
    mid = gap_at(s, g_a.force, middle, settings, passes);
    if (!mid.found) return Solution::not_converged;
    if ((g_a.gap <= 0.0) == (mid.gap <= 0.0)) {
      a = middle;
      g_a = mid;
    } else {
      b = middle;
    }
    if (norm(evaluate(s, mid.force, middle, nullptr)) < settings.tolerance) break;
  }
  factor = mid.force;
  lambda = middle;
  return norm(evaluate(s, factor, lambda, nullptr)) < settings.tolerance ? Solution::solved
                                                                         : Solution::not_converged;
}

}  // namespace

Solution solve_by_bracketing(const Slices& s, double start, double& factor, double& lambda,
                             const MethodSettings& settings, std::int32_t& passes, double reach) {
  constexpr std::array<double, 8> kSteps{0.125, 0.25, 0.5, 1.0, 2.0, 4.0, 8.0, kMaxLambda};
  const Gap at_zero = gap_at(s, start, 0.0, settings, passes);
  if (!at_zero.found) return Solution::not_converged;
  // Both sides at once, step by step, so that the crossing found is the
  // one nearest 0.
  struct Side {
    double lo = 0.0;
    Gap gap;
    bool open = true;
  };
  std::array<Side, 2> sides{Side{0.0, at_zero, true}, Side{0.0, at_zero, true}};
  bool lost = false;
  for (const double step : kSteps) {
    if (step > reach) break;
    for (std::size_t k = 0; k < sides.size(); ++k) {
      Side& side = sides[k];
      if (!side.open) continue;
      const double hi = k == 0 ? step : -step;
      const Gap g_hi = gap_at(s, side.gap.force, hi, settings, passes);
      if (!g_hi.found) {
        side.open = false;
        lost = true;
        continue;
      }
      if ((side.gap.gap <= 0.0) != (g_hi.gap <= 0.0)) {
        return halve(s, side.lo, side.gap, hi, g_hi, factor, lambda, settings, passes);
      }
      side.lo = hi;
      side.gap = g_hi;
    }
  }
  return lost ? Solution::not_converged : Solution::no_crossing;
}

Solution solve_both(const Slices& s, double& factor, double& lambda, const MethodSettings& settings,
                    std::int32_t& passes) {
  const double start = factor;
  if (newton(s, factor, lambda, settings, passes) && std::fabs(lambda) <= kMaxLambda) {
    // A surface may have a second solution nearer lambda 0 than the one
    // Newton's steps reached; past 45 degrees of inclination it is looked
    // for, and taken when there is one.
    if (std::fabs(lambda) > kPlausibleLambda) {
      double nearer_factor = start;
      double nearer_lambda = 0.0;
      if (solve_by_bracketing(s, start, nearer_factor, nearer_lambda, settings, passes,
                              std::fabs(lambda)) == Solution::solved &&
          std::fabs(nearer_lambda) < std::fabs(lambda)) {
        factor = nearer_factor;
        lambda = nearer_lambda;
      }
    }
    return Solution::solved;
  }
  factor = start;
  lambda = 0.0;
  return solve_by_bracketing(s, start, factor, lambda, settings, passes, kMaxLambda);
}

double starting_factor(const SurfaceData& surface, const MethodSettings& settings,
                       SliceTable& table) {
  const double first = table.safety_factor;
  const IterationOutcome outcome = iterate_simplified(surface, table, settings.tolerance,
                                                      settings.iteration_limit, TensionRule::allow);
  const double bishop = table.safety_factor;
  return outcome.stop == IterationStop::converged && bishop > 0.0 && std::isfinite(bishop) ? bishop
                                                                                           : first;
}

MethodResult finish(const Slices& s, Method method, const MethodSettings& settings,
                    SliceTable& table, Solution solution, double factor, double lambda,
                    std::int32_t passes, bool moments) {
  MethodResult result;
  result.method = method;
  result.passes = passes;
  // The formulation takes the mass as sliding towards the toe: driving
  // forces that sum to nothing, or towards the head, leave no factor of
  // that sliding.
  if (!(table.sum_driving > 0.0)) {
    result.status = RunStatus::no_driving_force;
    return result;
  }
  if (solution == Solution::not_converged) {
    result.status = RunStatus::no_convergence;
    result.stop = IterationStop::limit_reached;
    return result;
  }
  if (solution == Solution::no_crossing || (moments && std::fabs(lambda) > kMaxLambda)) {
    result.status = RunStatus::no_solution;
    result.stop = IterationStop::lambda_out_of_range;
    return result;
  }
  const Residuals r = evaluate(s, factor, lambda, &table);
  table.sum_resisting = r.resisting;
  if (s.shear_arm != nullptr) table.sum_driving = r.driving;
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
  result.moment_factor = r.resisting / r.driving;
  if (moments) result.lambda = lambda;
  return result;
}

MethodResult finish_with_shape(const SurfaceData& surface, const MethodSettings& settings,
                               SliceTable& table, Method method,
                               const IntersliceFunction& interslice) {
  double factor = table.safety_factor;
  table.sum_driving = 0.0;
  for (std::int32_t i = 0; i < table.slice_count; ++i) table.sum_driving += table.driving_force[i];
  const Slices s = prepare(surface, interslice, table);
  double lambda = 0.0;
  std::int32_t passes = 0;
  const Solution solution = table.sum_driving > 0.0 && std::isfinite(factor) && factor > 0.0
                                ? solve_both(s, factor, lambda, settings, passes)
                                : Solution::not_converged;
  return finish(s, method, settings, table, solution, factor, lambda, passes, true);
}

}  // namespace formulation

void start_general(const SurfaceData& surface, const MethodSettings& /*settings*/,
                   SliceTable& table) {
  compute_first_estimate(surface, table);
}

GeneralFactors factors_at(const SurfaceData& surface, const MethodSettings& settings,
                          const IntersliceFunction& interslice, double lambda) {
  using namespace formulation;
  SliceTable table;
  compute_first_estimate(surface, table);
  const double start = starting_factor(surface, settings, table);
  const Slices s = prepare(surface, interslice, table);
  GeneralFactors out;
  if (!(start > 0.0) || !std::isfinite(start) || s.driving == 0.0) return out;
  // Moments: F = sum of resisting forces / sum of driving forces.
  double factor = start;
  for (std::int32_t pass = 1; pass <= settings.iteration_limit; ++pass) {
    const Residuals r = evaluate(s, factor, lambda, nullptr);
    const double next = r.resisting / r.driving;
    const double change = std::fabs(next - factor);
    factor = next;
    if (!std::isfinite(factor)) break;
    if (change < settings.tolerance) {
      out.moment = factor;
      break;
    }
  }
  double force = start;
  std::int32_t passes = 0;
  if (solve_at(s, Equation::force, force, lambda, settings, passes)) out.force = force;
  return out;
}

GeneralResiduals residuals_at(const SurfaceData& surface, const IntersliceFunction& interslice,
                              double factor, double lambda) {
  using namespace formulation;
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

}  // namespace method
