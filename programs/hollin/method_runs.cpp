#include "programs/hollin/method_runs.h"

#include <cmath>
#include <cstddef>

#include "text/number_text.h"

namespace hollin {
namespace {

std::string_view status_key(MethodRun::Status status) {
  switch (status) {
    case MethodRun::Status::converged:
      return "converged";
    case MethodRun::Status::stopped:
      return "stopped";
    case MethodRun::Status::no_convergence:
      return "no_convergence";
    case MethodRun::Status::closed_form:
      return "closed_form";
  }
  return "";
}

std::string_view stop_phrase(method::IterationStop stop) {
  return stop == method::IterationStop::no_positive_normal ? "no positive effective normal force"
                                                           : "m-factor below 0.2";
}

std::optional<double> finite(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

MethodRun run_simplified(const method::SurfaceData& surface, double tolerance,
                         std::int32_t iteration_limit, method::TensionRule tension) {
  method::SliceTable table;
  method::compute_first_estimate(surface, table);
  const method::IterationOutcome outcome =
      method::iterate_simplified(surface, table, tolerance, iteration_limit, tension);
  MethodRun run;
  run.method = MethodRun::Method::simplified;
  run.passes = outcome.passes;
  run.stop = outcome.stop;
  switch (outcome.stop) {
    case method::IterationStop::converged:
      run.status = MethodRun::Status::converged;
      run.factor = finite(method::reported_factor(table));
      break;
    case method::IterationStop::no_positive_normal:
    case method::IterationStop::m_factor_too_small:
      run.status = MethodRun::Status::stopped;
      run.slice = outcome.slice;
      break;
    case method::IterationStop::limit_reached:
      run.status = MethodRun::Status::no_convergence;
      break;
  }
  return run;
}

MethodRun run_ordinary(const method::SurfaceData& surface, method::PoreForce pore_force) {
  method::SliceTable table;
  method::compute_ordinary(surface, pore_force, table);
  MethodRun run;
  run.method = MethodRun::Method::ordinary;
  run.pore_force = pore_force;
  run.status = MethodRun::Status::closed_form;
  run.passes = 1;
  run.factor = finite(method::reported_factor(table));
  for (std::int32_t i = 1; i <= table.slice_count; ++i) {
    if (table.normal_not_positive[static_cast<std::size_t>(i - 1)] != 0) {
      run.friction_dropped.push_back(i);
    }
  }
  return run;
}

std::string_view method_name(MethodRun::Method method) {
  return method == MethodRun::Method::simplified ? "simplified" : "ordinary";
}

std::string_view pore_force_name(method::PoreForce pore_force) {
  return pore_force == method::PoreForce::base_width ? "base-width" : "base-length";
}

std::string_view stop_key(method::IterationStop stop) {
  switch (stop) {
    case method::IterationStop::no_positive_normal:
      return "no_positive_normal_force";
    case method::IterationStop::m_factor_too_small:
      return "small_m_factor";
    case method::IterationStop::converged:
    case method::IterationStop::limit_reached:
      break;
  }
  return "";
}

void append_run_text(std::string& out, const MethodRun& run) {
  out += method_name(run.method);
  if (run.method == MethodRun::Method::ordinary) {
    out += " (pore force on the ";
    out += run.pore_force == method::PoreForce::base_width ? "base width)" : "base length)";
  }
  out += ": ";
  if (run.factor) {
    out += "factor of safety " + text::shortest(*run.factor);
  } else {
    out += "no factor";
  }
  switch (run.status) {
    case MethodRun::Status::converged:
      out += " (converged in " + std::to_string(run.passes) + " passes)";
      break;
    case MethodRun::Status::stopped:
      out += ": stopped at slice " + std::to_string(run.slice) + " in pass " +
             std::to_string(run.passes) + ", " + std::string(stop_phrase(run.stop));
      break;
    case MethodRun::Status::no_convergence:
      out += ": no convergence in " + std::to_string(run.passes) + " passes";
      break;
    case MethodRun::Status::closed_form:
      if (!run.factor) out += " (the driving forces sum to zero or the arithmetic failed)";
      break;
  }
  if (!run.friction_dropped.empty()) {
    out += "; friction dropped at slice";
    out += run.friction_dropped.size() > 1 ? "s " : " ";
    for (std::size_t i = 0; i < run.friction_dropped.size(); ++i) {
      if (i > 0) out += ", ";
      out += std::to_string(run.friction_dropped[i]);
    }
    out += " (effective normal force not positive)";
  }
  out += '\n';
}

void write_run_json(text::JsonWriter& json, const MethodRun& run) {
  json.begin_object();
  json.key("method");
  json.string(method_name(run.method));
  json.key("factor_of_safety");
  if (run.factor) {
    json.number(*run.factor);
  } else {
    json.null();
  }
  json.key("passes");
  json.integer(run.passes);
  json.key("status");
  json.string(status_key(run.status));
  json.key("slice");
  if (run.status == MethodRun::Status::stopped) {
    json.integer(run.slice);
  } else {
    json.null();
  }
  json.key("reason");
  if (run.status == MethodRun::Status::stopped) {
    json.string(stop_key(run.stop));
  } else {
    json.null();
  }
  if (run.method == MethodRun::Method::ordinary) {
    json.key("pore_force");
    json.string(pore_force_name(run.pore_force));
    json.key("friction_dropped");
    json.begin_array();
    for (const std::int32_t slice : run.friction_dropped) json.integer(slice);
    json.end_array();
  }
  json.end_object();
}

}  // namespace hollin
