#include "core/workspace/saved_run_file.h"

#include "core/platform/object_ptr.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <nlohmann/json.hpp>

#include <cerrno>
#include <stdexcept>

namespace vesk {

std::string SavedRunFile::pathFor(List list) const {
  glib::GFreePtr<char> path(g_build_filename(folder_.c_str(), list == List::sample ? sampleName : liveName, nullptr));
  return path.get();
}

std::string SavedRunFile::encode(const std::vector<SavedAudit>& runs) {
  nlohmann::json array = nlohmann::json::array();
  for (const auto& run : runs) array.push_back(run.toJson());
  return array.dump();
}

void SavedRunFile::write(const std::string& bytes, List list) const {
  if (g_mkdir_with_parents(folder_.c_str(), 0700) != 0) {
    const int code = errno;
    throw std::runtime_error("Could not create the folder “" + folder_ + "”: " + g_strerror(code));
  }
  glib::ErrorSlot error;
  if (!g_file_set_contents_full(pathFor(list).c_str(), bytes.data(), static_cast<gssize>(bytes.size()),
                                G_FILE_SET_CONTENTS_CONSISTENT, 0600, error.out()))
    throw std::runtime_error(error.message());
}

}  // namespace vesk
