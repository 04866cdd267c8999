#include "support/report_harness.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vesk::testing {

SavedAudit reportRun(const std::string& id, const std::string& status, const std::string& mode,
                     std::optional<std::string> agent) {
  return SavedAudit(id, "P", "Landing page", status, "# Report\n\nFindings.", mode, std::nullopt,
                    std::string("2024-05-01T10:00:00Z"), std::nullopt, std::string("https://example.com"), 3,
                    std::move(agent));
}

ReportHarness::ReportHarness() : state(std::make_unique<ReportState>(ReportState::Environment{dialog, clipboard})) {}

ReportHarness::~ReportHarness() = default;

void ReportHarness::routeRun(const std::string& id, const nlohmann::json& detail, const nlohmann::json& share) {
  service.reply("GET", desktop("runs/" + id), Reply::json(detail.dump()));
  service.reply("GET", desktop("runs/" + id + "/share"), Reply::json(share.dump()));
}

void ReportHarness::bindLoaded(const SavedAudit& run, const std::string& token) {
  state->configure(api(token), run, ReportMode::live);
  settle();
  if (*state->loadingDetails) throw std::runtime_error("the detail did not finish loading");
}

void ReportHarness::settle() {
  if (!runUntil([&] { return state->runningTasks() == 0; })) throw std::runtime_error("report tasks did not end");
}

std::string ReportHarness::readFile(const std::string& path) const {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

}  // namespace vesk::testing
