#include "bench/bench_support.h"

#include <iterator>
#include <string_view>

namespace bench {
namespace {

// Labels of the report, as the shipped settings files give them.
constexpr std::string_view kMessages[] = {"Unit weight of water",
                                          "Number of sections",
                                          "Sections",
                                          "Section",
                                          "x",
                                          "Ground level",
                                          "Slip surface level",
                                          "Height above slip surface",
                                          "Lower zone height",
                                          "Pore-water head",
                                          "Slices",
                                          "Slice",
                                          "Width",
                                          "Mean height",
                                          "Base slope",
                                          "Weight",
                                          "Lower unit weight",
                                          "Upper unit weight",
                                          "Cohesion",
                                          "Friction angle (deg)",
                                          "External load",
                                          "Driving force",
                                          "Resisting force",
                                          "Net force",
                                          "Mean pore-water head",
                                          "Sums",
                                          "Factor of safety"};
constexpr int kFirstLabel = 5;

std::string message_records(int count) {
  std::string records;
  for (int k = 1; k <= count; ++k) {
    const std::string index = std::to_string(k);
    records += std::string(4 - index.size(), ' ') + index + " ";
    if (k >= kFirstLabel && k < kFirstLabel + static_cast<int>(std::size(kMessages))) {
      records += kMessages[k - kFirstLabel];
    } else {
      records += "Message " + index;
    }
    records += "\n";
  }
  return records;
}

}  // namespace

std::string section_lines(int sections) {
  std::string lines;
  for (int k = 0; k < sections; ++k) {
    const double x = k * 0.5;
    const double ground = 20.0 - k * 0.05;
    const double slip = 15.0 - k * 0.08 + (k / 150.0) * (k / 150.0) * 5.0;
    lines += std::to_string(x) + " " + std::to_string(ground) + " " + std::to_string(slip) +
             " 1.5 0.5 20 18 10 30 0 0 0 0 0 0 0\n";
  }
  return lines;
}

std::string slope_file() {
  return "Generated slope of " + std::to_string(kSections) +
         " sections\nfor the benchmarks\nheader\n9.81 " + std::to_string(kSections) +
         " 0 0 0 0\ncolumns\n" + section_lines(kSections);
}

std::string quarnby_settings() { return "1.0E-5, 50, 42, 0, -1, 'none'\n" + message_records(42); }

std::string wendmoor_settings() { return "40, 0, 0, -1, 'none'\n" + message_records(40); }

}  // namespace bench
