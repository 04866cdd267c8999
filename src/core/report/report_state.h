#pragma once
// The state of one open report: the saved run the reader shows, what the service adds to
// it (sources, attached files, share link, the run it was derived from), the flags and
// sentences the report's panels show while something loads or changes, and the earlier
// full audits a comparison can start from. The report screen owns one and binds it to
// the workspace's open run; the composer owns another for its comparison chooser.
//
// Lives on the main thread. Every task it starts is its own (OwnedTasks): destroying the
// state cancels them, and after each suspension a task writes only while the state is
// alive and still on the binding (generation) the task started under.
#include "core/api/desktop_api.h"
#include "core/async/owned_tasks.h"
#include "core/records/library_records.h"
#include "core/records/run_records.h"
#include "core/report/report_records.h"
#include "core/report/report_source_preview.h"
#include "core/workspace/published.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

class Clipboard;
class SaveDialog;

// Whether the state talks to the service or shows a local sample, which sends nothing.
enum class ReportMode { live, localPreview };

class ReportState {
 public:
  // The desktop's save panel and clipboard (both required); tests pass fakes.
  struct Environment {
    std::shared_ptr<SaveDialog> saveDialog;
    std::shared_ptr<Clipboard> clipboard;
  };
  // What a change works with: the client, the open run and the binding it started under.
  struct ChangeContext {
    DesktopAPI api;
    SavedAudit run;
    std::uint64_t generation = 0;
  };

  explicit ReportState(Environment environment);
  ~ReportState();
  ReportState(const ReportState&) = delete;
  ReportState& operator=(const ReportState&) = delete;

  // Published state, in declaration order.
  Published<std::optional<SavedAudit>> report;
  Published<bool> busy{false};
  Published<std::optional<std::string>> error;
  Published<std::optional<std::string>> message;
  Published<std::optional<std::string>> sharedSlug;
  Published<std::optional<SavedAudit>> createdRun;
  Published<std::string> input;
  Published<std::vector<ReportSourceURL>> sources;
  Published<std::vector<ReportSourceAttachment>> attachments;
  Published<std::vector<ReportBaseline>> baselines;
  Published<std::optional<std::string>> baselineError;
  Published<bool> loadingBaselines{false};
  Published<bool> loadingDetails{false};
  Published<std::optional<std::string>> originalReviewID;
  Published<std::optional<ReportSourcePreview>> sourcePreview;

  // Derived values, worked out on every read.
  bool complete() const;
  bool isVesk() const;
  bool discussion() const;
  std::optional<std::string> shareURL() const;
  std::string markdown() const;

  // Plain state.
  const std::optional<DesktopAPI>& api() const { return api_; }
  bool isLocalPreview() const { return fixture_; }
  const std::optional<std::string>& comparisonProjectID() const { return comparisonProjectID_; }
  std::uint64_t generation() const { return generation_; }
  int mutationRevision() const { return mutationRevision_; }
  const async::TaskSlot& operationSlot() const { return operation_; }
  // How many of the state's tasks have not ended yet.
  std::size_t runningTasks() const { return tasks_.running(); }

  // Binding a run and loading its detail. reload() starts a task of the state's own and
  // returns it for waiting (empty when nothing is sent); failures land in `error`.
  void configure(std::optional<DesktopAPI> api, const SavedAudit& run, ReportMode mode);
  async::TaskRef reload();
  // The precondition of a change: the context, or nothing with the refusal in `error`.
  std::optional<ChangeContext> context();
  void prepareComparison(std::optional<DesktopAPI> api, std::string projectID, ReportMode mode);

  // Changes of the open report.
  void createShare();
  void copyShareLink();
  void revokeShare();
  void followUp(std::string_view text);
  void deleteRun(std::function<void(const std::string& runID)> onDeleted);
  void openOriginal(std::function<void(const SavedAudit& run)> onOpenRun);
  void copyMarkdown();
  void exportMarkdown();

  // Sources, previews and baselines. `kind` is "attachments" or "url-shot". The baseline
  // loading is a task of the state's own, returned for waiting (empty when none started).
  async::TaskRef loadBaselines();
  void previewSource(std::string_view kind, long index, std::string title);
  void exportAttachment(long index, std::string filename);

 private:
  // The binding a task started under. Destroying the state cancels the task's context, so
  // a check never reads a destroyed state.
  class Line {
   public:
    Line(std::shared_ptr<async::TaskContext> context, const ReportState& state, std::uint64_t generation, int revision);
    // The state is alive and still on the binding.
    bool isCurrent() const;
    // ... and no change has started since.
    bool isUnchanged() const;

   private:
    std::shared_ptr<async::TaskContext> context_;
    const ReportState* state_;
    std::uint64_t generation_;
    int revision_;
  };

  template <class T>
  async::TaskRef own(async::Task<T> task) {
    return tasks_.add(async::spawn(std::move(task)));
  }
  void renewGeneration();
  // The sentence a failure shows: the client's own for anything that does not decode.
  static std::string sentenceOf(const std::exception& failure);
  // Applies a parsed run-detail reply to the open run. Throws VeskError for a detail of
  // another run and DecodingError for a list that does not decode.
  struct ParsedDetail {
    nlohmann::json detail;
    std::optional<SharedText> output;  // the detail's report text, when it has one
  };
  void applyDetail(const ParsedDetail& parsed);

  async::Task<void> reloadTask(std::uint64_t generation, int revision, DesktopAPI api, std::string runID);
  async::Task<void> shareTask(ChangeContext change);
  async::Task<void> revokeTask(ChangeContext change);
  async::Task<void> followUpTask(ChangeContext change, std::string instruction);
  async::Task<void> deleteTask(ChangeContext change, std::function<void(const std::string&)> onDeleted);
  async::Task<void> originalTask(ChangeContext change, std::string originalID,
                                 std::function<void(const SavedAudit&)> onOpenRun);
  async::Task<void> exportMarkdownTask(std::uint64_t generation, std::string projectName);
  async::Task<void> baselinesTask(std::uint64_t generation, DesktopAPI api, std::string projectID);
  async::Task<void> previewTask(std::uint64_t generation, DesktopAPI api, std::string path, std::string previewID);
  async::Task<void> attachmentTask(std::uint64_t generation, DesktopAPI api, std::string runID, long index,
                                   std::string filename);
  // Lets `busy` fall at the end of a change that is still on its binding.
  void endChange(const Line& line);

  std::shared_ptr<SaveDialog> saveDialog_;
  std::shared_ptr<Clipboard> clipboard_;
  std::optional<std::string> comparisonProjectID_;
  bool fixture_ = true;
  std::optional<DesktopAPI> api_;
  std::uint64_t generation_ = 0;
  int mutationRevision_ = 0;
  async::TaskSlot operation_;
  // Last, so the tasks are cancelled before anything else of the state goes.
  async::OwnedTasks tasks_;
};

}  // namespace vesk
