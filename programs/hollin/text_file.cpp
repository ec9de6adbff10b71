#include "programs/hollin/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace hollin {
namespace {

std::string error_text(int error) { return std::generic_category().message(error); }

/// Closes a descriptor when it goes out of scope.
struct Descriptor {
  int fd = -1;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

bool same_file(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace

FileStatus read_text_file(const std::string& path, std::string& text, std::string& why) {
  text.clear();
  // O_NONBLOCK: opening a FIFO without a writer must not wait; such a file
  // is then refused as not regular.
  Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
  if (file.fd < 0) {
    why = error_text(errno);
    return FileStatus::failed;
  }
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) {
    why = error_text(errno);
    return FileStatus::failed;
  }
  if (!S_ISREG(info.st_mode)) {
    why = "not a regular file";
    return FileStatus::failed;
  }
  if (static_cast<std::size_t>(info.st_size) > kMaxInputBytes) {
    why = "larger than 64 MiB";
    return FileStatus::failed;
  }
  text.resize(static_cast<std::size_t>(info.st_size));
  std::size_t filled = 0;
  for (;;) {
    if (filled == text.size()) {
      // The file may have grown since fstat: keep reading up to the limit.
      if (text.size() > kMaxInputBytes) {
        why = "larger than 64 MiB";
        return FileStatus::failed;
      }
      text.resize(text.size() + 4096);
    }
    const ssize_t got = ::read(file.fd, text.data() + filled, text.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      why = error_text(errno);
      return FileStatus::failed;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  if (filled > kMaxInputBytes) {
    why = "larger than 64 MiB";
    return FileStatus::failed;
  }
  text.resize(filled);
  return FileStatus::ok;
}

FileStatus write_file_atomically(const std::string& path, std::string_view contents,
                                 std::span<const std::string> inputs, std::string& why) {
  AtomicOutput output;
  if (output.open(path, inputs, why) != FileStatus::ok) return FileStatus::failed;
  if (output.append(contents, why) != FileStatus::ok) return FileStatus::failed;
  return output.commit(why);
}

AtomicOutput::~AtomicOutput() { abandon(); }

void AtomicOutput::abandon() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

FileStatus AtomicOutput::open(const std::string& path, std::span<const std::string> inputs,
                              std::string& why) {
  abandon();
  for (const std::string& input : inputs) {
    if (same_file(path, input)) {
      why = "it is an input of this run (" + input + ")";
      return FileStatus::failed;
    }
  }
  struct stat existing {};
  exists_ = ::stat(path.c_str(), &existing) == 0;
  if (exists_ && S_ISDIR(existing.st_mode)) {
    why = "it is a folder";
    return FileStatus::failed;
  }
  if (exists_) {
    mode_ = existing.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode_ = 0666 & ~mask;
  }

  const std::filesystem::path target(path);
  const std::filesystem::path folder = target.parent_path();
  std::string temporary = (folder.empty() ? std::filesystem::path(".") : folder) /
                          ("." + target.filename().string() + ".hollin-XXXXXX");
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    why = error_text(errno);
    return FileStatus::failed;
  }
  path_ = path;
  temporary_ = std::move(temporary);
  fd_ = fd;
  return FileStatus::ok;
}

FileStatus AtomicOutput::append(std::string_view text, std::string& why) {
  if (fd_ < 0) {
    why = "the file is not open";
    return FileStatus::failed;
  }
  for (std::size_t written = 0; written < text.size();) {
    const ssize_t put = ::write(fd_, text.data() + written, text.size() - written);
    if (put < 0) {
      if (errno == EINTR) continue;
      why = error_text(errno);
      abandon();
      return FileStatus::failed;
    }
    written += static_cast<std::size_t>(put);
  }
  return FileStatus::ok;
}

FileStatus AtomicOutput::commit(std::string& why) {
  if (fd_ < 0) {
    why = "the file is not open";
    return FileStatus::failed;
  }
  const auto fail = [&](int error) {
    why = error_text(error);
    abandon();
    return FileStatus::failed;
  };
  if (::fchmod(fd_, static_cast<mode_t>(mode_)) != 0) return fail(errno);
  if (::fsync(fd_) != 0) return fail(errno);
  const int descriptor = fd_;
  fd_ = -1;
  if (::close(descriptor) != 0) return fail(errno);
  if (::rename(temporary_.c_str(), path_.c_str()) != 0) return fail(errno);
  temporary_.clear();
  return FileStatus::ok;
}

}  // namespace hollin
