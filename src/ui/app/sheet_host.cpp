#include "ui/app/sheet_host.h"

namespace vesk::ui {

SheetHost::SheetHost(SheetLayer& layer, Published<bool>& flag, Content content)
    : layer_(layer), flag_(flag), content_(std::move(content)) {
  flag_.signalChanged().connect(sigc::mem_fun(*this, &SheetHost::flagChanged));
}

SheetHost::~SheetHost() {
  if (const auto sheet = std::exchange(sheet_, std::nullopt)) layer_.dismiss(*sheet);
}

void SheetHost::flagChanged() {
  if (*flag_ && !sheet_) {
    SheetLayer::Options options;
    options.onDismissed = [this] {
      sheet_.reset();
      flag_ = false;
    };
    sheet_ = layer_.present(content_(), std::move(options));
  } else if (!*flag_ && sheet_) {
    layer_.dismiss(*sheet_);
  }
}

}  // namespace vesk::ui
