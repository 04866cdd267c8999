#include "core/account/archive_spool.h"

#include "core/async/background.h"
#include "core/async/errors.h"

#include <fcntl.h>
#include <glib/gstdio.h>
#include <unistd.h>

#include <cerrno>

namespace vesk {

namespace {

async::PlatformError spoolError(int code) {
  return async::PlatformError(G_FILE_ERROR, g_file_error_from_errno(code),
                              std::string("Could not make room for the download: ") + g_strerror(code) + ".");
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

async::Task<void> ArchiveSpool::saveAs(std::string destination, FileAccess access) const {
  const int source = descriptor_;
  auto work = async::inBackground([source, &destination, access] { copyFileAtomically(source, destination, access); });
  co_await std::move(work);
}

}  // namespace vesk
