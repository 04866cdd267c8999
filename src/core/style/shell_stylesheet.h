#pragma once
// The stylesheet rules of the application shell: the window-wide text defaults, the
// header's error banner, the backdrops of sheets and of the tips overlay, the blur of the
// main row behind the tips, and the tips panel's close button.
#include <string>

namespace vesk {

struct ShellClasses {
  ShellClasses() = delete;

  static constexpr const char* root = "vesk-root";
  // The window's empty title bar: it takes no room.
  static constexpr const char* hiddenTitlebar = "vesk-hidden-titlebar";
  static constexpr const char* mainRow = "vesk-main-row";
  // Set on the main row while the tips overlay shows.
  static constexpr const char* blurred = "vesk-blurred";
  static constexpr const char* errorBanner = "vesk-error-banner";
  static constexpr const char* bannerDismiss = "vesk-banner-dismiss";
  static constexpr const char* sheetBackdrop = "vesk-sheet-backdrop";
  static constexpr const char* tipsBackdrop = "vesk-tips-backdrop";
  static constexpr const char* tipsClose = "vesk-tips-close";
  static constexpr const char* menuButton = "vesk-menu-button";
  // Text in the palette's secondary ink.
  static constexpr const char* secondaryText = "vesk-secondary-text";
};

struct ShellStylesheet {
  ShellStylesheet() = delete;

  // How dark a sheet's backdrop makes the window behind it, and the tips overlay's.
  static constexpr double sheetBackdropOpacity = 0.18;
  static constexpr double tipsBackdropOpacity = 0.025;
  // The main row's blur while the tips show, and how long the overlay takes to fade.
  static constexpr double tipsBlurRadius = 0.8;
  static constexpr double tipsFadeSeconds = 0.18;
  static constexpr double tipsCloseSize = 28;

  static std::string text();
};

}  // namespace vesk
