#pragma once
// The dress of a sheet or popup: panel glass of radius 26 behind the content, the
// inside-popup value set for everything within, and a clear presentation behind it.
#include "ui/style/vesk_glass_surface.h"

namespace vesk::ui {

class VeskSheetSurface : public VeskGlassSurface {
 public:
  static constexpr double sheetRadius = 26;

  // A sheet presented inside the window (`withinWindow`) lies on the canvas colour, so
  // the page behind never shows through its glass.
  explicit VeskSheetSurface(bool withinWindow = false);

  bool withinWindow() const { return withinWindow_; }

 private:
  void clearPresentation();

  bool withinWindow_;
};

}  // namespace vesk::ui
