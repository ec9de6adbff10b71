// Byte streams behind the units: operating-system files, memory buffers, and
// the file system that an open by name goes to. hollin, tests, fuzzers and
// benchmarks swap the operating system for memory through these interfaces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace record_io {

/// How an open connects a unit.
enum class OpenStatus : unsigned char {
  old_file,      ///< the file must exist; it is read and never modified
  unknown_file,  ///< an existing file is written from its start, a missing one created
};

/// One connected file. Errors are errno values; 0 means success.
class ByteStream {
 public:
  virtual ~ByteStream() = default;
  /// Reads up to `size` bytes; `count` is 0 at the end of the data.
  virtual int read(char* buffer, std::size_t size, std::size_t& count) = 0;
  /// Writes all `size` bytes at the current write position.
  virtual int write(const char* data, std::size_t size) = 0;
  /// Releases the file. With `cut_after_written`, a file that was written ends
  /// after the last byte written, so nothing of older content remains behind it.
  virtual int close(bool cut_after_written) = 0;
};

/// Where opens by name go. A file that a file system has opened for reading
/// is never opened for writing by it afterwards: such an open fails with
/// EACCES, so that no run can overwrite a file that it reads (its settings,
/// data or job file), whatever name it is given by.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  /// Opens `path` (relative to the working directory unless absolute). On
  /// failure returns null and sets `error` to an errno value.
  virtual std::unique_ptr<ByteStream> open(const std::string& path, OpenStatus status,
                                           int& error) = 0;
  /// True when `path` names something that exists.
  virtual bool exists(const std::string& path) = 0;
  /// `path` made absolute.
  virtual std::string full_path(const std::string& path) = 0;
  /// True when an open of `path` for writing would be refused although it
  /// exists: a folder, or a file this file system has opened for reading.
  virtual bool refuses_writing(const std::string& path) = 0;
};

/// The operating system's files. Directories are refused with EISDIR. Files
/// are told apart by device and inode, so another name or a link to a file
/// read is still refused for writing.
class OsFileSystem final : public FileSystem {
 public:
  std::unique_ptr<ByteStream> open(const std::string& path, OpenStatus status, int& error) override;
  bool exists(const std::string& path) override;
  std::string full_path(const std::string& path) override;
  bool refuses_writing(const std::string& path) override;

 private:
  using Identity = std::pair<std::uint64_t, std::uint64_t>;
  [[nodiscard]] bool was_read(const Identity& identity) const;

  /// Device and inode of every file opened for reading.
  std::vector<Identity> files_read_;
};

/// A stream over an already open file descriptor (standard input, output and
/// error); closing it leaves the descriptor open.
std::unique_ptr<ByteStream> make_descriptor_stream(int descriptor);

/// Files held in memory, by name: bytes already read or a report still being
/// composed, and the files of tests, fuzzing and benchmarks. Names are used
/// as given (no working directory).
class MemoryFileSystem final : public FileSystem {
 public:
  /// The files by name; callers fill and inspect this directly.
  std::map<std::string, std::string, std::less<>> files;
  /// When set, every write to a file fails with this errno value (a full disk).
  int write_error = 0;

  std::unique_ptr<ByteStream> open(const std::string& path, OpenStatus status, int& error) override;
  bool exists(const std::string& path) override;
  std::string full_path(const std::string& path) override;
  bool refuses_writing(const std::string& path) override;

 private:
  /// Names of the files opened for reading.
  std::set<std::string, std::less<>> files_read_;
};

/// A console side held in memory: reads come from `input`, writes append to
/// `output`.
class MemoryStream final : public ByteStream {
 public:
  explicit MemoryStream(std::string input_text = {}) : input(std::move(input_text)) {}
  std::string input;
  std::size_t read_position = 0;
  std::string output;

  int read(char* buffer, std::size_t size, std::size_t& count) override;
  int write(const char* data, std::size_t size) override;
  int close(bool) override { return 0; }
};

}  // namespace record_io
