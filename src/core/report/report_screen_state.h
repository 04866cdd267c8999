#pragma once
// The report screen's state over one visit: its report state bound to the workspace's
// open run (again for each new run or new text), the two sheets it opens (the actions
// panel and the share sheet), and the results carried back to the workspace: an updated
// run, a text the reader page saved, a run a discussion request created (opened once),
// a deleted run, a comparison re-audit, and while a change is in flight the flag that
// keeps the workspace on this run. Leaving the screen (destroying this) lowers that flag.
#include "core/report/report_screen_rules.h"
#include "core/report/report_state.h"
#include "core/workspace/workspace.h"

#include <sigc++/trackable.h>

#include <memory>
#include <optional>
#include <string>

namespace vesk {

class ReportScreenState : public sigc::trackable {
 public:
  ReportScreenState(std::shared_ptr<Workspace> workspace, ReportState::Environment environment);
  ~ReportScreenState();
  ReportScreenState(const ReportScreenState&) = delete;
  ReportScreenState& operator=(const ReportScreenState&) = delete;

  ReportState& report() { return *report_; }
  Workspace& workspace() { return *workspace_; }

  // The actions panel and the share sheet are shown.
  Published<bool> actions{false};
  Published<bool> sharing{false};

  std::string kindLabel() const { return reportKindLabel(*workspace_->current); }
  bool localPreview() const { return *workspace_->fixture; }
  ReaderArguments readerArguments(double headerInset) const;

  // The header's share command: opens the share sheet unless a change is in flight.
  void shareRequested();
  // The reader page saved a new text of a run.
  void acceptOutput(const SharedText& output, const std::string& runID);

  // The panel's answers.
  void openRun(const SavedAudit& run);
  void reaudit(const ReportBaseline& baseline);
  void deleted(const std::string& runID);

 private:
  void configure();
  void currentChanged();
  void reportChanged();
  void busyChanged();
  void createdRunChanged();

  std::shared_ptr<Workspace> workspace_;
  std::unique_ptr<ReportState> report_;
  // The id and text of the run the state was last bound to, and of the created run
  // last seen and last opened.
  std::optional<std::string> boundID_;
  std::optional<SharedText> boundOutput_;
  std::optional<std::string> createdID_;
  std::optional<std::string> openedCreatedRun_;
};

}  // namespace vesk
