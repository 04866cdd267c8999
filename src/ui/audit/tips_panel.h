#pragma once
// The tips panel: a fixed card of advice on getting a useful audit, its heading, the
// five tips and a close button. Longer text scrolls inside the card without a bar. When
// shown, keyboard focus starts on the close button.
#include "ui/style/vesk_sheet_surface.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>

#include <functional>
#include <vector>

namespace vesk::ui {

class TipsPanel : public VeskSheetSurface {
 public:
  explicit TipsPanel(std::function<void()> onClose);
  ~TipsPanel() override;

  // Moves keyboard focus to the close button, with its focus ring showing.
  void focusClose();

  Gtk::Button& closeButton() { return *close_; }
  Gtk::Label& heading() { return *heading_; }
  // The title and body labels of each tip, in order.
  const std::vector<std::pair<Gtk::Label*, Gtk::Label*>>& tipLabels() const { return tips_; }
  Gtk::ScrolledWindow& scroller() { return scroller_; }

 private:
  Gtk::Widget& makeHeadingRow(std::function<void()> onClose);
  Gtk::Widget& makeTip(std::string_view title, std::string_view body);

  Gtk::ScrolledWindow scroller_;
  // Managed, owned by the scroller's content.
  Gtk::Label* heading_ = nullptr;
  Gtk::Button* close_ = nullptr;
  std::vector<std::pair<Gtk::Label*, Gtk::Label*>> tips_;
};

}  // namespace vesk::ui
