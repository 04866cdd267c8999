#include "core/report/share_sheet_model.h"

namespace vesk {

ShareSheetInputs ShareSheetInputs::of(const ReportState& state, bool revokeArmed) {
  return ShareSheetInputs{
      *state.sharedSlug, state.shareURL(),       *state.busy,    *state.error,          *state.message,
      state.complete(),  state.isLocalPreview(), state.isVesk(), *state.loadingDetails, revokeArmed};
}

ShareSheetLook shareSheetLook(const ShareSheetInputs& in) {
  ShareSheetLook look;
  const bool armed = in.revokeArmed && in.sharedSlug;
  look.link = in.shareURL;
  look.linkButtons = in.shareURL && !in.revokeArmed;
  look.warning = in.revokeArmed;
  look.error = in.error;
  look.message = in.message;
  if (armed) {
    look.footer = ShareFooter::confirmRevoke;
  } else if (!in.sharedSlug) {
    look.footer = ShareFooter::createLink;
  } else {
    look.footer = ShareFooter::done;
  }
  look.progress = in.busy;
  look.buttonsEnabled = !in.busy;
  look.createEnabled = !in.busy && in.complete && !in.fixture && in.isVesk && !in.loadingDetails;
  if (in.busy) {
    look.escape = ShareEscape::nothing;
  } else {
    look.escape = look.footer == ShareFooter::confirmRevoke ? ShareEscape::disarm : ShareEscape::dismiss;
  }
  return look;
}

ShareSheetModel::ShareSheetModel(ReportState& state) : state_(state) {
  // A new sheet shows only what its own steps say: a notice an earlier sheet or the
  // actions left ("Copied") is no news here. Cleared before the sheet listens, so every
  // notice of its own is a change it hears, even when it reads the same.
  state_.message = std::nullopt;
  const auto tell = sigc::mem_fun(*this, &ShareSheetModel::notify);
  state_.sharedSlug.signalChanged().connect(sigc::mem_fun(*this, &ShareSheetModel::slugChanged));
  state_.report.signalChanged().connect(tell);
  state_.busy.signalChanged().connect(tell);
  state_.error.signalChanged().connect(tell);
  state_.message.signalChanged().connect(tell);
  state_.loadingDetails.signalChanged().connect(tell);
}

void ShareSheetModel::notify() { changed_.emit(); }

void ShareSheetModel::slugChanged() {
  if (!state_.sharedSlug->has_value()) revokeArmed_ = false;
  changed_.emit();
}

void ShareSheetModel::arm() {
  if (*state_.busy || !state_.shareURL()) return;
  revokeArmed_ = true;
  state_.message = std::nullopt;  // "Copied" belongs to the step before
  changed_.emit();
}

void ShareSheetModel::disarm() {
  if (*state_.busy || !revokeArmed_) return;
  revokeArmed_ = false;
  state_.message = std::nullopt;
  changed_.emit();
}

bool ShareSheetModel::escape() {
  switch (look().escape) {
    case ShareEscape::nothing: return false;
    case ShareEscape::disarm: disarm(); return false;
    case ShareEscape::dismiss: return true;
  }
  return false;
}

}  // namespace vesk
