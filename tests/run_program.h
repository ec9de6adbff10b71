// Runs a built program in a temporary folder with its console input piped
// from a text, and gives back its console output, error output, exit status
// and the folder's files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace end_to_end {

/// What a run left behind.
struct RunResult {
  int exit_status = -1;
  std::string console;  ///< standard output
  std::string errors;   ///< standard error
};

/// A temporary folder, removed with the object.
class WorkFolder {
 public:
  WorkFolder();
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }
  /// Writes `contents` to the file `name` in the folder (folders created).
  void write(std::string_view name, std::string_view contents) const;
  /// Copies a file of the source tree (relative to its top) into the folder.
  void copy_from_source(std::string_view source, std::string_view name) const;
  /// The contents of `name`; empty when it does not exist.
  [[nodiscard]] std::string read(std::string_view name) const;
  [[nodiscard]] bool exists(std::string_view name) const;
  /// Runs `program` with the working directory `subfolder` of this folder
  /// and `console_input` on standard input; extra environment settings may be
  /// given as "NAME=value ..." in `environment`, and command-line arguments,
  /// already quoted for the shell, in `arguments`.
  RunResult run(std::string_view program, std::string_view console_input,
                std::string_view subfolder = ".", std::string_view environment = "",
                std::string_view arguments = "") const;

 private:
  std::filesystem::path path_;
};

/// A file of the source tree (relative to its top) as text.
std::string source_file(std::string_view relative);

}  // namespace end_to_end
