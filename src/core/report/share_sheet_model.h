#pragma once
// What the share sheet shows and lets the user do, from the report state and the sheet's
// one local flag: whether the revoke confirmation is armed. The flag starts false each
// time the sheet opens and falls whenever the share link goes (revoked, or the state
// bound to a run without one), so the sheet returns to "Create share link". Opening a
// sheet clears the report's notice, so it shows only what its own steps said.
#include "core/report/report_state.h"

#include <sigc++/signal.h>
#include <sigc++/trackable.h>

#include <optional>
#include <string>

namespace vesk {

struct ShareSheetInputs {
  std::optional<std::string> sharedSlug;
  std::optional<std::string> shareURL;  // only for a slug that makes a valid link
  bool busy = false;
  std::optional<std::string> error;
  std::optional<std::string> message;
  bool complete = false;
  bool fixture = false;
  bool isVesk = true;
  bool loadingDetails = false;
  bool revokeArmed = false;

  static ShareSheetInputs of(const ReportState& state, bool revokeArmed);
};

// The footer's content, chosen in this order: the armed confirmation, no link yet, done.
enum class ShareFooter { confirmRevoke, createLink, done };
enum class ShareEscape { nothing, disarm, dismiss };

struct ShareSheetLook {
  std::optional<std::string> link;  // the link box's text
  bool linkButtons = false;         // "Copy link" and "Revoke link" beside the link
  bool warning = false;             // "The earlier link will stop opening this report."
  std::optional<std::string> error;
  std::optional<std::string> message;
  ShareFooter footer = ShareFooter::createLink;
  bool progress = false;  // the small progress indicator in the footer
  bool buttonsEnabled = true;
  bool createEnabled = false;
  ShareEscape escape = ShareEscape::dismiss;
};

ShareSheetLook shareSheetLook(const ShareSheetInputs& inputs);

// The sheet's state over one showing: the arming flag and its reset rule. Tells its view
// on every change of what it shows.
class ShareSheetModel : public sigc::trackable {
 public:
  explicit ShareSheetModel(ReportState& state);
  ShareSheetModel(const ShareSheetModel&) = delete;
  ShareSheetModel& operator=(const ShareSheetModel&) = delete;

  ShareSheetLook look() const { return shareSheetLook(ShareSheetInputs::of(state_, revokeArmed_)); }
  bool revokeArmed() const { return revokeArmed_; }
  ReportState& state() { return state_; }

  // The buttons; each does nothing while the state is busy. Arming and disarming are new
  // steps, so each clears the notice the previous step left.
  void arm();
  void disarm();
  // What Escape does now; disarms as a side effect when that is its meaning. True when
  // the sheet should close.
  bool escape();

  sigc::signal<void()>& signalChanged() { return changed_; }

 private:
  void notify();
  void slugChanged();

  ReportState& state_;
  bool revokeArmed_ = false;
  sigc::signal<void()> changed_;
};

}  // namespace vesk
