#pragma once
// The discovery screen's content column: the waiting line or the lead, one group of
// answer pills per question, and the footer with the back button, the spinner and the
// run pill (also Ctrl+Return). It draws DiscoveryPresentation and hands every click to
// it; a pill keeps its widget (and its keyboard focus) while the questions stay.
#include "core/shell/discovery_presentation.h"
#include "ui/app/screen_context.h"
#include "ui/controls/primary_button.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/spinner.h>

#include <memory>
#include <vector>

namespace vesk::ui {

class DiscoveryPage : public Gtk::Box {
 public:
  explicit DiscoveryPage(std::shared_ptr<Workspace> workspace);
  ~DiscoveryPage() override;

  DiscoveryPresentation& presentation() { return presentation_; }

  struct GroupWidgets {
    Gtk::Box* box = nullptr;
    Gtk::Label* question = nullptr;
    std::vector<Gtk::Button*> pills;
    Gtk::Label* note = nullptr;
  };
  // For tests: what is drawn now.
  Gtk::Label& waitingText() { return *waitingText_; }
  Gtk::Label& lead() { return *lead_; }
  const std::vector<GroupWidgets>& groups() const { return groups_; }
  Gtk::Button& backButton() { return *back_; }
  Gtk::Spinner& footerSpinner() { return *footerSpinner_; }
  PrimaryButton& runButton() { return *run_; }

 private:
  void draw();
  void rebuildGroups();
  bool sameQuestions() const;
  void drawPill(Gtk::Button& pill, const DiscoveryPresentation::Pill& state);
  void drawRunButton();

  DiscoveryPresentation presentation_;
  // Managed children of this box.
  Gtk::Box* waitingRow_ = nullptr;
  Gtk::Spinner* waitingSpinner_ = nullptr;
  Gtk::Label* waitingText_ = nullptr;
  Gtk::Label* lead_ = nullptr;
  Gtk::Box* groupList_ = nullptr;
  std::vector<GroupWidgets> groups_;
  std::vector<DiscoveryPresentation::Group> drawnGroups_;
  Gtk::Box* footerRow_ = nullptr;
  Gtk::Button* back_ = nullptr;
  Gtk::Spinner* footerSpinner_ = nullptr;
  PrimaryButton* run_ = nullptr;
  sigc::connection changed_;
};

std::unique_ptr<Gtk::Widget> makeDiscoveryPage(const ScreenContext& context);

}  // namespace vesk::ui
