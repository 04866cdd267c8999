#include "ui/app/placeholder_sheet.h"

#include "ui/controls/action_footer.h"
#include "ui/controls/vesk_pill_style.h"
#include "ui/style/vesk_typography.h"

namespace vesk::ui {

PlaceholderSheet::PlaceholderSheet(const Glib::ustring& title, std::function<void()> cancel)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 18),
      title_(Gtk::make_managed<Gtk::Label>(title)),
      cancel_(Gtk::make_managed<Gtk::Button>("Cancel")) {
  set_size_request(500, -1);
  set_margin(28);
  title_->set_xalign(0);
  title_->set_wrap(true);
  VeskTypography::apply(*title_, VeskTypography::display(28, FontWeight::regular, true));
  append(*title_);
  VeskPillStyle(VeskButtonRole::secondary, PillSize::regular).apply(*cancel_);
  cancel_->signal_clicked().connect(std::move(cancel));
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 16);
  row->append(*cancel_);
  append(*Gtk::make_managed<ActionFooter>(*row));
}

}  // namespace vesk::ui
