#pragma once
// An action whose effect belongs to a view: the view that shows the tips panel, the
// report screen that prints. The owning view takes the action over for as long as it
// exists; with no owner, activating the action does nothing.
#include <giomm/actionmap.h>
#include <giomm/simpleaction.h>

#include <functional>
#include <memory>

namespace vesk::ui {

class EffectAction {
 public:
  // Ends the ownership it stands for when destroyed (unless a newer owner took over).
  class Ownership {
   public:
    Ownership() = default;
    Ownership(Ownership&&) noexcept = default;
    Ownership& operator=(Ownership&& other) noexcept;
    Ownership(const Ownership&) = delete;
    Ownership& operator=(const Ownership&) = delete;
    ~Ownership() { release(); }
    void release();

   private:
    friend class EffectAction;
    struct Slot;
    Ownership(std::weak_ptr<Slot> slot, unsigned serial) : slot_(std::move(slot)), serial_(serial) {}
    std::weak_ptr<Slot> slot_;
    unsigned serial_ = 0;
  };

  // Adds the action to `map` under `name`.
  EffectAction(Gio::ActionMap& map, const char* name);

  [[nodiscard]] Ownership own(std::function<void()> effect);
  bool owned() const;
  const Glib::RefPtr<Gio::SimpleAction>& action() const { return action_; }

 private:
  std::shared_ptr<Ownership::Slot> slot_;
  Glib::RefPtr<Gio::SimpleAction> action_;
};

}  // namespace vesk::ui
