#pragma once
// The image a veil that hides what scrolls under the window header shows: the window's
// canvas where the veil lies over it, at full strength down to the opaque length and then
// fading to nothing at the far edge. It is made once per size, scale and look and kept,
// so that every frame after costs one image however often the window redraws.
#include "ui/style/frame_picture.h"
#include "ui/style/workspace_canvas.h"

#include <gtkmm/widget.h>

#include <optional>

namespace vesk::ui {

class CanvasVeilTexture {
 public:
  struct Look {
    int width = 0, height = 0;  // the veil's, in points
    int scale = 1;              // device pixels per point
    double opaqueFraction = 0;
    bool bottom = false;
    // Where the veil lies on the canvas and the canvas's size; no canvas means its ground.
    bool onCanvas = false;
    double originX = 0, originY = 0;
    int canvasWidth = 0, canvasHeight = 0;
    bool operator==(const Look&) const = default;
  };

  // The image for `look`, made with `veil`'s renderer when it differs from the last one;
  // empty when there is nothing to draw it with.
  FramePicture& pictureFor(Gtk::Widget& veil, WorkspaceCanvas* canvas, const Look& look);

  // How many images have been made, so that a redraw that makes one can be noticed.
  int made() const { return made_; }

 private:
  static FramePicture make(Gtk::Widget& veil, WorkspaceCanvas* canvas, const Look& look);

  std::optional<Look> look_;
  FramePicture picture_;
  int made_ = 0;
};

}  // namespace vesk::ui
