#pragma once
// The stylesheet rules of the controls, written from their recipes: the capsule text
// button in every role, size and state, the choice chip in every treatment, the header
// glyph button, the checkbox, the labelled text field and the action footer. Controls
// carry the style classes below; states the toolkit does not track (hovered under the
// hover rule, inside a popup, Reduce Motion) are classes the controls keep up to date.
#include "core/style/choice_pill_recipe.h"
#include "core/style/rgba.h"
#include "core/style/vesk_button_role.h"

#include <string>

namespace vesk {

struct ControlClasses {
  ControlClasses() = delete;

  static constexpr const char* pill = "vesk-pill";
  static constexpr const char* compact = "compact";
  static constexpr const char* choicePill = "vesk-choice-pill";
  static constexpr const char* selected = "selected";
  static constexpr const char* dimmed = "dimmed";
  static constexpr const char* chromeButton = "vesk-chrome-button";
  static constexpr const char* glyph = "vesk-glyph";
  static constexpr const char* checkbox = "atelier-checkbox";
  static constexpr const char* textField = "atelier-text-field";
  static constexpr const char* textFieldCaption = "atelier-text-field-caption";
  static constexpr const char* textFieldFrame = "atelier-text-field-frame";
  static constexpr const char* textFieldPrompt = "atelier-text-field-prompt";
  static constexpr const char* actionFooter = "action-footer";
  static constexpr const char* actionFooterHairline = "action-footer-hairline";
  static constexpr const char* workspaceCanvas = "workspace-canvas";
  static constexpr const char* spinner = "vesk-spinner";

  // States kept by the controls.
  static constexpr const char* hovered = "hovered";
  static constexpr const char* insidePopup = "inside-popup";
  static constexpr const char* reduceMotion = "reduce-motion";

  static const char* role(VeskButtonRole role);
  static const char* treatment(VeskChoicePillTreatment treatment);
  // The class of a chip inked in a colour other than the palette's ink ("" for it).
  static std::string ink(const Rgba& ink);
};

struct ControlStylesheet {
  ControlStylesheet() = delete;

  // Every control's rules, the chips inked in the palette's ink.
  static std::string text();

  static std::string pillRules();
  // The chips of one ink; rules for another ink than the palette's select its class.
  static std::string choicePillRules(const Rgba& ink);
  static std::string sharedControlRules();
};

}  // namespace vesk
