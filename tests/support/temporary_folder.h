#pragma once
// A fresh folder of its own under the system's temporary folder, removed with all it
// holds when the object goes.
#include <glib.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace vesk::testing {

class TemporaryFolder {
 public:
  TemporaryFolder() {
    char* made = g_dir_make_tmp("vesk-test-XXXXXX", nullptr);
    if (!made) throw std::runtime_error("no temporary folder");
    path_ = made;
    g_free(made);
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace vesk::testing
