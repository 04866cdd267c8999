#pragma once
// Whether the pointer is over an enabled control. Only a pointer entering an enabled
// control hovers it; becoming disabled ends the hover, and becoming enabled again with
// the pointer resting on it does not bring the hover back before the next enter.
namespace vesk {

class HoverTracker {
 public:
  bool hovered() const { return hovered_; }

  // Each returns whether `hovered()` changed.
  bool pointerEntered(bool enabled) { return set(enabled); }
  bool pointerLeft() { return set(false); }
  bool enabledChanged(bool enabled) { return enabled ? false : set(false); }
  // For galleries and tests that show the hovered look without a pointer.
  bool force(bool hovered) { return set(hovered); }

 private:
  bool set(bool hovered) {
    const bool changed = hovered != hovered_;
    hovered_ = hovered;
    return changed;
  }

  bool hovered_ = false;
};

}  // namespace vesk
