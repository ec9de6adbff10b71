// Inputs shared by the benchmarks: a slope of 150 sections whose data file,
// settings files and section lines are made here, so that every benchmark
// measures the same text. The benchmarks run on record_io::MemoryRun.
#pragma once

#include <string>

namespace bench {

/// Sections of the generated slope: the largest data file there can be.
inline constexpr int kSections = 150;

/// The section lines of a slope of `sections` sections (16 numbers each),
/// from head to toe; the simplified method converges on it.
std::string section_lines(int sections);

/// A whole slope data file of kSections sections.
std::string slope_file();

/// Settings files with the shipped wording, without closing pause.
std::string quarnby_settings();
std::string wendmoor_settings();

}  // namespace bench
