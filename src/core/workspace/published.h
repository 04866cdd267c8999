#pragma once
// A published property of a state object: the value, and a signal that tells observers
// it changed so a view redraws only what depends on it.
#include <sigc++/signal.h>

#include <utility>

namespace vesk {

template <class T>
class Published {
 public:
  explicit Published(T initial = T()) : value_(std::move(initial)) {}
  Published(const Published&) = delete;
  Published& operator=(const Published&) = delete;

  const T& get() const { return value_; }
  const T& operator*() const { return value_; }
  const T* operator->() const { return &value_; }

  // Stores the value and, when it differs from the old one, tells the observers.
  void set(T value) {
    if (value_ == value) return;
    value_ = std::move(value);
    changed_.emit();
  }
  Published& operator=(T value) {
    set(std::move(value));
    return *this;
  }

  // Changes the value in place and tells the observers when `change` says it changed
  // anything: for a value too large to copy at each change.
  template <class Change>
  void modify(Change&& change) {
    if (std::forward<Change>(change)(value_)) changed_.emit();
  }

  sigc::signal<void()>& signalChanged() { return changed_; }

 private:
  T value_;
  sigc::signal<void()> changed_;
};

}  // namespace vesk
