#pragma once
// The window's background: the ivory ground with three large, blurred, warm blooms that
// keep the window's proportions (a wide window gives wide blooms). It takes no pointer
// events and nothing reads it aloud. The blooms are soft enough to be drawn once per size
// into a small picture and stretched: three gradients over the whole window would cost
// the software renderer tens of milliseconds on every full redraw, the first one included.
// Veils that hide what scrolls under the header paint a piece of it over the content, so
// it can draw itself into another widget's snapshot.
#include "core/style/geometry.h"
#include "core/style/shared_control_recipe.h"

#include "ui/style/frame_picture.h"

#include <gtkmm/widget.h>
#include <sigc++/signal.h>

#include <optional>
#include <vector>

namespace vesk::ui {

class WorkspaceCanvas : public Gtk::Widget {
 public:
  // The picture's pixels per point of the canvas.
  static constexpr double textureScale = 0.5;

  WorkspaceCanvas();

  // The canvas behind `widget`: the first child of its nearest ancestor that starts with
  // one, as the root view lays the window out; null outside such a window.
  static WorkspaceCanvas* behind(const Gtk::Widget& widget);

  // Draws the canvas at its current size, in its own coordinates.
  void paint(GtkSnapshot* snapshot);
  // Emitted when the canvas takes a new size, so the blooms change everywhere.
  sigc::signal<void()>& signalResized() { return resized_; }

 protected:
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;
  void size_allocate_vfunc(int width, int height, int baseline) override;

 private:
  // The blurred blooms for the last size drawn; worked out again only when it changes.
  const std::vector<WorkspaceCanvasRecipe::BlurredBloom>& bloomsFor(const Size& size);

  // The ground and the blooms for `size`, drawn small; made again only when it changes.
  FramePicture& pictureFor(const Size& size);

  std::optional<Size> bloomSize_;
  std::vector<WorkspaceCanvasRecipe::BlurredBloom> blooms_;
  std::optional<Size> pictureSize_;
  FramePicture picture_;
  std::optional<Size> allocated_;
  sigc::signal<void()> resized_;
};

}  // namespace vesk::ui
