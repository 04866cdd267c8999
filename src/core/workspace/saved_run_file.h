#pragma once
// The saved-run list on disk: a JSON array of saved runs in the support folder, written
// atomically and readable only by its owner. The application never reads it back.
#include "core/records/run_records.h"

#include <string>
#include <vector>

namespace vesk {

class SavedRunFile {
 public:
  static constexpr const char* liveName = "live-reports.json";
  static constexpr const char* sampleName = "sample-reports.json";
  // The list of the live service's runs, or the one of a local preview account.
  enum class List { live, sample };

  explicit SavedRunFile(std::string folder) : folder_(std::move(folder)) {}

  const std::string& folder() const { return folder_; }
  std::string pathFor(List list) const;

  // The bytes of the file that holds `runs`.
  static std::string encode(const std::vector<SavedAudit>& runs);
  // Writes encoded runs as the live or sample list, creating the folder when needed.
  // Throws std::runtime_error with the platform's description when the folder or the
  // file cannot be written.
  void write(const std::string& bytes, List list) const;

 private:
  std::string folder_;
};

}  // namespace vesk
