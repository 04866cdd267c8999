#include "core/library/library_list_contents.h"

#include "core/library/library_search_key.h"

namespace vesk {

namespace {

const std::string& searchKeyOf(const LibraryListEntry& entry) {
  if (const auto* project = std::get_if<LibraryProjectRow>(&entry)) return project->searchKey;
  return std::get<LibraryRunRow>(entry).searchKey;
}

bool passesKind(const LibraryListEntry& entry, const std::string& kind) {
  const auto* project = std::get_if<LibraryProjectRow>(&entry);
  return !project || kind == "all" || project->kind == kind;
}

}  // namespace

void LibraryListContents::setProjects(const std::vector<LibraryProject>& projects) {
  projects_.clear();
  projects_.reserve(projects.size());
  for (const auto& project : projects) projects_.push_back(cache_.projectRow(project));
  recordsChanged();
}

void LibraryListContents::setArchive(const std::vector<SavedAudit>& runs) {
  archive_.clear();
  archive_.reserve(runs.size());
  for (const auto& run : runs) archive_.push_back(cache_.runRow(run));
  recordsChanged();
}

void LibraryListContents::setOpenRuns(const std::vector<SavedAudit>& runs) {
  openRuns_.clear();
  openRuns_.reserve(runs.size());
  for (const auto& run : runs) openRuns_.push_back(cache_.runRow(run));
  recordsChanged();
}

void LibraryListContents::recordsChanged() {
  ++records_;
  // Keeps every row still listed anywhere: switching views folds nothing again.
  cache_.keepOnly({&projects_, &archive_, &openRuns_});
}

const std::vector<LibraryEntry>& LibraryListContents::rowsOf(LibraryView view) const {
  switch (view) {
    case LibraryView::archive: return archive_;
    case LibraryView::openProject: return openRuns_;
    case LibraryView::projects: break;
  }
  return projects_;
}

std::vector<LibraryEntry> LibraryListContents::filter(const Query& query,
                                                      const std::vector<LibraryEntry>& candidates) const {
  const LibrarySearch search(query.search);
  std::vector<LibraryEntry> kept;
  for (const auto& entry : candidates)
    if (passesKind(*entry, query.kind) && search.matches(searchKeyOf(*entry))) kept.push_back(entry);
  return kept;
}

void LibraryListContents::update(const Query& query) {
  if (filtered_.query == query && filtered_.records == records_) return;
  // A search that grows (or keeps) the previous one matches a subset of its matches.
  const bool narrowing =
      filtered_.query && filtered_.records == records_ && filtered_.query->view == query.view &&
      filtered_.query->kind == query.kind && filtered_.query->open == query.open &&
      LibrarySearch(query.search).needle().find(LibrarySearch(filtered_.query->search).needle()) != std::string::npos;
  auto rows = filter(query, narrowing ? filtered_.rows : rowsOf(query.view));
  filtered_ = Filtered{query, records_, std::move(rows)};

  std::vector<LibraryEntry> entries;
  entries.reserve(filtered_.rows.size() + 2);
  if (auto detail = detailEntry(query)) entries.push_back(std::move(detail));
  if (auto empty = emptyEntry(query, filtered_.rows.size())) entries.push_back(std::move(empty));
  entries.insert(entries.end(), filtered_.rows.begin(), filtered_.rows.end());
  if (entries != entries_) {
    entries_ = std::move(entries);
    ++generation_;
  }
}

LibraryEntry LibraryListContents::detailEntry(const Query& query) {
  if (query.view != LibraryView::openProject || !query.open) return nullptr;
  const auto* shown = detail_ ? std::get_if<LibraryDetailEntry>(detail_.get()) : nullptr;
  if (!shown || !(shown->project == *query.open))
    detail_ = std::make_shared<const LibraryListEntry>(LibraryDetailEntry{*query.open});
  return detail_;
}

LibraryEntry LibraryListContents::emptyEntry(const Query& query, std::size_t shown) {
  const auto empty = query.view == LibraryView::projects ? projectsEmptyState(shown, query.kind, query.search)
                                                         : runsEmptyState(shown, query.search);
  if (!empty) return nullptr;
  const auto* drawn = empty_ ? std::get_if<LibraryEmptyState>(empty_.get()) : nullptr;
  if (!drawn || !(*drawn == *empty)) empty_ = std::make_shared<const LibraryListEntry>(*empty);
  return empty_;
}

std::size_t LibraryListContents::projectsMatching(const std::string& kind, const std::string& search) const {
  Query query;
  query.kind = kind;
  query.search = search;
  return filter(query, projects_).size();
}

const std::vector<LibraryEntry>& LibraryListContents::entries(const Query& query) {
  update(query);
  return entries_;
}

std::size_t LibraryListContents::shownCount(const Query& query) {
  update(query);
  return filtered_.rows.size();
}

}  // namespace vesk
