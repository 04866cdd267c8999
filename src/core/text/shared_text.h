#pragma once
// A text that is passed around far more often than it changes, such as a report of tens
// of megabytes: copies share one buffer, which nobody writes once it is made. Whether the
// text is already in composed form (NFC), and its hash, are worked out once per buffer
// and kept, so comparing or fingerprinting a long text does not read it again each time.
#include <atomic>
#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace vesk {

class SharedText {
 public:
  SharedText() = default;
  SharedText(std::string text);                                    // NOLINT: a text is a shared text
  SharedText(const char* text) : SharedText(std::string(text)) {}  // NOLINT

  const std::string& str() const;
  operator const std::string&() const { return str(); }  // NOLINT: read as a string
  std::string_view view() const { return str(); }
  bool empty() const { return !buffer_ || buffer_->text.empty(); }
  std::size_t size() const { return buffer_ ? buffer_->text.size() : 0; }

  // True when both hold one buffer: equal without reading them.
  bool sharesBufferWith(const SharedText& other) const { return buffer_ == other.buffer_; }
  // Whether the text is in composed form; worked out on first use, from any thread.
  bool isComposed() const;
  // std::hash of the text; worked out on first use, from any thread.
  std::size_t hash() const;

  friend bool operator==(const SharedText& first, const SharedText& second) {
    return first.sharesBufferWith(second) || first.str() == second.str();
  }
  friend bool operator==(const SharedText& first, std::string_view second) { return first.view() == second; }
  friend bool operator==(const SharedText& first, const std::string& second) { return first.str() == second; }
  friend bool operator==(const SharedText& first, const char* second) { return first.view() == second; }

 private:
  struct Buffer {
    explicit Buffer(std::string text) : text(std::move(text)) {}
    const std::string text;
    mutable std::atomic<signed char> composed{-1};  // -1 until known, then 0 or 1
    mutable std::atomic<bool> hashed{false};
    mutable std::atomic<std::size_t> hash{0};
  };
  std::shared_ptr<const Buffer> buffer_;
};

std::ostream& operator<<(std::ostream& stream, const SharedText& text);

}  // namespace vesk
