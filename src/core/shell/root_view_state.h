#pragma once
// The window's own state that the header, the composer and the root view's sheets and
// overlays share, with the rules that keep it consistent with the workspace: a new
// draft closes and empties the composer's address row and hides the access notice, a
// change of audit depth hides the notice, closing the address row empties it, and
// closing the tips hands focus back to the control that opens them.
//
// The rules run on a change only, never for the values found at construction. The focus
// request waits for the next main-loop turn, so the views have followed the closing first.
#include "core/records/library_records.h"
#include "core/report/report_state.h"
#include "core/shell/change_coalescer.h"
#include "core/workspace/published.h"
#include "core/workspace/workspace.h"

#include <sigc++/signal.h>
#include <sigc++/trackable.h>

#include <memory>
#include <string>

namespace vesk {

class RootViewState : public sigc::trackable {
 public:
  explicit RootViewState(std::shared_ptr<Workspace> workspace);
  RootViewState(const RootViewState&) = delete;
  RootViewState& operator=(const RootViewState&) = delete;

  // The file-open panel is shown.
  Published<bool> importer{false};
  Published<bool> sidebarVisible{true};
  // Files are dragged over the composer's drop target.
  Published<bool> targeted{false};
  // The composer's web-address row: open, its text, and whether it should hold focus.
  Published<bool> showingURLField{false};
  Published<std::string> urlDraft;
  Published<bool> urlFocused{false};
  Published<bool> showingFeedback{false};
  Published<bool> showingTips{false};
  Published<bool> showingAccessNotice{false};
  // The comparison chooser is shown.
  Published<bool> changingComparison{false};

  // Asks the composer's Tips control to take keyboard focus, the turn after the tips
  // closed; nothing answers when no composer is shown.
  sigc::signal<void()>& signalTipsTriggerFocusRequested() { return tipsTriggerFocus_; }

  void toggleSidebar() { sidebarVisible = !*sidebarVisible; }
  // Escape in the address row: hides it and keeps the typed text for its next opening;
  // every other way of closing the row empties it.
  void hideURLFieldKeepingDraft();
  // The comparison chooser's answers: a chosen baseline becomes the workspace's (which
  // makes the audit a full one); either answer closes the chooser.
  void selectComparisonBaseline(const ReportBaseline& baseline);
  void cancelComparison() { changingComparison = false; }
  // The state that loads and lists the comparison chooser's baselines: one for the life
  // of the window, so what it loaded stays until the composer asks for a reload. It only
  // loads baselines, so it has no save panel or clipboard.
  ReportState& comparisonState() { return comparisonState_; }

 private:
  void draftReplaced();
  void auditModeChanged();
  void tipsChanged();
  void urlFieldChanged();

  std::shared_ptr<Workspace> workspace_;
  bool keepDraftOnClose_ = false;
  ReportState comparisonState_{ReportState::Environment{}};
  sigc::signal<void()> tipsTriggerFocus_;
  ChangeCoalescer tipsClosed_;
};

}  // namespace vesk
