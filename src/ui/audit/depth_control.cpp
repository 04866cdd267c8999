#include "ui/audit/depth_control.h"

#include "core/style/composer_stylesheet.h"
#include "core/style/control_stylesheet.h"
#include "ui/controls/accessible_label.h"

namespace vesk::ui {

DepthControl::DepthControl(std::shared_ptr<Workspace> workspace)
    : Gtk::Box(Gtk::Orientation::HORIZONTAL, 0), workspace_(std::move(workspace)) {
  add_css_class(ComposerClasses::depthControl);
  set_valign(Gtk::Align::CENTER);
  property_accessible_role() = Gtk::Accessible::Role::GROUP;
  setAccessibleLabel(*this, "Audit depth");
  for (std::size_t i = 0; i < pills_.size(); ++i) {
    auto& pill = pills_[i];
    pill.add_css_class(ComposerClasses::depthPill);
    pill.signal_clicked().connect([this, i] { workspace_->auditMode = modes_[i]; });
    append(pill);
  }
}

void DepthControl::show(const std::array<DepthPill, 2>& pills) {
  for (std::size_t i = 0; i < pills.size(); ++i) {
    auto& button = pills_[i];
    const auto& pill = pills[i];
    modes_[i] = pill.mode;
    if (button.get_label().raw() != pill.title) button.set_label(pill.title);
    if (pill.selected) {
      button.add_css_class(ControlClasses::selected);
    } else {
      button.remove_css_class(ControlClasses::selected);
    }
    gtk_accessible_update_state(GTK_ACCESSIBLE(button.gobj()), GTK_ACCESSIBLE_STATE_SELECTED, pill.selected, -1);
    button.set_sensitive(!pill.disabled);
    button.set_opacity(pill.opacity);
  }
}

}  // namespace vesk::ui
