#include "programs/hollin/method_runs.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <optional>

#include "programs/hollin/option_words.h"
#include "text/number_text.h"

namespace hollin {
namespace {

std::string_view status_key(method::RunStatus status) {
  switch (status) {
    case method::RunStatus::converged:
      return "converged";
    case method::RunStatus::stopped:
      return "stopped";
    case method::RunStatus::no_convergence:
      return "no_convergence";
    case method::RunStatus::closed_form:
      return "closed_form";
    case method::RunStatus::no_driving_force:
      return "no_driving_force";
    case method::RunStatus::no_solution:
      return "no_solution";
  }
  return "";
}

std::string_view stop_phrase(method::IterationStop stop) {
  switch (stop) {
    case method::IterationStop::no_positive_normal:
      return "no positive effective normal force";
    case method::IterationStop::lambda_out_of_range:
      return "no interslice scale lambda from -10 to 10 satisfies both equations";
    default:
      break;
  }
  return "m-factor below 0.2";
}

bool has_lambda(method::Method method) {
  return method == method::Method::spencer || method == method::Method::morgenstern_price ||
         method == method::Method::gle;
}

bool has_shape(method::Method method) {
  return method == method::Method::morgenstern_price || method == method::Method::gle;
}

std::optional<double> finite(double value) {
  return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

std::string interslice_text(const method::IntersliceFunction& function) {
  std::string out(word_of(kInterslice, function.shape));
  if (function.shape == method::Interslice::clipped_sine ||
      function.shape == method::Interslice::trapezoidal) {
    out += " " + text::shortest(function.head) + " to " + text::shortest(function.toe);
  }
  for (std::size_t k = 0; k < function.node_count; ++k) {
    out += " " + text::shortest(function.nodes[k].x) + "," + text::shortest(function.nodes[k].f);
  }
  return out;
}

std::string method_label(const method::MethodSettings& settings) {
  std::string out(method::method_name(settings.method));
  if (has_shape(settings.method)) out += ", f(x) " + interslice_text(settings.interslice);
  if (settings.method == method::Method::janbu) {
    out += settings.janbu_correction ? ", corrected by f0" : ", uncorrected";
  }
  if (settings.method == method::Method::ordinary) {
    out += settings.pore_force == method::PoreForce::base_width ? ", pore force on the base width"
                                                                : ", pore force on the base length";
  }
  return out;
}

void write_interslice_json(text::JsonWriter& json, const method::IntersliceFunction& function) {
  json.string_member("interslice", word_of(kInterslice, function.shape));
  if (function.shape == method::Interslice::clipped_sine ||
      function.shape == method::Interslice::trapezoidal) {
    json.key("interslice_ends");
    json.begin_array();
    json.number(function.head);
    json.number(function.toe);
    json.end_array();
  }
  if (function.shape == method::Interslice::points) {
    json.key("interslice_points");
    json.begin_array();
    for (std::size_t k = 0; k < function.node_count; ++k) {
      json.begin_array();
      json.number(function.nodes[k].x);
      json.number(function.nodes[k].f);
      json.end_array();
    }
    json.end_array();
  }
}

void append_slices(std::string& out, std::string_view lead, const std::vector<std::int32_t>& slices,
                   std::string_view why) {
  if (slices.empty()) return;
  out += lead;
  out += slices.size() > 1 ? "s " : " ";
  for (std::size_t i = 0; i < slices.size(); ++i) {
    if (i > 0) out += ", ";
    out += std::to_string(slices[i]);
  }
  out += why;
}

void write_slices_json(text::JsonWriter& json, std::string_view name,
                       const std::vector<std::int32_t>& slices) {
  json.key(name);
  json.begin_array();
  for (const std::int32_t slice : slices) json.integer(slice);
  json.end_array();
}

std::string_view stop_key(method::IterationStop stop) {
  switch (stop) {
    case method::IterationStop::no_positive_normal:
      return "no_positive_normal_force";
    case method::IterationStop::m_factor_too_small:
      return "small_m_factor";
    case method::IterationStop::lambda_out_of_range:
      return "lambda_out_of_range";
    case method::IterationStop::converged:
    case method::IterationStop::limit_reached:
      break;
  }
  return "";
}

void append_run_text(std::string& out, const method::MethodRun& run) {
  const method::MethodResult& result = run.result;
  out += method::method_name(result.method);
  if (result.method == method::Method::ordinary) {
    out += " (pore force on the ";
    out +=
        run.settings.pore_force == method::PoreForce::base_width ? "base width)" : "base length)";
  }
  if (has_shape(result.method)) out += " (f(x) " + interslice_text(run.settings.interslice) + ")";
  out += ": ";
  if (result.has_factor()) {
    out += "factor of safety " + text::shortest(result.factor);
  } else {
    out += "no factor";
  }
  switch (result.status) {
    case method::RunStatus::converged:
      out += " (converged in " + std::to_string(result.passes) + " passes)";
      break;
    case method::RunStatus::stopped:
      out += ": stopped at slice " + std::to_string(result.slice) + " in pass " +
             std::to_string(result.passes) + ", " + std::string(stop_phrase(result.stop));
      break;
    case method::RunStatus::no_convergence:
      out += ": no convergence in " + std::to_string(result.passes) + " passes";
      break;
    case method::RunStatus::closed_form:
      if (!result.has_factor()) {
        out += " (the arithmetic gave no finite number)";
      }
      break;
    case method::RunStatus::no_driving_force:
      out +=
          result.method == method::Method::simplified || result.method == method::Method::ordinary
              ? ": the driving forces sum to zero"
              : ": the driving forces sum to zero or less: the mass does not slide towards "
                "the toe";
      break;
    case method::RunStatus::no_solution:
      out += ": no solution: " + std::string(stop_phrase(result.stop));
      if (result.slice > 0) out += " at slice " + std::to_string(result.slice);
      break;
  }
  if (has_lambda(result.method) && result.has_factor()) {
    out += "; lambda " + text::shortest(result.lambda);
    if (result.method == method::Method::spencer) {
      out += " (theta " + text::short_text(std::atan(result.lambda) * 180.0 / std::numbers::pi, 3) +
             " degrees)";
    }
  }
  if (result.method == method::Method::janbu && result.has_factor()) {
    out += result.correction != 1.0
               ? "; corrected by f0 " + text::shortest(result.correction)
               : std::string("; uncorrected (--janbu-correction on multiplies by f0)");
  }
  append_slices(out, "; tension at slice", run.tension_slices,
                " (effective normal force negative)");
  append_slices(out, "; friction dropped at slice", run.friction_dropped,
                " (effective normal force not positive)");
  out += '\n';
  if (!run.curves.empty()) {
    // Right-aligned under the headings, a space apart whatever their
    // length; "-" where a factor was not found.
    const auto column = [&out](const std::string& value, std::size_t width) {
      out.append(width > value.size() ? width - value.size() : 1, ' ');
      out += value;
    };
    out += "    lambda  moment factor  force factor\n";
    for (const method::GleRow& row : run.curves) {
      column(text::fixed_decimals(row.lambda, 3), 10);
      column(text::fixed_text(row.moment, 4), 15);
      column(text::fixed_text(row.force, 4), 14);
      out += '\n';
    }
  }
}

void write_run_json(text::JsonWriter& json, const method::MethodRun& run,
                    const std::vector<method::SliceForces>* forces) {
  const method::MethodResult& result = run.result;
  const bool stopped = result.status == method::RunStatus::stopped ||
                       result.status == method::RunStatus::no_solution;
  json.begin_object();
  json.string_member("method", method::method_name(result.method));
  json.number_or_null("factor_of_safety",
                      result.has_factor() ? std::optional<double>(result.factor) : std::nullopt);
  json.integer_member("passes", result.passes);
  json.string_member("status", status_key(result.status));
  json.integer_or_null("slice", stopped ? std::optional<std::int64_t>(result.slice) : std::nullopt);
  json.string_or_null(
      "reason", stopped ? std::optional<std::string_view>(stop_key(result.stop)) : std::nullopt);
  write_slices_json(json, "tension_slices", run.tension_slices);
  if (result.method == method::Method::ordinary) {
    json.string_member("pore_force", word_of(kPoreForceWords, run.settings.pore_force));
    write_slices_json(json, "friction_dropped", run.friction_dropped);
  }
  if (has_lambda(result.method)) {
    json.number_or_null("lambda", std::isfinite(result.lambda)
                                      ? std::optional<double>(result.lambda)
                                      : std::nullopt);
    json.number_or_null("moment_factor", std::isfinite(result.moment_factor)
                                             ? std::optional<double>(result.moment_factor)
                                             : std::nullopt);
    json.number_or_null("force_factor", std::isfinite(result.force_factor)
                                            ? std::optional<double>(result.force_factor)
                                            : std::nullopt);
  }
  if (has_shape(result.method)) write_interslice_json(json, run.settings.interslice);
  if (!run.curves.empty()) {
    json.key("curves");
    json.begin_array();
    for (const method::GleRow& row : run.curves) {
      json.begin_object();
      json.number_member("lambda", row.lambda);
      json.number_or_null("moment_factor", finite(row.moment));
      json.number_or_null("force_factor", finite(row.force));
      json.end_object();
    }
    json.end_array();
  }
  if (result.method == method::Method::janbu) json.number_member("correction", result.correction);
  if (forces != nullptr) {
    json.key("slices");
    json.begin_array();
    for (const method::SliceForces& f : *forces) {
      json.begin_object();
      json.number_member("normal", f.normal);
      json.number_member("shear", f.shear);
      json.number_member("pore", f.pore);
      json.key("interslice");
      if (f.interslice) {
        json.begin_object();
        json.number_member("head_normal", f.head_normal);
        json.number_member("head_shear", f.head_shear);
        json.number_member("toe_normal", f.toe_normal);
        json.number_member("toe_shear", f.toe_shear);
        json.number_or_null("toe_thrust", finite(f.toe_thrust));
        json.end_object();
      } else {
        json.null();
      }
      json.end_object();
    }
    json.end_array();
  }
  json.end_object();
}

}  // namespace hollin
