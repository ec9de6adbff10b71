#include "record_io/byte_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace record_io {
namespace {

/// A file descriptor. Reads and writes are retried after interruptions;
/// `owned` descriptors are closed with the stream.
class DescriptorStream final : public ByteStream {
 public:
  DescriptorStream(int descriptor, bool owned, bool regular_file)
      : descriptor_(descriptor), owned_(owned), regular_file_(regular_file) {}
  ~DescriptorStream() override {
    if (owned_ && descriptor_ >= 0) ::close(descriptor_);
  }

  int read(char* buffer, std::size_t size, std::size_t& count) override {
    count = 0;
    for (;;) {
      const ssize_t got = ::read(descriptor_, buffer, size);
      if (got >= 0) {
        count = static_cast<std::size_t>(got);
        return 0;
      }
      if (errno != EINTR) return errno;
    }
  }

  int write(const char* data, std::size_t size) override {
    while (size > 0) {
      const ssize_t put = ::write(descriptor_, data, std::min<std::size_t>(size, SSIZE_MAX));
      if (put < 0) {
        if (errno == EINTR) continue;
        return errno;
      }
      written_ += static_cast<std::size_t>(put);
      data += put;
      size -= static_cast<std::size_t>(put);
    }
    return 0;
  }

  int close(bool cut_after_written) override {
    int error = 0;
    if (cut_after_written && regular_file_ && written_ > 0 &&
        ::ftruncate(descriptor_, static_cast<off_t>(written_)) != 0) {
      error = errno;
    }
    if (owned_) {
      if (::close(descriptor_) != 0 && error == 0 && errno != EINTR) {
        error = errno;
      }
      descriptor_ = -1;
    }
    return error;
  }

 private:
  int descriptor_;
  bool owned_;
  bool regular_file_;
  std::size_t written_ = 0;
};

/// A file of a MemoryFileSystem, written from its start like a file on disk.
class MemoryFileStream final : public ByteStream {
 public:
  MemoryFileStream(MemoryFileSystem& owner, std::string& contents)
      : owner_(owner), contents_(contents) {}

  int read(char* buffer, std::size_t size, std::size_t& count) override {
    count = std::min(size, contents_.size() - std::min(read_, contents_.size()));
    std::memcpy(buffer, contents_.data() + read_, count);
    read_ += count;
    return 0;
  }

  int write(const char* data, std::size_t size) override {
    if (owner_.write_error != 0) return owner_.write_error;
    if (written_ + size > contents_.size()) contents_.resize(written_ + size);
    std::memcpy(contents_.data() + written_, data, size);
    written_ += size;
    return 0;
  }

  int close(bool cut_after_written) override {
    if (cut_after_written && written_ > 0) contents_.resize(written_);
    return 0;
  }

 private:
  MemoryFileSystem& owner_;
  std::string& contents_;
  std::size_t read_ = 0;
  std::size_t written_ = 0;
};

}  // namespace

std::unique_ptr<ByteStream> make_descriptor_stream(int descriptor) {
  return std::make_unique<DescriptorStream>(descriptor, false, false);
}

std::unique_ptr<ByteStream> OsFileSystem::open(const std::string& path, OpenStatus status,
                                               int& error) {
  // Files named for reading are opened read-only, so that no run can modify
  // a settings or data file. The open does not wait: a pipe without a writer
  // then reads as an empty file, and one without a reader is refused, where
  // a blocking open would hang the run.
  const int flags =
      O_CLOEXEC | O_NONBLOCK | (status == OpenStatus::old_file ? O_RDONLY : O_WRONLY | O_CREAT);
  const int descriptor = ::open(path.c_str(), flags, 0666);
  if (descriptor < 0) {
    error = errno;
    return nullptr;
  }
  const int descriptor_flags = ::fcntl(descriptor, F_GETFL);
  if (descriptor_flags == -1 ||
      ::fcntl(descriptor, F_SETFL, descriptor_flags & ~O_NONBLOCK) == -1) {
    error = errno;
    ::close(descriptor);
    return nullptr;
  }
  struct stat info {};
  if (::fstat(descriptor, &info) != 0 || S_ISDIR(info.st_mode)) {
    error = S_ISDIR(info.st_mode) ? EISDIR : errno;
    ::close(descriptor);
    return nullptr;
  }
  // The open for writing neither truncates nor, for a file that exists,
  // creates anything, so refusing a file read here leaves it untouched.
  const Identity identity{info.st_dev, info.st_ino};
  const bool read_before = was_read(identity);
  if (status == OpenStatus::old_file) {
    // A batch reads the same files again and again; each is kept once.
    if (!read_before) files_read_.push_back(identity);
  } else if (read_before) {
    ::close(descriptor);
    error = EACCES;
    return nullptr;
  }
  error = 0;
  return std::make_unique<DescriptorStream>(descriptor, true, S_ISREG(info.st_mode));
}

bool OsFileSystem::was_read(const Identity& identity) const {
  return std::find(files_read_.begin(), files_read_.end(), identity) != files_read_.end();
}

bool OsFileSystem::refuses_writing(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) || was_read(Identity{info.st_dev, info.st_ino});
}

bool OsFileSystem::exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

std::string OsFileSystem::full_path(const std::string& path) {
  std::error_code ignored;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
  return absolute.empty() ? path : absolute.lexically_normal().string();
}

std::unique_ptr<ByteStream> MemoryFileSystem::open(const std::string& path, OpenStatus status,
                                                   int& error) {
  if (status == OpenStatus::unknown_file && files_read_.contains(path)) {
    error = EACCES;
    return nullptr;
  }
  auto found = files.find(path);
  if (found == files.end()) {
    if (status == OpenStatus::old_file) {
      error = ENOENT;
      return nullptr;
    }
    found = files.emplace(path, std::string{}).first;
  }
  if (status == OpenStatus::old_file) files_read_.emplace(path);
  error = 0;
  return std::make_unique<MemoryFileStream>(*this, found->second);
}

bool MemoryFileSystem::exists(const std::string& path) { return files.contains(path); }

std::string MemoryFileSystem::full_path(const std::string& path) { return path; }

bool MemoryFileSystem::refuses_writing(const std::string& path) {
  return files_read_.contains(path);
}

int MemoryStream::read(char* buffer, std::size_t size, std::size_t& count) {
  count = std::min(size, input.size() - std::min(read_position, input.size()));
  std::memcpy(buffer, input.data() + read_position, count);
  read_position += count;
  return 0;
}

int MemoryStream::write(const char* data, std::size_t size) {
  output.append(data, size);
  return 0;
}

}  // namespace record_io
