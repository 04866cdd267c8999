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

  explicit SavedRunFile(std::string folder) : folder_(std::move(folder)) {}

  const std::string& folder() const { return folder_; }
  std::string pathFor(bool fixture) const;

  // Writes `runs` to the live or sample list. Throws std::runtime_error with the
  // platform's description when the folder or the file cannot be written.
  void write(const std::vector<SavedAudit>& runs, bool fixture) const;

 private:
  std::string folder_;
};

}  // namespace vesk
