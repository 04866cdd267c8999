#include "ui/audit/composer_view.h"

#include "core/style/composer_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "ui/app/sheet_layer.h"
#include "ui/audit/comparison_block.h"
#include "ui/audit/composer_card.h"
#include "ui/style/vesk_typography.h"

#include <gtkmm/root.h>
#include <gtkmm/shortcut.h>
#include <gtkmm/shortcutaction.h>
#include <gtkmm/shortcutcontroller.h>
#include <gtkmm/shortcuttrigger.h>
#include <pangomm/attrlist.h>

namespace vesk::ui {

ComposerView::ComposerView(std::shared_ptr<Workspace> workspace, RootViewState& root)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 24),
      workspace_(workspace),
      actions_(workspace, root),
      model_(workspace, root) {
  buildHeading();
  card_ = Gtk::make_managed<ComposerCard>(workspace_, root, actions_);
  append(*card_);
  comparison_ = Gtk::make_managed<ComparisonBlock>(actions_);
  append(*comparison_);
  previewNotice_.set_xalign(0);
  previewNotice_.set_wrap(true);
  previewNotice_.add_css_class(ComposerClasses::muted);
  previewNotice_.set_opacity(0.82);
  VeskTypography::apply(previewNotice_, VeskTypography::body(13));
  append(previewNotice_);
  installSubmitShortcut();

  redraw();
  modelConnection_ = model_.signalChanged().connect(sigc::mem_fun(*this, &ComposerView::redraw));
  draftConnection_ = workspace_->draftID.signalChanged().connect([this] { card_->renewEditor(); });
}

ComposerView::~ComposerView() {
  modelConnection_.disconnect();
  draftConnection_.disconnect();
}

void ComposerView::buildHeading() {
  auto* heading = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 20);
  heading->set_margin_top(16);
  heading->set_size_request(-1, -1);
  auto* headline = Gtk::make_managed<Gtk::Label>("What should Vesk look at?");
  auto* lead = Gtk::make_managed<Gtk::Label>("Add a URL and/or screenshots. Vesk will ask a few questions first.");
  for (auto* label : {headline, lead}) {
    label->set_xalign(0);
    label->set_wrap(true);
    label->set_halign(Gtk::Align::START);
    heading->append(*label);
  }
  VeskTypography::apply(*headline, VeskTypography::display(40, FontWeight::regular, true));
  auto attributes = headline->get_attributes();
  auto tracking = Pango::Attribute::create_attr_letter_spacing(static_cast<int>(-0.2 * PANGO_SCALE));
  attributes.insert(tracking);
  headline->set_attributes(attributes);
  headline->set_max_width_chars(32);
  VeskTypography::apply(*lead, VeskTypography::display(22, FontWeight::regular, true));
  lead->add_css_class(ShellClasses::secondaryText);
  lead->set_max_width_chars(44);
  append(*heading);
}

// Window-wide, as the other screens' run keys, wherever the focus is (after start it is
// nowhere, after the sidebar's "New audit" on that button); captured before the focused
// control, since the editor would take Return as a line break. A sheet over the composer
// keeps the key for itself.
void ComposerView::installSubmitShortcut() {
  auto controller = Gtk::ShortcutController::create();
  controller->set_scope(Gtk::ShortcutScope::GLOBAL);
  controller->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
  controller->add_shortcut(
      Gtk::Shortcut::create(Gtk::ShortcutTrigger::parse_string("<Control>Return"),
                            Gtk::CallbackAction::create([this](Gtk::Widget&, const Glib::VariantBase&) {
                              if (focusInSheet()) return false;
                              if (model_.current().submitDisabled) return true;  // the model may be a turn behind
                              actions_.submitComposer();
                              return true;
                            })));
  add_controller(controller);
}

bool ComposerView::focusInSheet() const {
  const auto* root = get_root();
  for (const auto* widget = root ? root->get_focus() : nullptr; widget; widget = widget->get_parent())
    if (dynamic_cast<const SheetLayer*>(widget)) return true;
  return false;
}

void ComposerView::redraw() {
  const auto& state = model_.state();
  card_->show(state);
  comparison_->set_visible(state.comparison.has_value());
  if (state.comparison) comparison_->show(*state.comparison);
  previewNotice_.set_visible(state.showsPreviewNotice);
}

}  // namespace vesk::ui
