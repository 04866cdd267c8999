#pragma once
// The desktop clipboard as state objects see it: they put plain text on it. The
// application passes the display's clipboard; tests pass a recorder.
#include <string>

namespace vesk {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces whatever the clipboard held with `text`, as plain text.
  virtual void setText(const std::string& text) = 0;
};

}  // namespace vesk
