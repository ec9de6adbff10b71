// Inputs shared by the benchmarks: a record layer held in memory, and a slope
// of 150 sections whose data file, settings files and section lines are made
// here, so that every benchmark measures the same text.
#pragma once

#include <memory>
#include <string>

#include "record_io/record_io.h"

namespace bench {

/// Sections of the generated slope: the largest data file there can be.
inline constexpr int kSections = 150;

/// A record layer over memory files and a memory console; a failure without
/// error branch ends the process as it would in a program.
struct MemoryRun : record_io::MemoryEnvironment {
  MemoryRun();
  std::unique_ptr<record_io::RecordIo> io;
};

/// The section lines of a slope of `sections` sections (16 numbers each),
/// from head to toe; the simplified method converges on it.
std::string section_lines(int sections);

/// A whole slope data file of kSections sections.
std::string slope_file();

/// Settings files with the shipped wording, without closing pause.
std::string quarnby_settings();
std::string wendmoor_settings();

}  // namespace bench
