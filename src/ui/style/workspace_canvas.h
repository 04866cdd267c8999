#pragma once
// The window's background: the ivory ground with three large, blurred, warm blooms that
// keep the window's proportions (a wide window gives wide blooms). It takes no pointer
// events and nothing reads it aloud.
#include "core/style/geometry.h"
#include "core/style/shared_control_recipe.h"

#include <gtkmm/widget.h>

#include <optional>
#include <vector>

namespace vesk::ui {

class WorkspaceCanvas : public Gtk::Widget {
 public:
  WorkspaceCanvas();

 protected:
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;

 private:
  // The blurred blooms for the last size drawn; worked out again only when it changes.
  const std::vector<WorkspaceCanvasRecipe::BlurredBloom>& bloomsFor(const Size& size);

  std::optional<Size> bloomSize_;
  std::vector<WorkspaceCanvasRecipe::BlurredBloom> blooms_;
};

}  // namespace vesk::ui
