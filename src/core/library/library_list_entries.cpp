#include "core/library/library_list_entries.h"

#include "core/library/library_search_key.h"

#include <functional>
#include <string_view>

namespace vesk {

namespace {

// Mixes the hash of each field into one value: equal records give equal fingerprints.
class Fingerprint {
 public:
  Fingerprint& add(const std::string& text) {
    mix(std::hash<std::string>{}(text));
    mix(text.size());
    return *this;
  }
  Fingerprint& add(const SharedText& text) {
    mix(text.hash());
    mix(text.size());
    return *this;
  }
  Fingerprint& add(const std::optional<std::string>& text) {
    mix(text.has_value());
    return text ? add(*text) : *this;
  }
  Fingerprint& add(const std::optional<std::int64_t>& number) {
    mix(number.has_value());
    mix(static_cast<std::size_t>(number.value_or(0)));
    return *this;
  }
  std::size_t value() const { return value_; }

 private:
  void mix(std::size_t part) { value_ ^= part + 0x9e3779b97f4a7c15ULL + (value_ << 6) + (value_ >> 2); }
  std::size_t value_ = 0;
};

std::size_t fingerprintOf(const LibraryProject& project) {
  return Fingerprint()
      .add(project.name)
      .add(project.brief)
      .add(project.kind)
      .add(project.lastActivity)
      .add(project.runCount)
      .value();
}

std::size_t fingerprintOf(const SavedAudit& run) {
  return Fingerprint()
      .add(run.projectName)
      .add(run.status)
      .add(run.output)
      .add(run.auditMode)
      .add(run.createdAt)
      .add(run.input)
      .add(run.runNumber)
      .add(run.agent)
      .value();
}

LibraryProjectRow rowOf(const LibraryProject& project) {
  return LibraryProjectRow{
      project.id,
      project.name,
      project.brief,
      project.kind,
      libraryRunCount(project.runCount),
      project.lastActivity ? std::optional(libraryActivityLabel(*project.lastActivity)) : std::nullopt,
      librarySearchKey(project.name + " " + project.brief.value_or(""))};
}

LibraryRunRow rowOf(const SavedAudit& run) {
  // The key is folded from the bounded head of the report, not from a copy of all of it.
  std::string searched = run.projectName + " ";
  searched.append(run.output, 0, std::min(run.output.size(), librarySearchKeyLimit));
  return LibraryRunRow{run.id,
                       libraryRunTitle(run),
                       run.projectName,
                       libraryArchiveTitleTail(run),
                       libraryRunMeta(run),
                       libraryRunDate(run),
                       libraryDeleteRunName(run),
                       run.status == "running",
                       librarySearchKey(searched)};
}

}  // namespace

LibraryEntry LibraryRowCache::lookUp(std::unordered_map<std::string, Cached>& rows, const std::string& id,
                                     std::size_t fingerprint) {
  const auto found = rows.find(id);
  if (found == rows.end() || found->second.fingerprint != fingerprint) return nullptr;
  return found->second.entry;
}

LibraryEntry LibraryRowCache::projectRow(const LibraryProject& project) {
  const std::size_t fingerprint = fingerprintOf(project);
  if (auto entry = lookUp(projects_, project.id, fingerprint)) return entry;
  auto entry = std::make_shared<const LibraryListEntry>(rowOf(project));
  projects_[project.id] = Cached{fingerprint, entry};
  return entry;
}

LibraryEntry LibraryRowCache::runRow(const SavedAudit& run) {
  const std::size_t fingerprint = fingerprintOf(run);
  if (auto entry = lookUp(runs_, run.id, fingerprint)) return entry;
  auto entry = std::make_shared<const LibraryListEntry>(rowOf(run));
  runs_[run.id] = Cached{fingerprint, entry};
  return entry;
}

void LibraryRowCache::keepOnly(std::initializer_list<const std::vector<LibraryEntry>*> lists) {
  for (const auto* rows : lists)
    for (const auto& entry : *rows) {
      const bool run = std::holds_alternative<LibraryRunRow>(*entry);
      const std::string& id = run ? std::get<LibraryRunRow>(*entry).id : std::get<LibraryProjectRow>(*entry).id;
      auto& cached = run ? runs_ : projects_;
      if (const auto found = cached.find(id); found != cached.end() && found->second.entry == entry)
        found->second.kept = true;
    }
  for (auto* rows : {&projects_, &runs_}) {
    std::erase_if(*rows, [](const auto& item) { return !item.second.kept; });
    for (auto& item : *rows) item.second.kept = false;
  }
}

}  // namespace vesk
