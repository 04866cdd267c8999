#include "core/workspace/saved_run_file.h"

#include "core/platform/object_ptr.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <nlohmann/json.hpp>

#include <cerrno>
#include <stdexcept>

namespace vesk {

std::string SavedRunFile::pathFor(bool fixture) const {
  glib::GFreePtr<char> path(g_build_filename(folder_.c_str(), fixture ? sampleName : liveName, nullptr));
  return path.get();
}

void SavedRunFile::write(const std::vector<SavedAudit>& runs, bool fixture) const {
  if (g_mkdir_with_parents(folder_.c_str(), 0700) != 0) {
    const int code = errno;
    throw std::runtime_error("Could not create the folder “" + folder_ + "”: " + g_strerror(code));
  }
  nlohmann::json array = nlohmann::json::array();
  for (const auto& run : runs) array.push_back(run.toJson());
  const std::string bytes = array.dump();
  glib::ErrorSlot error;
  if (!g_file_set_contents_full(pathFor(fixture).c_str(), bytes.data(), static_cast<gssize>(bytes.size()),
                                G_FILE_SET_CONTENTS_CONSISTENT, 0600, error.out()))
    throw std::runtime_error(error.message());
}

}  // namespace vesk
