#include "ui/app/placeholder_page.h"

#include "ui/style/vesk_environment.h"
#include "ui/style/vesk_typography.h"

#include <cmath>

namespace vesk::ui {

PlaceholderPage::PlaceholderPage(const Glib::ustring& title, Start start) : title_(title), start_(start) {
  title_.set_xalign(0);
  title_.set_ellipsize(Pango::EllipsizeMode::END);
  VeskTypography::apply(title_, VeskTypography::display(40, FontWeight::regular, true));
  title_.set_parent(*this);
}

PlaceholderPage::~PlaceholderPage() { title_.unparent(); }

int PlaceholderPage::topPadding() const {
  switch (start_) {
    case Start::headerInset: return static_cast<int>(std::lround(veskHeaderInset(*this)));
    case Start::top:
    case Start::column: break;
  }
  return 0;
}

Gtk::SizeRequestMode PlaceholderPage::get_request_mode_vfunc() const { return Gtk::SizeRequestMode::CONSTANT_SIZE; }

void PlaceholderPage::measure_vfunc(Gtk::Orientation orientation, int, int& minimum, int& natural, int& minimumBaseline,
                                    int& naturalBaseline) const {
  int childMinimum = 0, childNatural = 0, ignored = 0;
  title_.measure(orientation, -1, childMinimum, childNatural, ignored, ignored);
  const int extra = orientation == Gtk::Orientation::VERTICAL ? topPadding() : 2 * sidePadding();
  minimum = 0;  // a page never sets the window's minimum
  natural = childNatural + extra;
  minimumBaseline = naturalBaseline = -1;
}

void PlaceholderPage::size_allocate_vfunc(int width, int, int) {
  int minimum = 0, natural = 0, ignored = 0;
  title_.measure(Gtk::Orientation::VERTICAL, -1, minimum, natural, ignored, ignored);
  title_.size_allocate(Gtk::Allocation(sidePadding(), topPadding(), std::max(0, width - 2 * sidePadding()), natural),
                       -1);
}

}  // namespace vesk::ui
