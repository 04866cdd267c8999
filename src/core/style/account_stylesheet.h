#pragma once
// The rules of the account screen's kit: the labelled field with its ink focus rim, the
// on/off switch (track, knob, hit area) and the feedback note's field. The texts of the
// account side carry their fonts and colours themselves.
#include "core/style/atelier.h"
#include "core/style/vesk_web_tokens.h"

#include <string>

namespace vesk {

struct AccountClasses {
  AccountClasses() = delete;

  static constexpr const char* fieldFrame = "account-field-frame";
  static constexpr const char* toggle = "account-switch";
  static constexpr const char* toggleHitArea = "account-switch-hit-area";
  static constexpr const char* noteFrame = "account-note-frame";
  static constexpr const char* link = "account-link";
  static constexpr const char* sentenceLink = "account-sentence-link";  // a label with a link in its text
  static constexpr const char* divider = "account-divider";
};

// The numbers of the kit.
struct AccountKitRecipe {
  AccountKitRecipe() = delete;

  static constexpr double fieldRadius = 10;
  static constexpr double fieldHorizontalPadding = 16;
  static constexpr double fieldVerticalPadding = 12;
  static constexpr double fieldBorderWidth = 1;
  static constexpr double fieldFocusedBorderWidth = 1.5;
  static constexpr Rgba fieldBorder = Atelier::ink.faded(0.14);
  static constexpr Rgba fieldFocusedBorder = Atelier::ink.faded(0.6);

  static constexpr double trackWidth = 42;
  static constexpr double trackHeight = 25;
  static constexpr double knobSize = 17;
  static constexpr double knobInset = 4;
  static constexpr double hitWidth = 52;
  static constexpr double hitHeight = 44;
  static constexpr double disabledOpacity = 0.65;
  static constexpr Rgba knobShadow = Atelier::ink.faded(0.18);

  static constexpr double notePadding = 14;
};

struct AccountStylesheet {
  AccountStylesheet() = delete;
  static std::string text();
};

}  // namespace vesk
