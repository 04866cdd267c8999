#include "core/platform/atomic_file.h"

#include "core/async/errors.h"

#include <fcntl.h>
#include <glib.h>
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace vesk {

namespace {

constexpr std::size_t copyChunk = 256 * 1024;

// The new files of a save are named after this pattern beside the destination; one left
// by a crash mid-write is found again by its name.
constexpr std::string_view partialPrefix = ".vesk-partial-";
constexpr std::size_t partialSuffixLength = 6;  // the XXXXXX of mkstemp
// A write in progress keeps its file's time fresh; one untouched this long was abandoned.
constexpr std::chrono::minutes abandonedAfter{10};

async::PlatformError fileError(int code, const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  return async::PlatformError(G_FILE_ERROR, g_file_error_from_errno(code),
                              "Could not save “" + name + "”: " + g_strerror(code) + ".");
}

// A file descriptor closed when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, reporting the failure that a close can bring (a delayed write error).
  int close() { return ::close(std::exchange(fd_, -1)); }

 private:
  int fd_;
};

bool writeAll(int fd, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Copies everything `source` holds into `out`; false with errno set on failure.
bool copyAll(int source, int out) {
  std::vector<char> buffer(copyChunk);
  off_t offset = 0;
  while (true) {
    const ssize_t read = ::pread(source, buffer.data(), buffer.size(), offset);
    if (read < 0 && errno == EINTR) continue;
    if (read < 0) return false;
    if (read == 0) return true;
    if (!writeAll(out, buffer.data(), static_cast<std::size_t>(read))) return false;
    offset += read;
  }
}

bool isPartialName(std::string_view name) {
  if (!name.starts_with(partialPrefix) || name.size() != partialPrefix.size() + partialSuffixLength) return false;
  return std::all_of(name.begin() + partialPrefix.size(), name.end(),
                     [](char c) { return g_ascii_isalnum(c) || c == '_' || c == '-'; });
}

// Removes new files of ours that a crash left in `folder`: regular files of this user
// with our name that nobody has written to for a while. Best effort; nothing else in the
// folder is touched.
void removeAbandonedFiles(const std::string& folder) {
  std::error_code error;
  const auto now = std::filesystem::file_time_type::clock::now();
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!isPartialName(entry.path().filename().string())) continue;
    struct stat status {};
    if (::lstat(entry.path().c_str(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::getuid())
      continue;
    const auto written = entry.last_write_time(error);
    if (error || now - written < abandonedAfter) continue;
    g_unlink(entry.path().c_str());
  }
}

// Fills a new file in the destination's folder, gives it the permissions `access` asks
// for, then moves it over the destination.
void replaceFile(const std::string& destination, FileAccess access, const std::function<bool(int)>& fill) {
  const std::string parent = std::filesystem::path(destination).parent_path().string();
  const std::string folder = parent.empty() ? std::string(".") : parent;
  removeAbandonedFiles(folder);
  // The permissions of the file replaced, if it is one; a new file takes the umask's.
  std::optional<mode_t> kept;
  struct stat existing {};
  if (access == FileAccess::keepExisting && ::stat(destination.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
    kept = existing.st_mode & 0777;
  std::string temporary = folder + "/" + std::string(partialPrefix) + "XXXXXX";
  Descriptor out(g_mkstemp_full(temporary.data(), O_WRONLY | O_CLOEXEC, access == FileAccess::ownerOnly ? 0600 : 0666));
  if (out.get() < 0) throw fileError(errno, destination);
  // Keeping the old permissions is best effort: a file system that has none refuses.
  if (kept) static_cast<void>(::fchmod(out.get(), *kept));
  bool written = false;
  try {
    written = fill(out.get()) && ::fsync(out.get()) == 0 && out.close() == 0 &&
              g_rename(temporary.c_str(), destination.c_str()) == 0;
  } catch (...) {
    g_unlink(temporary.c_str());
    throw;
  }
  if (written) return;
  const int failure = errno;
  g_unlink(temporary.c_str());
  throw fileError(failure, destination);
}

}  // namespace

void writeFileAtomically(const std::string& path, std::string_view bytes, FileAccess access) {
  replaceFile(path, access, [bytes](int out) { return writeAll(out, bytes.data(), bytes.size()); });
}

void writeFileAtomicallyInPieces(const std::string& path, const PieceProducer& produce, FileAccess access) {
  // A write that fails ends the production; its errno is the failure reported.
  struct WriteFailed {
    int code;
  };
  replaceFile(path, access, [&produce](int out) {
    try {
      produce([out](std::string_view piece) {
        if (!writeAll(out, piece.data(), piece.size())) throw WriteFailed{errno};
      });
      return true;
    } catch (const WriteFailed& failure) {
      errno = failure.code;
      return false;
    }
  });
}

void copyFileAtomically(int source, const std::string& path, FileAccess access) {
  replaceFile(path, access, [source](int out) { return copyAll(source, out); });
}

}  // namespace vesk
