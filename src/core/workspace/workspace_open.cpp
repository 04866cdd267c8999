// Workspace: opening a saved run and exporting its PDF.
#include "core/account/archive_spool.h"
#include "core/text/safe_file_name.h"
#include "core/workspace/save_dialog.h"
#include "core/workspace/workspace.h"

#include <glib.h>

namespace vesk {

namespace {

// A report's PDF is a few megabytes; anything past this is not one, and would only fill
// the user's disk while the download's deadline lasts.
constexpr std::size_t largestPdf = std::size_t(256) * 1024 * 1024;

// The file name proposed for a run's PDF. Characters a file name cannot hold are
// replaced, and a long name cut, in the proposal only; the project keeps its name.
std::string proposedPdfName(const std::string& projectName) {
  return safeFileName("Vesk — " + projectName + ".pdf", "Vesk.pdf");
}

}  // namespace

void Workspace::openReport(const SavedAudit& run) {
  const bool reopening = isOpenRun(run.id);
  if (!canNavigateToAnotherRun() && !reopening) return;
  if (!reopening) {
    renewGeneration();
    watcher_.current().cancel();
    continuationInFlight_ = false;
    busy = false;
    liveProgress = std::nullopt;
    quickRetryable = false;
    answers.set({});
    confirmed = false;
    // The previous run's questions must never be answered for this one; a run in
    // discovery gets its own back from the reconcile below.
    questions.set({});
  }
  projectName = run.projectName;
  projectID_ = run.projectId;
  current = run;
  auditMode = run.auditMode.value_or("quick");
  if (run.fixture.value_or(false)) {
    screen = run.status == "complete" ? Screen::report : Screen::progress;
    return;
  }
  if (run.status == "complete") {
    screen = Screen::report;
  } else if (run.status == "discovery") {
    screen = Screen::discovery;
  } else {
    screen = Screen::progress;
  }
  async::spawn(openTask(shared_from_this(), run));
}

async::Task<void> Workspace::openTask(std::shared_ptr<Workspace> self, SavedAudit run) {
  co_await self->reconcile(run.id);
  // No generation check: watch() runs only while this run is still the open one and
  // still running, whoever opened it.
  if (self->isOpenRun(run.id) && (*self->current)->status == "running") self->watch(run.id);
}

void Workspace::exportPDF() {
  if (exportRunning_) return;
  const auto client = api();
  if (*fixture || !current->has_value() || (*current)->status != "complete" || !client) {
    error = std::string(
        "Completed sample reports can be printed with Ctrl+P. Only completed live reports can be exported.");
    return;
  }
  exportRunning_ = true;
  export_ = async::spawn(exportTask(shared_from_this(), *client, **current, sessionGeneration_));
}

void Workspace::endExport() {
  export_.cancel();
  export_ = {};
  exportRunning_ = false;
}

// The report belongs to the session that asked for it: once the user signs out or
// connects again, nothing more of it is offered or written, not even its failure.
async::Task<void> Workspace::exportTask(std::shared_ptr<Workspace> self, DesktopAPI client, SavedAudit run,
                                        std::string session) {
  struct Finish {
    Workspace& workspace;
    const std::string& session;
    ~Finish() {
      if (workspace.isSessionCurrent(session)) workspace.exportRunning_ = false;
    }
  } finish{*self, session};
  try {
    // The file never sits in memory: it arrives in a spool file and is copied from
    // there, off the main loop, into the place the user chooses.
    const ArchiveSpool spool;
    co_await client.downloadInto("runs/" + DesktopAPI::pathIdentifier(run.id) + "/pdf", spool.output(), Auth::bearer,
                                 largestPdf);
    if (!self->isSessionCurrent(session)) co_return;
    // Only the signature is checked (a sign-in page is refused); the rest is kept as it came.
    if (!spool.startsWith("%PDF-")) throw DecodingError("the PDF download does not begin with %PDF-");
    const auto destination = co_await self->saveDialog_->choosePdfDestination(proposedPdfName(run.projectName));
    if (!self->isSessionCurrent(session) || !destination) co_return;
    co_await spool.saveAs(*destination);
  } catch (const async::Cancelled&) {
    co_return;
  } catch (const std::exception& failure) {
    if (self->isSessionCurrent(session)) self->error = std::string(failure.what());
  }
}

}  // namespace vesk
