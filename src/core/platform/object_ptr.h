#pragma once
// Owning handles for GLib and GObject values, so no code path leaks a ref.
#include <glib-object.h>

#include <memory>
#include <string>
#include <utility>

namespace vesk::glib {

// Holds one reference to a GObject-derived instance.
template <class T>
class ObjectPtr {
 public:
  ObjectPtr() = default;
  // Takes over a reference the caller owns (the usual "transfer full" return).
  static ObjectPtr adopt(T* object) { return ObjectPtr(object); }
  // Adds a reference of its own to a borrowed instance.
  static ObjectPtr retain(T* object) {
    if (object) g_object_ref(object);
    return ObjectPtr(object);
  }
  ObjectPtr(const ObjectPtr& other) : object_(other.object_) {
    if (object_) g_object_ref(object_);
  }
  ObjectPtr(ObjectPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ObjectPtr& operator=(ObjectPtr other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~ObjectPtr() {
    if (object_) g_object_unref(object_);
  }

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  T* release() { return std::exchange(object_, nullptr); }

 private:
  explicit ObjectPtr(T* object) : object_(object) {}
  T* object_ = nullptr;
};

struct GFreeDeleter {
  void operator()(void* p) const { g_free(p); }
};
// A string or buffer allocated by GLib.
template <class T = char>
using GFreePtr = std::unique_ptr<T, GFreeDeleter>;

struct GErrorDeleter {
  void operator()(GError* e) const { g_error_free(e); }
};
using ErrorPtr = std::unique_ptr<GError, GErrorDeleter>;

struct GBytesDeleter {
  void operator()(GBytes* b) const { g_bytes_unref(b); }
};
using BytesPtr = std::unique_ptr<GBytes, GBytesDeleter>;

struct GMainLoopDeleter {
  void operator()(GMainLoop* l) const { g_main_loop_unref(l); }
};
using MainLoopPtr = std::unique_ptr<GMainLoop, GMainLoopDeleter>;

// Collects a GError from a GLib call: `ErrorSlot err; f(..., err.out()); if (err) ...`.
class ErrorSlot {
 public:
  GError** out() { return &raw_; }
  explicit operator bool() const { return raw_ != nullptr; }
  const GError* get() const { return raw_; }
  std::string message() const { return raw_ ? raw_->message : std::string(); }
  bool matches(GQuark domain, int code) const { return raw_ && g_error_matches(raw_, domain, code); }
  ErrorPtr take() { return ErrorPtr(std::exchange(raw_, nullptr)); }
  ~ErrorSlot() {
    if (raw_) g_error_free(raw_);
  }
  ErrorSlot() = default;
  ErrorSlot(const ErrorSlot&) = delete;
  ErrorSlot& operator=(const ErrorSlot&) = delete;

 private:
  GError* raw_ = nullptr;
};

// A main-loop source that is removed when its owner goes away.
class SourceId {
 public:
  SourceId() = default;
  explicit SourceId(guint id) : id_(id) {}
  SourceId(SourceId&& other) noexcept : id_(std::exchange(other.id_, 0)) {}
  SourceId& operator=(SourceId&& other) noexcept {
    if (this != &other) {
      remove();
      id_ = std::exchange(other.id_, 0);
    }
    return *this;
  }
  SourceId(const SourceId&) = delete;
  SourceId& operator=(const SourceId&) = delete;
  ~SourceId() { remove(); }

  // Forget the id without removing: the source has already ended on its own.
  void release() { id_ = 0; }
  void remove() {
    if (id_) g_source_remove(std::exchange(id_, 0));
  }
  explicit operator bool() const { return id_ != 0; }

 private:
  guint id_ = 0;
};

}  // namespace vesk::glib
