#pragma once
// The full-audit review screen's content column: the title, the lead, the summary of
// what will be audited, the confirmation checkbox and the footer with "Back to context"
// and the run pill (also Ctrl+Return). It draws ReviewPresentation and hands every
// click to it.
#include "core/shell/review_presentation.h"
#include "ui/app/screen_context.h"
#include "ui/controls/primary_button.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/label.h>

#include <memory>

namespace vesk::ui {

class ReviewPage : public Gtk::Box {
 public:
  explicit ReviewPage(std::shared_ptr<Workspace> workspace);
  ~ReviewPage() override;

  ReviewPresentation& presentation() { return presentation_; }
  Gtk::Label& lead() { return *lead_; }
  Gtk::Label& projectName() { return *projectName_; }
  Gtk::Label& sourcesLine() { return *sources_; }
  Gtk::CheckButton& checkbox() { return *checkbox_; }
  Gtk::Button& backButton() { return *back_; }
  PrimaryButton& runButton() { return *run_; }

 private:
  Gtk::Widget& makeSummary();
  void draw();

  ReviewPresentation presentation_;
  // Managed children.
  Gtk::Label* lead_ = nullptr;
  Gtk::Label* projectName_ = nullptr;
  Gtk::Label* sources_ = nullptr;
  Gtk::CheckButton* checkbox_ = nullptr;
  Gtk::Box* footerRow_ = nullptr;
  Gtk::Button* back_ = nullptr;
  PrimaryButton* run_ = nullptr;
  sigc::connection changed_;
  sigc::connection toggled_;
};

std::unique_ptr<Gtk::Widget> makeReviewPage(const ScreenContext& context);

}  // namespace vesk::ui
