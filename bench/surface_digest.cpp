// A digest of what the methods give on many random trial circles through the
// bundled example models: for each circle, the search's evaluation (outcome,
// factor bits, passes) and every method run (status, factor bits, passes,
// stopping slice, dropped friction). Two builds that print the same digest
// give the same numbers, bit for bit, on every one of these surfaces.
//   surface_digest EXAMPLES_DIR [CIRCLES_PER_MODEL]
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "method/method_run.h"
#include "search/evaluation.h"
#include "slope/model_reader.h"
#include "slope/slicing.h"

namespace {

struct Digest {
  std::uint64_t hash = 1469598103934665603ULL;
  void bytes(const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
      hash ^= p[i];
      hash *= 1099511628211ULL;
    }
  }
  void number(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    bytes(&bits, sizeof bits);
  }
  void integer(std::int64_t value) { bytes(&value, sizeof value); }
};

void add_run(Digest& digest, const method::MethodRun& run) {
  digest.integer(static_cast<int>(run.result.status));
  digest.number(run.result.has_factor() ? run.result.factor : -1.0);
  digest.integer(run.result.passes);
  digest.integer(run.result.slice);
  digest.integer(static_cast<int>(run.result.stop));
  for (const std::int32_t slice : run.friction_dropped) digest.integer(slice);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string folder = argv[1];
  const long per_model = argc > 2 ? std::atol(argv[2]) : 100000;
  const char* names[] = {"simple-slope.toml", "layered-slope.toml", "published-circle.toml",
                         "published-circle-ru.toml", "zoned-dam.toml"};
  Digest digest;
  long cuts = 0;
  long factors = 0;
  long surfaces = 0;
  for (const char* name : names) {
    std::ifstream in(folder + "/" + name, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const slope::ModelReading reading = slope::read_model(buffer.str());
    if (reading.status != slope::ModelStatus::ok) {
      std::fprintf(stderr, "%s: not read\n", name);
      return 1;
    }
    const slope::Model& model = reading.model;
    double xmin = model.ground.front().x, xmax = model.ground.back().x;
    double ymin = model.ground.front().y, ymax = ymin;
    for (const slope::Point& p : model.ground) {
      ymin = std::min(ymin, p.y);
      ymax = std::max(ymax, p.y);
    }
    const double height = std::max(1.0, ymax - ymin);
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> ux(xmin, xmax);
    std::uniform_real_distribution<double> uy(ymin, ymax + 2.0 * height);
    std::uniform_real_distribution<double> ur(0.05, 1.6);
    search::Settings settings[4];
    settings[1].analysis.method = method::Method::ordinary;
    settings[2].analysis.tension = method::TensionRule::allow;
    settings[2].min_weight = 50.0;
    settings[3].analysis.method = method::Method::ordinary;
    settings[3].analysis.pore_force = method::PoreForce::base_width;
    settings[3].min_weight = 50.0;
    std::vector<std::unique_ptr<search::Evaluator>> evaluators;
    for (const search::Settings& s : settings) {
      evaluators.push_back(std::make_unique<search::Evaluator>(model, s));
    }
    slope::Cutter cutter(model);
    slope::Cut cut;
    slope::SlipSurface surface;
    surface.kind = slope::SlipSurface::Kind::circle;
    for (long k = 0; k < per_model; ++k) {
      slope::Circle circle;
      circle.xc = ux(random);
      circle.yc = uy(random);
      circle.radius = (circle.yc - ymin) * ur(random) + 0.1 * height;
      ++surfaces;
      for (const auto& evaluator : evaluators) {
        const search::Trial trial = evaluator->evaluate(circle);
        digest.integer(static_cast<int>(trial.outcome));
        digest.number(trial.factor);
        digest.integer(trial.passes);
        digest.integer(trial.slices);
      }
      surface.circle = circle;
      if (cutter.cut(surface, 50, cut) != slope::SurfaceProblem::none) continue;
      ++cuts;
      const method::SurfaceData data = cut.surface();
      method::MethodSettings allow;
      allow.tolerance = 1e-9;
      allow.iteration_limit = 30;
      allow.tension = method::TensionRule::allow;
      method::MethodSettings width;
      width.method = method::Method::ordinary;
      width.pore_force = method::PoreForce::base_width;
      method::MethodSettings length = width;
      length.pore_force = method::PoreForce::base_length;
      const method::MethodRun simplified_stop = method::run_method(data, {});
      const method::MethodRun simplified_allow = method::run_method(data, allow);
      const method::MethodRun ordinary_width = method::run_method(data, width);
      const method::MethodRun ordinary_length = method::run_method(data, length);
      add_run(digest, simplified_stop);
      add_run(digest, simplified_allow);
      add_run(digest, ordinary_width);
      add_run(digest, ordinary_length);
      if (simplified_stop.result.has_factor()) ++factors;
    }
  }
  std::printf("surfaces %ld, cut %ld, simplified factors %ld, digest %016llx\n", surfaces, cuts,
              factors, static_cast<unsigned long long>(digest.hash));
  return 0;
}
