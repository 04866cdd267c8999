#pragma once
// The selectable capsule chip: discovery answers, library filters and the project
// editor's choices. Selected or not, optionally dimmed, inked in the palette's ink
// unless told otherwise. It has no hover look, press scale or animation.
#include "core/style/atelier.h"
#include "core/style/choice_pill_recipe.h"

#include <gtkmm/button.h>

namespace vesk::ui {

class VeskChoicePillStyle {
 public:
  using Treatment = VeskChoicePillTreatment;

  VeskChoicePillStyle(bool isSelected, Treatment treatment, bool dimmed = false, const Rgba& ink = Atelier::ink)
      : isSelected_(isSelected), treatment_(treatment), dimmed_(dimmed), ink_(ink) {}

  bool isSelected() const { return isSelected_; }
  Treatment treatment() const { return treatment_; }
  bool dimmed() const { return dimmed_; }
  const Rgba& ink() const { return ink_; }

  // Dresses `button`, replacing any chip style applied before.
  void apply(Gtk::Button& button) const;

 private:
  bool isSelected_;
  Treatment treatment_;
  bool dimmed_;
  Rgba ink_;
};

}  // namespace vesk::ui
