#pragma once
// The selectable capsule chip: discovery answers, library filters and the project
// editor's choices. Selected or not, optionally dimmed, inked in the palette's ink
// unless told otherwise. It has no hover look, press scale or animation.
#include "core/style/atelier.h"
#include "core/style/choice_pill_recipe.h"

#include <gtkmm/button.h>

namespace vesk::ui {

enum class ChipSelection { unselected, selected };
// A dimmed chip is one the user cannot choose right now (the others are at their limit).
enum class ChipEmphasis { normal, dimmed };

class VeskChoicePillStyle {
 public:
  using Treatment = VeskChoicePillTreatment;

  VeskChoicePillStyle(ChipSelection selection, Treatment treatment, ChipEmphasis emphasis = ChipEmphasis::normal,
                      const Rgba& ink = Atelier::ink)
      : isSelected_(selection == ChipSelection::selected),
        treatment_(treatment),
        dimmed_(emphasis == ChipEmphasis::dimmed),
        ink_(ink) {}

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
