#pragma once
// The window's modal sheets, drawn inside the window over the root: each sheet dims what
// lies below it with a backdrop and sits on the sheet surface in the centre. Below the
// top sheet nothing takes clicks or focus (a second sheet stacks on the first); Escape
// closes the top sheet where it allows it; keyboard focus moves into a sheet when it
// opens and back to where it was when it closes.
#include "ui/app/weak_widget.h"

#include <gtkmm/widget.h>
#include <sigc++/signal.h>

#include <functional>
#include <memory>
#include <vector>

namespace vesk::ui {

class SheetLayer : public Gtk::Widget {
 public:
  using SheetId = unsigned;
  struct Options {
    // Whether Escape may close the sheet now (one that is sending refuses); empty: the
    // content's own answer when it is a SheetEscape, else always.
    std::function<bool()> escapeCloses;
    // Runs once when the sheet goes, whatever closed it.
    std::function<void()> onDismissed;
  };

  SheetLayer();
  ~SheetLayer() override;

  SheetId present(std::unique_ptr<Gtk::Widget> content, Options options = {});
  // Closes the sheet; nothing when it is already gone.
  void dismiss(SheetId id);
  std::size_t depth() const { return sheets_.size(); }
  // The surface the top sheet is drawn on, and its backdrop; nullptr without a sheet.
  Gtk::Widget* topSurface();
  Gtk::Widget* topBackdrop();
  // Emitted after a sheet opened or closed.
  sigc::signal<void()>& signalDepthChanged() { return depthChanged_; }

 private:
  struct Sheet;
  bool escape();
  void settleFocus(Sheet& sheet);

  std::vector<std::unique_ptr<Sheet>> sheets_;
  SheetId nextId_ = 1;
  sigc::signal<void()> depthChanged_;
};

// Closes a sheet on a layer that may be gone: an owner's destructor can run after GTK has
// taken the window apart, so it reaches the layer only through a weak reference.
void dismissIfLayerAlive(const WeakWidget& layer, SheetLayer::SheetId id);

}  // namespace vesk::ui
