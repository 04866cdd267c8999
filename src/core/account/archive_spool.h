#pragma once
// A download (the account archive, a run's PDF) while it arrives and while the user
// chooses where to keep it: an unnamed temporary file, so a file of any size never sits
// in memory and nothing is left behind however the export ends.
#include "core/async/task.h"
#include "core/platform/atomic_file.h"
#include "core/platform/object_ptr.h"

#include <gio/gio.h>

#include <string>
#include <string_view>

namespace vesk {

class ArchiveSpool {
 public:
  // Makes the file in `folder` (created if missing); throws async::PlatformError when it
  // cannot. The user's cache folder by default: it is meant for such files and, unlike
  // the temporary folder, is seldom kept in memory.
  explicit ArchiveSpool(const std::string& folder = g_get_user_cache_dir());
  ~ArchiveSpool();
  ArchiveSpool(const ArchiveSpool&) = delete;
  ArchiveSpool& operator=(const ArchiveSpool&) = delete;

  // Where the download is written.
  GOutputStream* output() const { return g_io_stream_get_output_stream(G_IO_STREAM(stream_.get())); }

  // Whether what arrived begins with `signature` (a file type's magic bytes: "PK" for a
  // ZIP archive, "%PDF-" for a PDF).
  bool startsWith(std::string_view signature) const;

  // Copies what arrived to `destination` on a worker thread, atomically
  // (copyFileAtomically), with the permissions `access` asks for. Throws
  // async::PlatformError naming the file when it cannot be written.
  async::Task<void> saveAs(std::string destination, FileAccess access = FileAccess::keepExisting) const;

 private:
  int descriptor_ = -1;  // for reading back; the stream below has its own for writing
  glib::ObjectPtr<GFileIOStream> stream_;
};

}  // namespace vesk
