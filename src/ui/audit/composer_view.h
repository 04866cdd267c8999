#pragma once
// The composer screen's content, in the page column: the heading, the composer card, the
// comparison block while a baseline is chosen, and the local preview notice. It draws
// the composer's model and hands the controls' actions to ComposerActions; Ctrl+Return
// submits from anywhere in it, the brief editor included.
#include "core/shell/composer_actions.h"
#include "core/shell/composer_presentation.h"

#include <gtkmm/box.h>
#include <gtkmm/label.h>

#include <memory>

namespace vesk::ui {

class ComparisonBlock;
class ComposerCard;

class ComposerView : public Gtk::Box {
 public:
  static constexpr const char* previewSentence = "Local preview. Files stay on this computer; no model runs.";

  ComposerView(std::shared_ptr<Workspace> workspace, RootViewState& root);
  ~ComposerView() override;

  ComposerCard& card() { return *card_; }
  ComparisonBlock& comparison() { return *comparison_; }
  Gtk::Label& previewNotice() { return previewNotice_; }
  const ComposerPresentation& presentation() const { return model_; }
  ComposerActions& actions() { return actions_; }

 private:
  void buildHeading();
  void installSubmitShortcut();
  // Whether the window's focus is on a sheet.
  bool focusInSheet() const;
  void redraw();

  std::shared_ptr<Workspace> workspace_;
  ComposerActions actions_;
  ComposerPresentation model_;
  ComposerCard* card_ = nullptr;
  ComparisonBlock* comparison_ = nullptr;
  Gtk::Label previewNotice_{previewSentence};
  sigc::connection modelConnection_;
  sigc::connection draftConnection_;
};

}  // namespace vesk::ui
