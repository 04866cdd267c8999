#pragma once
// A regular file opened for a bounded read. Opening never blocks and never follows a
// path into something that is not a regular file (a FIFO, a device, a directory), so
// such a path fails at once instead of hanging or reading without end. Blocking work:
// call it off the main loop.
//
// Failures are async::PlatformError with a G_IO_ERROR code and a message worded like
// GIO's own; a cancelled read throws async::Cancelled.
#include <gio/gio.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace vesk {

class RegularFile {
 public:
  static RegularFile open(const std::filesystem::path& path);

  RegularFile(RegularFile&& other) noexcept;
  RegularFile& operator=(RegularFile&&) = delete;
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;
  ~RegularFile();

  // The size the file system reported when the file was opened.
  std::uint64_t size() const { return size_; }

  // Reads from the start until the end of the file or until `maxBytes` bytes, whichever
  // comes first; the file may have changed since it was opened. Checks `cancellable`
  // (may be null) between chunks.
  std::string readAtMost(std::size_t maxBytes, GCancellable* cancellable) const;

 private:
  RegularFile(std::filesystem::path path, int descriptor, std::uint64_t size);

  std::filesystem::path path_;
  int descriptor_;
  std::uint64_t size_;
};

}  // namespace vesk
