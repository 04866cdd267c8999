#include "ui/audit/composer_footer.h"

#include "core/style/composer_stylesheet.h"
#include "ui/controls/symbol_image.h"
#include "ui/controls/vesk_pill_style.h"
#include "ui/style/vesk_typography.h"

namespace vesk::ui {

namespace {

// A plain text button in muted ink with a leading symbol.
void dressPlain(Gtk::Button& button, const char* title, const char* symbol) {
  auto* content = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 6);
  if (auto* image = makeSymbolImage(symbol, 16)) content->append(*image);
  auto* label = Gtk::make_managed<Gtk::Label>(title);
  VeskTypography::apply(*label, VeskTypography::body(15, FontWeight::medium));
  content->append(*label);
  button.set_child(*content);
  button.add_css_class(ComposerClasses::plainButton);
  button.add_css_class(ComposerClasses::muted);
}

}  // namespace

ComposerFooter::ComposerFooter(RootViewState& root, ComposerActions& actions)
    : Gtk::Box(Gtk::Orientation::HORIZONTAL, 20) {
  dressPlain(attach_, "Attach file", "paperclip");
  attach_.signal_clicked().connect([&root] { root.importer = true; });
  append(attach_);
  dressPlain(addURL_, "Add URL", "link");
  addURL_.signal_clicked().connect([&root] { root.showingURLField = !*root.showingURLField; });
  append(addURL_);

  auto* spacer = Gtk::make_managed<Gtk::Box>();
  spacer->set_hexpand(true);
  append(*spacer);
  spinner_.set_valign(Gtk::Align::CENTER);
  spinner_.set_size_request(16, 16);
  append(spinner_);
  VeskPillStyle(VeskButtonRole::accent, PillSize::regular).apply(submit_);
  submit_.signal_clicked().connect([&actions] { actions.submitComposer(); });
  append(submit_);
}

void ComposerFooter::show(const ComposerPresentation::State& state) {
  attach_.set_sensitive(!state.busy);
  addURL_.set_sensitive(!state.busy);
  spinner_.set_visible(state.busy);
  spinner_.set_spinning(state.busy);
  if (submit_.get_label().raw() != state.submitTitle) submit_.set_label(state.submitTitle);
  submit_.set_sensitive(!state.submitDisabled);
}

}  // namespace vesk::ui
