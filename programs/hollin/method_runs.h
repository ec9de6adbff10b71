// A method run (method/method_run.h) told for the tool's commands: what it
// ended in (a factor, a stop at a slice, no convergence, dropped friction),
// the same way in text for people and in JSON for scripts.
#pragma once

#include <string>
#include <string_view>

#include "method/method_run.h"
#include "text/json_writer.h"

namespace hollin {

/// "no_positive_normal_force", "small_m_factor"; empty for other ends.
[[nodiscard]] std::string_view stop_key(method::IterationStop stop);

/// Appends one line for people, e.g. "simplified: factor of safety 1.395 (6
/// passes, converged)" or "simplified: no factor: stopped at slice 3 in pass
/// 1, m-factor below 0.2".
void append_run_text(std::string& out, const method::MethodRun& run);

/// Writes the run as one JSON object: method, factor_of_safety (null when
/// there is none), passes, status, slice, reason, and for the ordinary
/// method pore_force and friction_dropped.
void write_run_json(text::JsonWriter& json, const method::MethodRun& run);

}  // namespace hollin
