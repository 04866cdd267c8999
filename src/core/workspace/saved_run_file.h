#pragma once
// The saved-run list on disk: a JSON array of saved runs in the support folder, written
// atomically and readable only by its owner. The application never reads it back.
//
// Reports can run to tens of megabytes, so the list is encoded in pieces: neither its
// JSON document nor its text is ever whole in memory.
#include "core/records/run_records.h"
#include "core/text/json_string_pieces.h"

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

  // The bytes of the file that holds `runs`, given to `sink` in pieces of a few dozen
  // kilobytes. Throws the JSON library's error on text that is not UTF-8.
  static void encodeInPieces(const std::vector<SavedAudit>& runs, const TextSink& sink);
  // The same bytes whole.
  static std::string encode(const std::vector<SavedAudit>& runs);
  // Writes `runs` as the live or sample list, creating the folder when needed. Throws
  // std::runtime_error with the platform's description when the folder or the file
  // cannot be written.
  void write(const std::vector<SavedAudit>& runs, List list) const;

 private:
  std::string folder_;
};

}  // namespace vesk
