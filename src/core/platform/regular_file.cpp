#include "core/platform/regular_file.h"

#include "core/async/errors.h"
#include "core/platform/object_ptr.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace vesk {

namespace {

constexpr std::size_t chunkSize = 64 * 1024;

std::string displayName(const std::filesystem::path& path) {
  const glib::GFreePtr<char> name(g_filename_display_name(path.c_str()));
  return name.get();
}

[[noreturn]] void fail(GIOErrorEnum code, const std::string& what, const std::filesystem::path& path,
                       const std::string& reason) {
  throw async::PlatformError(G_IO_ERROR, code, what + " “" + displayName(path) + "”: " + reason);
}

[[noreturn]] void failWithErrno(int error, const std::string& what, const std::filesystem::path& path) {
  fail(g_io_error_from_errno(error), what, path, g_strerror(error));
}

}  // namespace

RegularFile::RegularFile(std::filesystem::path path, int descriptor, std::uint64_t size)
    : path_(std::move(path)), descriptor_(descriptor), size_(size) {}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : path_(std::move(other.path_)), descriptor_(std::exchange(other.descriptor_, -1)), size_(other.size_) {}

RegularFile::~RegularFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

RegularFile RegularFile::open(const std::filesystem::path& path) {
  // Non-blocking, so opening a FIFO without a writer returns at once and fstat can
  // refuse it; for a regular file the flag changes nothing.
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) failWithErrno(errno, "Error opening file", path);
  RegularFile file(path, descriptor, 0);
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) failWithErrno(errno, "Error when getting information for file", path);
  if (S_ISDIR(status.st_mode)) failWithErrno(EISDIR, "Error opening file", path);
  if (!S_ISREG(status.st_mode)) fail(G_IO_ERROR_NOT_REGULAR_FILE, "Error opening file", path, "Not a regular file");
  file.size_ = static_cast<std::uint64_t>(status.st_size);
  return file;
}

std::string RegularFile::readAtMost(std::size_t maxBytes, GCancellable* cancellable) const {
  std::string bytes;
  std::size_t filled = 0;
  while (filled < maxBytes) {
    if (cancellable && g_cancellable_is_cancelled(cancellable)) throw async::Cancelled();
    const std::size_t wanted = std::min(chunkSize, maxBytes - filled);
    bytes.resize(filled + wanted);
    const ssize_t got = ::pread(descriptor_, bytes.data() + filled, wanted, static_cast<off_t>(filled));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failWithErrno(errno, "Error reading from file", path_);
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return bytes;
}

}  // namespace vesk
