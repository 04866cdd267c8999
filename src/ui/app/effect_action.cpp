#include "ui/app/effect_action.h"

namespace vesk::ui {

struct EffectAction::Ownership::Slot {
  std::function<void()> effect;
  unsigned serial = 0;  // of the current owner
};

EffectAction::Ownership& EffectAction::Ownership::operator=(Ownership&& other) noexcept {
  if (this != &other) {
    release();
    slot_ = std::move(other.slot_);
    serial_ = other.serial_;
  }
  return *this;
}

void EffectAction::Ownership::release() {
  if (const auto slot = slot_.lock(); slot && slot->serial == serial_) slot->effect = nullptr;
  slot_.reset();
}

EffectAction::EffectAction(Gio::ActionMap& map, const char* name)
    : slot_(std::make_shared<Ownership::Slot>()), action_(Gio::SimpleAction::create(name)) {
  // Holds the slot, not this object: the window's action group may outlive it.
  action_->signal_activate().connect([slot = slot_](const Glib::VariantBase&) {
    if (const auto effect = slot->effect) effect();  // a copy: the effect may end its owner
  });
  map.add_action(action_);
}

EffectAction::Ownership EffectAction::own(std::function<void()> effect) {
  slot_->effect = std::move(effect);
  return Ownership(slot_, ++slot_->serial);
}

bool EffectAction::owned() const { return static_cast<bool>(slot_->effect); }

}  // namespace vesk::ui
