#pragma once
// The display's clipboard, as the report states put plain text on it.
#include "core/platform/clipboard.h"

#include <gdkmm/clipboard.h>

namespace vesk::ui {

class DesktopClipboard : public Clipboard {
 public:
  // The default display's clipboard.
  DesktopClipboard();
  void setText(const std::string& text) override;

 private:
  Glib::RefPtr<Gdk::Clipboard> clipboard_;
};

}  // namespace vesk::ui
