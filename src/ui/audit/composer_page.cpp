#include "ui/audit/composer_page.h"

#include "core/shell/root_metrics.h"
#include "ui/audit/composer_view.h"
#include "ui/base/single_child_widget.h"
#include "ui/style/vesk_environment.h"
#include "ui/style/vesk_scroll_veil.h"

#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>

#include <algorithm>
#include <cmath>

namespace vesk::ui {

namespace {

// The page column around one screen's content.
class PageColumn : public SingleChildWidget {
 public:
  static constexpr int maximumWidth = 790;
  static constexpr int sidePadding = 40;
  static constexpr int bottomPadding = 40;

  explicit PageColumn(Gtk::Widget& content) : content_(content) {
    set_layout_manager({});  // placed by the vfuncs below
    set_child(content_);
  }

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override { return Gtk::SizeRequestMode::HEIGHT_FOR_WIDTH; }

  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override {
    minimumBaseline = naturalBaseline = -1;
    int contentMinimum = 0, contentNatural = 0, ignored = 0;
    if (orientation == Gtk::Orientation::HORIZONTAL) {
      content_.measure(orientation, -1, contentMinimum, contentNatural, ignored, ignored);
      minimum = contentMinimum + 2 * sidePadding;
      natural = maximumWidth + 2 * sidePadding;
      return;
    }
    const int width = forSize < 0 ? maximumWidth : columnWidth(forSize);
    content_.measure(orientation, width, contentMinimum, contentNatural, ignored, ignored);
    const int extra = top() + bottomPadding;
    minimum = contentMinimum + extra;
    natural = contentNatural + extra;
  }

  void size_allocate_vfunc(int width, int height, int) override {
    const int column = columnWidth(width);
    content_.size_allocate(
        Gtk::Allocation((width - column) / 2, top(), column, std::max(0, height - top() - bottomPadding)), -1);
  }

 private:
  int columnWidth(int width) const {
    int minimum = 0, natural = 0, ignored = 0;
    content_.measure(Gtk::Orientation::HORIZONTAL, -1, minimum, natural, ignored, ignored);
    return std::max(minimum, std::min(maximumWidth, width - 2 * sidePadding));
  }
  int top() const { return static_cast<int>(std::lround(RootMetrics::pageTopForInset(veskHeaderInset(*this)))); }

  Gtk::Widget& content_;
};

}  // namespace

std::unique_ptr<Gtk::Widget> makeComposerPage(const ScreenContext& context) {
  auto page = std::make_unique<Gtk::Overlay>();
  auto* scroller = Gtk::make_managed<Gtk::ScrolledWindow>();
  scroller->set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  scroller->set_overlay_scrolling(false);
  auto* view = Gtk::make_managed<ComposerView>(context.workspace, *context.root);
  scroller->set_child(*Gtk::make_managed<PageColumn>(*view));
  page->set_child(*scroller);
  auto* veil = Gtk::make_managed<VeskScrollVeil>(32, true, 0.42);
  veil->set_valign(Gtk::Align::END);
  veil->set_can_target(false);
  page->add_overlay(*veil);
  return page;
}

ComposerView* composerViewIn(Gtk::Widget& page) {
  if (auto* view = dynamic_cast<ComposerView*>(&page)) return view;
  for (auto* child = page.get_first_child(); child; child = child->get_next_sibling())
    if (auto* view = composerViewIn(*child)) return view;
  return nullptr;
}

}  // namespace vesk::ui
