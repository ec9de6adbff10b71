// The tool's own file access: whole input files read with a size limit, and
// output files that appear complete or not at all (written under a temporary
// name in the same folder, then renamed), never over one of the run's inputs.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace hollin {

/// Largest input file the tool reads whole.
inline constexpr std::size_t kMaxInputBytes = std::size_t{64} << 20;

enum class [[nodiscard]] FileStatus{ok, failed};

/// Reads the regular file `path` into `text`. Refuses, with the reason in
/// `why` ("no such file", "not a regular file", "larger than 64 MiB"), before
/// reading anything when the size is over the limit; a file that grows
/// while being read is refused at the limit too. Never blocks on a FIFO.
FileStatus read_text_file(const std::string& path, std::string& text, std::string& why);

/// Writes `contents` to `path` so that the file is either its old self or
/// complete: a temporary file in the same folder is written, flushed and
/// renamed over `path`. Refused when `path` names one of `inputs` (by
/// identity of the file, whatever the spelling) or a folder. A new file
/// gets the permissions 0666 less the umask; a replaced file keeps its own.
/// On failure the temporary file is removed and `why` says what went wrong.
FileStatus write_file_atomically(const std::string& path, std::string_view contents,
                                 std::span<const std::string> inputs, std::string& why);

/// An output file written piece by piece, as write_file_atomically writes
/// it whole: the pieces go to a temporary file in the same folder, which
/// commit() renames over the path. Until then the path keeps its old
/// contents; an object destroyed without a commit removes its temporary file.
class AtomicOutput {
 public:
  AtomicOutput() = default;
  ~AtomicOutput();
  AtomicOutput(const AtomicOutput&) = delete;
  AtomicOutput& operator=(const AtomicOutput&) = delete;

  /// Creates the temporary file for `path`, refused as write_file_atomically
  /// refuses it.
  FileStatus open(const std::string& path, std::span<const std::string> inputs, std::string& why);
  /// Appends `text`; after a failure the output is abandoned.
  FileStatus append(std::string_view text, std::string& why);
  /// Sets the permissions, flushes the file to the device and renames it
  /// over the path.
  FileStatus commit(std::string& why);

 private:
  void abandon();

  std::string path_;
  std::string temporary_;
  int fd_ = -1;
  bool exists_ = false;
  unsigned mode_ = 0;
};

}  // namespace hollin
