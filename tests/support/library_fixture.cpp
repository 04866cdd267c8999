#include "support/library_fixture.h"

#include <gtest/gtest.h>

namespace vesk::testing {

SavedAudit archiveRun(const std::string& id, const std::string& projectID, const std::string& projectName,
                      std::optional<bool> fixture) {
  return SavedAudit(id, projectID, projectName, "complete", "# " + id, "quick", fixture);
}

nlohmann::json runsJson(const std::vector<SavedAudit>& runs) {
  nlohmann::json list = nlohmann::json::array();
  for (const auto& run : runs) list.push_back(run.toJson());
  return list;
}

nlohmann::json projectsJson(const std::vector<LibraryProject>& projects) {
  nlohmann::json list = nlohmann::json::array();
  for (const auto& project : projects) list.push_back(project.toJson());
  return list;
}

std::string archivePage(const std::vector<SavedAudit>& runs, std::optional<std::int64_t> nextOffset) {
  nlohmann::json page{{"runs", runsJson(runs)}};
  if (nextOffset) page["nextOffset"] = *nextOffset;
  return page.dump();
}

LibraryFixture::LibraryFixture() = default;

void LibraryFixture::routePages(std::map<std::int64_t, Reply> pages) {
  service.on("GET", "/api/desktop/library", [pages = std::move(pages)](const RecordedRequest& request) {
    const std::string prefix = "limit=100&offset=";
    if (request.query && request.query->starts_with(prefix)) {
      const auto found = pages.find(std::stoll(request.query->substr(prefix.size())));
      if (found != pages.end()) return found->second;
    }
    return Reply::error(404, "No such page.");
  });
}

void LibraryFixture::routeLibrary(const std::vector<LibraryProject>& projects, const std::vector<SavedAudit>& runs) {
  service.reply("GET", "/api/desktop/projects",
                Reply::json(nlohmann::json{{"projects", projectsJson(projects)}}.dump()));
  routePages({{0, Reply::json(archivePage(runs, std::nullopt))}});
}

void LibraryFixture::routeProject(const LibraryProject& project, const std::vector<SavedAudit>& runs) {
  service.reply("GET", "/api/desktop/projects/" + project.id,
                Reply::json(nlohmann::json{{"project", project.toJson()}}.dump()));
  service.reply("GET", "/api/desktop/projects/" + project.id + "/runs",
                Reply::json(nlohmann::json{{"runs", runsJson(runs)}}.dump()));
}

void LibraryFixture::configure() {
  waitFor(state->configure(api(), LibrarySource::service, {}));
  ASSERT_FALSE(*state->busy);
  ASSERT_EQ(*state->error, std::nullopt);
}

std::vector<std::string> LibraryFixture::sent() const {
  std::vector<std::string> lines;
  for (const auto& request : service.requests())
    lines.push_back(request.method + " " + request.path + (request.query ? "?" + *request.query : ""));
  return lines;
}

}  // namespace vesk::testing
