#pragma once
// The composer's choice of depth: "Quick read" and "Full audit" side by side in one
// capsule, one container for assistive technologies labelled "Audit depth". A pill sets
// the workspace's audit mode; which pill is selected, disabled or faded comes from the
// composer's model.
#include "core/shell/composer_rules.h"
#include "core/workspace/workspace.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>

#include <array>
#include <memory>

namespace vesk::ui {

class DepthControl : public Gtk::Box {
 public:
  explicit DepthControl(std::shared_ptr<Workspace> workspace);

  void show(const std::array<DepthPill, 2>& pills);
  Gtk::Button& pill(std::size_t index) { return pills_[index]; }

 private:
  std::shared_ptr<Workspace> workspace_;
  std::array<Gtk::Button, 2> pills_;
  std::array<std::string, 2> modes_;
};

}  // namespace vesk::ui
