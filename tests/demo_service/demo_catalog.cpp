// The account, projects and runs the demo starts with: a few projects with saved runs of
// every status, timed relative to the moment it starts.
#include "demo_service/demo_core.h"
#include "demo_service/demo_evidence.h"
#include "demo_service/demo_writing.h"

#include <glib.h>

namespace vesk::demo {

namespace {

using namespace std::chrono_literals;
using Days = std::chrono::duration<std::int64_t, std::ratio<86400>>;

constexpr int weeklyReads = 120;

AuditAttachment pngAttachment(const std::string& filename, const std::string& png) {
  const glib::GFreePtr<gchar> data(g_base64_encode(reinterpret_cast<const guchar*>(png.data()), png.size()));
  return AuditAttachment(filename, "image/png", data.get());
}

class Seeder {
 public:
  explicit Seeder(DemoState& state) : state_(state) {}

  DemoProject& project(const std::string& name, const std::string& brief, const std::string& kind,
                       const std::string& intent, std::chrono::seconds age) {
    DemoProject project;
    project.id = freshId("prj_");
    project.name = name;
    project.brief = brief;
    project.kind = kind;
    project.intent = intent;
    project.createdAt = isoTimeAgo(age);
    state_.projects.push_back(std::move(project));
    return state_.projects.back();
  }

  // A run of the project, answered, with the given status; a complete one gets its report.
  DemoRun& run(const DemoProject& project, const std::string& mode, const std::string& status, std::chrono::seconds age,
               std::vector<std::string> urls) {
    DemoRun run;
    run.id = freshId("run_");
    run.projectId = project.id;
    run.mode = mode;
    run.status = status;
    run.urls = std::move(urls);
    run.input = project.brief;
    run.createdAt = isoTimeAgo(age);
    run.runNumber = state_.nextRunNumber(project.id);
    run.answers = {{"audience", {"First-time visitors"}}, {"goal", {"Sign up"}}, {"worry", {"The message is unclear"}}};
    state_.runs.push_back(std::move(run));
    DemoRun& added = state_.runs.back();
    if (status == "complete") finish(added);
    return added;
  }

  void finish(DemoRun& run) {
    const DemoRun* baseline = run.baselineRunId ? state_.run(*run.baselineRunId) : nullptr;
    run.output = writeReport(run, *state_.project(run.projectId), baseline);
  }

 private:
  DemoState& state_;
};

void seedNorthwind(Seeder& seed) {
  auto& project = seed.project("Northwind Coffee", "The landing page of our spring subscription launch.", "landing",
                               "redesign", Days(40));
  project.contextUrl = "https://northwind-coffee.example/";
  seed.run(project, "quick", "complete", Days(20), {"https://northwind-coffee.example/"});
  auto& first = seed.run(project, "full", "complete", Days(14),
                         {"https://northwind-coffee.example/", "https://northwind-coffee.example/subscribe"});
  first.sharedSlug = "northwind-spring-audit";
  const std::string baseline = first.id;
  auto& reaudit = seed.run(project, "full", "complete", Days(2),
                           {"https://northwind-coffee.example/", "https://northwind-coffee.example/subscribe"});
  reaudit.baselineRunId = baseline;
  reaudit.input = "After the new headline and a single sign-up button.";
  seed.finish(reaudit);
}

void seedLedgerly(Seeder& seed, const DemoTimeline& timeline) {
  const std::string screen = dashboardPng("ledgerly");
  auto& project = seed.project("Ledgerly dashboard", "The overview screen small-business owners see after sign-in.",
                               "dashboard", "redesign", Days(10));
  project.anchor = pngAttachment("ledgerly-overview.png", screen);
  auto& quick = seed.run(project, "quick", "discovery", Days(6), {});
  quick.attachments.push_back(pngAttachment("ledgerly-overview.png", screen));
  quick.status = "complete";
  seed.finish(quick);
  // A full audit under way: about a third done when the demo starts.
  auto& running = seed.run(project, "full", "running", 1min, {"https://app.ledgerly.example/overview"});
  running.attachments.push_back(pngAttachment("ledgerly-overview.png", screen));
  const auto head = timeline.duration("full") * 3 / 10;
  running.startedAt = Clock::now() - head;
  running.auditStartedAt =
      isoTime(std::chrono::system_clock::now() - std::chrono::duration_cast<std::chrono::seconds>(head));
}

void seedHarborAndPine(Seeder& seed) {
  auto& project = seed.project("Harbor & Pine checkout", "The three-step checkout of our furniture shop.", "landing",
                               "redesign", Days(5));
  project.failsFullAudits = true;
  auto& failed = seed.run(project, "full", "failed", Days(1), {"https://harborandpine.example/checkout"});
  failed.refundConfirmed = true;
  failed.scriptedFailure = true;
  // Waiting for its answers: answering and starting it shows a full audit that fails.
  auto& waiting = seed.run(project, "full", "discovery", 5min, {"https://harborandpine.example/checkout"});
  waiting.answers.clear();
  waiting.scriptedFailure = true;
}

void seedFieldnote(Seeder& seed) {
  auto& project = seed.project("Fieldnote onboarding", "A first-run flow for a note-taking app for field researchers.",
                               "dashboard", "new", Days(9));
  auto& historical = seed.run(project, "full", "complete", Days(8), {});
  historical.agent = "olva";
  seed.run(project, "quick", "complete", Days(3), {});
}

void seedWeeklyPulse(Seeder& seed) {
  auto& project =
      seed.project("Weekly pulse", "A quick read of our home page every Monday.", "landing", "redesign", Days(900));
  project.contextUrl = "https://pulse.example/";
  for (int week = weeklyReads; week >= 1; --week)
    seed.run(project, "quick", "complete", Days(30 + 7 * week), {"https://pulse.example/"});
}

}  // namespace

void seedCatalog(DemoState& state, const DemoTimeline& timeline) {
  state.account.freeWeekEndsAt = isoTime(std::chrono::system_clock::now() + Days(5));
  Seeder seed(state);
  seedWeeklyPulse(seed);
  seedNorthwind(seed);
  seedFieldnote(seed);
  seedHarborAndPine(seed);
  seedLedgerly(seed, timeline);
}

}  // namespace vesk::demo
