// The gallery's section for the account screen's kit: eyebrows, a section with and
// without a standfirst, the divider, the labelled field and the switch in each state.
#include "core/style/atelier.h"
#include "ui/account/account_field.h"
#include "ui/account/account_section.h"
#include "ui/account/account_switch.h"
#include "ui/account/account_text.h"
#include "ui/gallery/gallery_text.h"
#include "ui/gallery/style_gallery.h"

namespace vesk::ui {

void StyleGallery::addAccountKit() {
  using gallery::box;
  using gallery::caption;
  append(gallery::heading("Account kit"));

  auto& sections = box(Gtk::Orientation::HORIZONTAL, 48);
  auto* plain = Gtk::make_managed<AccountSection>("Your work", "Take it with you.");
  plain->content().append(*accountLabel("Content 32 below the headline.", bodyStyle(Atelier::secondaryInk)));
  auto* danger = Gtk::make_managed<AccountSection>("Danger zone", "The exits.",
                                                   "A standfirst 10 below the headline; the content 32 below it.",
                                                   AccountColors::critical());
  danger->content().append(*accountLabel("An error in the critical colour.", bodyStyle(AccountColors::critical())));
  for (auto* section : {plain, danger}) {
    section->set_size_request(360, -1);
    section->set_valign(Gtk::Align::START);
    sections.append(*section);
  }
  append(sections);
  append(*Gtk::make_managed<AccountSectionDivider>());

  auto& fields = box(Gtk::Orientation::HORIZONTAL, 32);
  auto* empty = Gtk::make_managed<AccountField>("Display name", false);
  auto* filled = Gtk::make_managed<AccountField>("Display name", false);
  filled->setText("Ada Lovelace");
  auto* disabled = Gtk::make_managed<AccountField>("Locked", false);
  disabled->setText("Read only");
  disabled->setEnabled(false);
  for (auto* field : {empty, filled, disabled}) {
    field->set_size_request(280, -1);
    fields.append(*field);
  }
  append(fields);

  auto& switches = box(Gtk::Orientation::HORIZONTAL, 24);
  const struct {
    const char* name;
    bool on;
    bool enabled;
  } states[] = {
      {"Off", false, true}, {"On", true, true}, {"Off, disabled", false, false}, {"On, disabled", true, false}};
  for (const auto& state : states) {
    auto& cell = box(Gtk::Orientation::VERTICAL, 6);
    auto* toggle = Gtk::make_managed<AccountSwitch>(state.name);
    toggle->setOn(state.on);
    toggle->setEnabled(state.enabled);
    toggle->set_halign(Gtk::Align::START);
    cell.append(*toggle);
    cell.append(caption(state.name));
    switches.append(cell);
  }
  append(switches);
}

}  // namespace vesk::ui
