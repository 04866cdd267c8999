#include "core/workspace/saved_run_file.h"

#include "core/platform/atomic_file.h"
#include "core/platform/object_ptr.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <nlohmann/json.hpp>

#include <cerrno>
#include <stdexcept>
#include <utility>

namespace vesk {

namespace {

constexpr std::size_t pieceSize = 64 * 1024;

// Gathers small pieces so that the sink sees few, large ones.
class PieceGatherer {
 public:
  explicit PieceGatherer(const TextSink& sink) : sink_(sink) { pending_.reserve(pieceSize); }
  void add(std::string_view piece) {
    if (pending_.size() + piece.size() > pieceSize) flush();
    if (piece.size() >= pieceSize)
      sink_(piece);
    else
      pending_.append(piece);
  }
  void flush() {
    if (!pending_.empty()) sink_(pending_);
    pending_.clear();
  }

 private:
  const TextSink& sink_;
  std::string pending_;
};

// One run as the JSON library writes its object (members in the library's order), with
// the report text escaped straight from the run rather than from a copy.
void encodeRun(const SavedAudit& run, PieceGatherer& out) {
  const TextSink add = [&out](std::string_view piece) { out.add(piece); };
  const auto members = run.toJsonLeavingOutputEmpty();
  out.add("{");
  bool first = true;
  for (const auto& member : members.items()) {
    if (!std::exchange(first, false)) out.add(",");
    writeJsonString(member.key(), add);
    out.add(":");
    if (member.key() == "output")
      writeJsonString(run.output.str(), add);
    else
      out.add(member.value().dump());
  }
  out.add("}");
}

}  // namespace

std::string SavedRunFile::pathFor(List list) const {
  glib::GFreePtr<char> path(g_build_filename(folder_.c_str(), list == List::sample ? sampleName : liveName, nullptr));
  return path.get();
}

void SavedRunFile::encodeInPieces(const std::vector<SavedAudit>& runs, const TextSink& sink) {
  PieceGatherer out(sink);
  out.add("[");
  bool first = true;
  for (const auto& run : runs) {
    if (!std::exchange(first, false)) out.add(",");
    encodeRun(run, out);
  }
  out.add("]");
  out.flush();
}

std::string SavedRunFile::encode(const std::vector<SavedAudit>& runs) {
  std::string bytes;
  encodeInPieces(runs, [&bytes](std::string_view piece) { bytes.append(piece); });
  return bytes;
}

void SavedRunFile::write(const std::vector<SavedAudit>& runs, List list) const {
  if (g_mkdir_with_parents(folder_.c_str(), 0700) != 0) {
    const int code = errno;
    throw std::runtime_error("Could not create the folder “" + folder_ + "”: " + g_strerror(code));
  }
  writeFileAtomicallyInPieces(
      pathFor(list), [&runs](const TextSink& sink) { encodeInPieces(runs, sink); }, FileAccess::ownerOnly);
}

}  // namespace vesk
