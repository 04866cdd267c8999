#include "ui/audit/composer_page.h"

#include "ui/audit/composer_view.h"

namespace vesk::ui {

std::unique_ptr<Gtk::Widget> makeComposerPage(const ScreenContext& context) {
  return std::make_unique<ComposerView>(context.workspace, *context.root);
}

ComposerView* composerViewIn(Gtk::Widget& page) {
  if (auto* view = dynamic_cast<ComposerView*>(&page)) return view;
  for (auto* child = page.get_first_child(); child; child = child->get_next_sibling())
    if (auto* view = composerViewIn(*child)) return view;
  return nullptr;
}

}  // namespace vesk::ui
