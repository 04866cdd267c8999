#pragma once
// The application's one GTK stylesheet, generated from the colour tokens so that no
// colour is written twice: every token becomes a named colour (@ivory, @glassEdge, ...;
// list stops as @sidebarActionFill_1 ...), followed by the base rules and the controls' rules.
#include <string>

namespace vesk {

struct VeskStylesheet {
  VeskStylesheet() = delete;

  // Style classes the rules select.
  static constexpr const char* canvasClass = "vesk-canvas";
  static constexpr const char* sheetPresentationClass = "vesk-sheet-presentation";
  // A sheet inside the window: with no backdrop blur, its glass alone would let the page's
  // text show through, so the canvas colour lies under it.
  static constexpr const char* sheetUnderlayClass = "vesk-sheet-underlay";

  static std::string text();
};

}  // namespace vesk
