// Workspace: the local preview run of a fixture account. Steps through its stage texts
// at a fixed pace and completes with a built-in sample report; sends nothing.
#include "core/async/sleep.h"
#include "core/workspace/preview_samples.h"
#include "core/workspace/workspace.h"

namespace vesk {

namespace {
constexpr auto stageTime = std::chrono::milliseconds(1200);
constexpr auto lostConnectionStep = std::chrono::milliseconds(200);
}  // namespace

async::Task<void> Workspace::playPreview(SavedAudit run, std::string generation) {
  const auto stageCount = stages().size();
  try {
    for (std::size_t stage = 0; stage < stageCount; ++stage) {
      progress = static_cast<int>(stage);
      co_await async::sleep(stageTime);
      while (*connectionLost) co_await async::sleep(lostConnectionStep);
    }
  } catch (const async::Cancelled&) {
    if (isCurrent(generation) && isOpenRun(run.id)) {
      auto cancelled = **current;
      cancelled.status = "cancelled";
      current = std::move(cancelled);
      remember();
    }
    if (isCurrent(generation)) busy = false;
    co_return;
  }
  if (isCurrent(generation) && isOpenRun(run.id)) {
    auto complete = **current;
    complete.status = "complete";
    complete.output = std::string(run.auditMode == std::optional<std::string>("quick") ? preview::quickReadSample
                                                                                       : preview::fullAuditSample);
    current = std::move(complete);
    remember();
    screen = Screen::report;
  }
  if (isCurrent(generation)) busy = false;
}

}  // namespace vesk
