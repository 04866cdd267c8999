#include "ui/app/sheet_host.h"

namespace vesk::ui {

SheetHost::SheetHost(SheetLayer& layer, Published<bool>& flag, Content content, EscapeRule escapeCloses)
    : layer_(layer), flag_(flag), content_(std::move(content)), escapeCloses_(std::move(escapeCloses)) {
  flag_.signalChanged().connect(sigc::mem_fun(*this, &SheetHost::flagChanged));
}

SheetHost::~SheetHost() {
  if (const auto sheet = std::exchange(sheet_, std::nullopt)) dismissIfLayerAlive(liveLayer_, *sheet);
}

void SheetHost::flagChanged() {
  if (*flag_ && !sheet_) {
    auto content = content_();
    SheetLayer::Options options;
    // The sheet owns its content, so the content lives as long as the rule is asked.
    if (escapeCloses_) options.escapeCloses = [rule = escapeCloses_, sheet = content.get()] { return rule(*sheet); };
    options.onDismissed = [this] {
      sheet_.reset();
      flag_ = false;
    };
    sheet_ = layer_.present(std::move(content), std::move(options));
  } else if (!*flag_ && sheet_) {
    layer_.dismiss(*sheet_);
  }
}

}  // namespace vesk::ui
