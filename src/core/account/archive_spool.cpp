#include "core/account/archive_spool.h"

#include "core/async/background.h"
#include "core/async/errors.h"

#include <fcntl.h>
#include <glib/gstdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <vector>

namespace vesk {

namespace {

constexpr std::size_t copyChunk = 256 * 1024;

// The partial copies of a save are named after this pattern beside the destination; one
// left by a crash mid-copy is found again by its name.
constexpr std::string_view partialPrefix = ".vesk-archive-";
constexpr std::size_t partialSuffixLength = 6;  // the XXXXXX of mkstemp
// A copy in progress keeps its file's time fresh; one untouched this long was abandoned.
constexpr std::chrono::minutes abandonedAfter{10};

async::PlatformError fileError(int code, const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  return async::PlatformError(G_FILE_ERROR, g_file_error_from_errno(code),
                              "Could not save “" + name + "”: " + g_strerror(code) + ".");
}

async::PlatformError spoolError(int code) {
  return async::PlatformError(G_FILE_ERROR, g_file_error_from_errno(code),
                              std::string("Could not make room for the download: ") + g_strerror(code) + ".");
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

bool isPartialCopyName(std::string_view name) {
  if (!name.starts_with(partialPrefix) || name.size() != partialPrefix.size() + partialSuffixLength) return false;
  return std::all_of(name.begin() + partialPrefix.size(), name.end(),
                     [](char c) { return g_ascii_isalnum(c) || c == '_' || c == '-'; });
}

// Removes partial copies of ours that a crash left in `folder`: regular files of this
// user with our name that nobody has written to for a while. Best effort; nothing else
// in the folder is touched.
void removeAbandonedCopies(const std::string& folder) {
  std::error_code error;
  const auto now = std::filesystem::file_time_type::clock::now();
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!isPartialCopyName(entry.path().filename().string())) continue;
    struct stat status {};
    if (::lstat(entry.path().c_str(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::getuid())
      continue;
    const auto written = entry.last_write_time(error);
    if (error || now - written < abandonedAfter) continue;
    g_unlink(entry.path().c_str());
  }
}

// Writes the spool into a new file in the destination's folder, then moves it over the
// destination. Runs on a worker thread.
void copyInto(int source, const std::string& destination) {
  const std::string parent = std::filesystem::path(destination).parent_path().string();
  const std::string folder = parent.empty() ? std::string(".") : parent;
  removeAbandonedCopies(folder);
  std::string temporary = folder + "/" + std::string(partialPrefix) + "XXXXXX";
  Descriptor out(g_mkstemp_full(temporary.data(), O_WRONLY | O_CLOEXEC, 0666));
  if (out.get() < 0) throw fileError(errno, destination);
  const bool written = copyAll(source, out.get()) && ::fsync(out.get()) == 0 && out.close() == 0 &&
                       g_rename(temporary.c_str(), destination.c_str()) == 0;
  if (written) return;
  const int failure = errno;
  g_unlink(temporary.c_str());
  throw fileError(failure, destination);
}

}  // namespace

ArchiveSpool::ArchiveSpool(const std::string& folder) {
  if (g_mkdir_with_parents(folder.c_str(), 0700) != 0) throw spoolError(errno);
  std::string path = folder + "/vesk-archive-XXXXXX.part";
  descriptor_ = g_mkstemp_full(path.data(), O_RDWR | O_CLOEXEC, 0600);
  if (descriptor_ < 0) throw spoolError(errno);
  const auto file = glib::ObjectPtr<GFile>::adopt(g_file_new_for_path(path.c_str()));
  glib::ErrorSlot error;
  stream_ = glib::ObjectPtr<GFileIOStream>::adopt(g_file_open_readwrite(file.get(), nullptr, error.out()));
  // Both descriptors keep the file alive; without a name it goes when they close.
  g_unlink(path.c_str());
  if (error) {
    ::close(descriptor_);
    async::throwError(error.get());
  }
}

ArchiveSpool::~ArchiveSpool() {
  stream_ = {};
  ::close(descriptor_);
}

bool ArchiveSpool::startsWith(std::string_view signature) const {
  std::string start(signature.size(), '\0');
  const ssize_t read = ::pread(descriptor_, start.data(), start.size(), 0);
  return read == static_cast<ssize_t>(signature.size()) && start == signature;
}

async::Task<void> ArchiveSpool::saveAs(std::string destination) const {
  const int source = descriptor_;
  auto work = async::inBackground([source, &destination] { copyInto(source, destination); });
  co_await std::move(work);
}

}  // namespace vesk
