#include "method/method_run.h"

#include <cstddef>

namespace method {

static_assert(
    [] {
      for (std::size_t i = 0; i < kMethods.size(); ++i) {
        if (static_cast<std::size_t>(kMethods[i].method) != i) return false;
      }
      return true;
    }(),
    "kMethods lists the methods in the order of the enumeration");

void start_method(const SurfaceData& surface, const MethodSettings& settings, SliceTable& table) {
  method_entry(settings.method).start(surface, settings, table);
}

MethodResult finish_method(const SurfaceData& surface, const MethodSettings& settings,
                           SliceTable& table) {
  return method_entry(settings.method).finish(surface, settings, table);
}

MethodResult run_method(const SurfaceData& surface, const MethodSettings& settings,
                        SliceTable& table) {
  start_method(surface, settings, table);
  return finish_method(surface, settings, table);
}

MethodRun run_method(const SurfaceData& surface, const MethodSettings& settings) {
  SliceTable table;
  MethodRun run;
  run.settings = settings;
  run.result = run_method(surface, settings, table);
  run.tension_slices = method_entry(settings.method).tension_slices(table, run.result);
  run.friction_dropped = friction_dropped_slices(table);
  if (settings.method == Method::gle) run.curves = gle_curves(surface, settings, run.result.lambda);
  return run;
}

}  // namespace method
