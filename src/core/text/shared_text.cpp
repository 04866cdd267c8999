#include "core/text/shared_text.h"

#include "core/text/text_equivalence.h"

#include <functional>
#include <ostream>

namespace vesk {

SharedText::SharedText(std::string text) {
  if (!text.empty()) buffer_ = std::make_shared<const Buffer>(std::move(text));
}

const std::string& SharedText::str() const {
  static const std::string none;
  return buffer_ ? buffer_->text : none;
}

bool SharedText::isComposed() const {
  if (!buffer_) return true;
  signed char known = buffer_->composed.load(std::memory_order_relaxed);
  if (known < 0) {
    known = isComposedText(buffer_->text) ? 1 : 0;
    buffer_->composed.store(known, std::memory_order_relaxed);
  }
  return known == 1;
}

std::size_t SharedText::hash() const {
  if (!buffer_) return std::hash<std::string>{}(std::string());
  if (!buffer_->hashed.load(std::memory_order_acquire)) {
    buffer_->hash.store(std::hash<std::string>{}(buffer_->text), std::memory_order_relaxed);
    buffer_->hashed.store(true, std::memory_order_release);
  }
  return buffer_->hash.load(std::memory_order_relaxed);
}

std::ostream& operator<<(std::ostream& stream, const SharedText& text) { return stream << text.str(); }

}  // namespace vesk
