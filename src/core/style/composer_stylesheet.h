#pragma once
// The stylesheet rules of the composer screen: the card's blur under a file drag and the
// drop overlay, the hairline, the depth control and its pills, the source chips, the
// address row, the brief editor and its placeholder, the footer's plain buttons and the
// notices.
#include <string>

namespace vesk {

struct ComposerClasses {
  ComposerClasses() = delete;

  static constexpr const char* card = "vesk-composer-card";
  // Set on the card's content while files are dragged over it.
  static constexpr const char* targeted = "targeted";
  static constexpr const char* dropOverlay = "vesk-drop-overlay";
  static constexpr const char* hairline = "vesk-composer-hairline";
  static constexpr const char* depthControl = "vesk-depth-control";
  static constexpr const char* depthPill = "vesk-depth-pill";
  static constexpr const char* chip = "vesk-source-chip";
  static constexpr const char* chipIcon = "vesk-source-chip-icon";
  static constexpr const char* addressRow = "vesk-address-row";
  static constexpr const char* addressField = "vesk-address-field";
  // A button without a capsule: the chips' and the row's glyphs, the footer's text buttons.
  static constexpr const char* plainButton = "vesk-plain-button";
  static constexpr const char* editor = "vesk-brief-editor";
  // The brief editor as a whole, which rings while its text has the keyboard.
  static constexpr const char* editorFrame = "vesk-brief-frame";
  static constexpr const char* placeholder = "vesk-brief-placeholder";
  static constexpr const char* notice = "vesk-submission-notice";
  static constexpr const char* muted = "vesk-muted-text";
  static constexpr const char* inkText = "vesk-ink-text";
};

struct ComposerStylesheet {
  ComposerStylesheet() = delete;

  static constexpr double targetedBlur = 2;
  static constexpr double editorFontSize = 16;
  static constexpr int editorLineSpacing = 6;
  static constexpr double editorRingGap = 10;
  static constexpr double editorRingRadius = 12;

  static std::string text();
};

}  // namespace vesk
