// `hollin report DATA --method simplified|ordinary [--settings FILE] -o FILE`:
// the results report that quarnby or wendmoor writes for a stored slope data
// file, byte for byte, without their console dialogue.
#pragma once

#include <string>

#include "programs/hollin/command_context.h"

namespace CLI {
class App;
}

namespace hollin {

/// The command line of `hollin report`.
struct ReportOptions {
  std::string data;      ///< the slope data file
  std::string method;    ///< "simplified" or "ordinary"
  std::string settings;  ///< a settings file in the program's format; empty: the shipped one
  std::string output;    ///< the results file to write
};

/// Declares the arguments and options of `hollin report` into `options`.
void declare_report(CLI::App& app, ReportOptions& options);

/// Reads the settings (quarnby.ini format for the simplified method,
/// wendmoor.ini format for the ordinary one; the shipped English files when
/// none is given) and the data file through the record layer as the program
/// does (each file is read once, and the record layer reads those bytes),
/// computes, and writes the program's results file: for the
/// simplified method the stopping-slice line before the report when the
/// iteration stops at a slice, and the report of the last pass when it does
/// not converge (as quarnby does on an answer of 2; said on standard error);
/// for the ordinary method the warning lines before the report. The file is
/// written whole or not at all, never over the data or settings file.
/// Returns kExitSuccess when it was written, kExitRefused when not.
[[nodiscard]] int run_report(const ReportOptions& options, CommandContext& context);

}  // namespace hollin
