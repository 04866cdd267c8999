#include "ui/library/anchor_preview_host.h"

#include "ui/report/image_preview_sheet.h"

namespace vesk::ui {

AnchorPreviewHost::AnchorPreviewHost(SheetLayer& sheets, Read read, std::function<void()> clear)
    : sheets_(sheets), read_(std::move(read)), clear_(std::move(clear)) {}

AnchorPreviewHost::~AnchorPreviewHost() {
  leaving_ = true;
  if (id_) dismissIfLayerAlive(layer_, *id_);
}

void AnchorPreviewHost::update() {
  const auto preview = read_();
  if (!preview) {
    if (id_) sheets_.dismiss(*id_);
    return;
  }
  if (!id_) {
    auto content = std::make_unique<ImagePreviewSheet>([this] { clear_(); });
    content_ = content.get();
    SheetLayer::Options options;
    options.onDismissed = [this] {
      id_.reset();
      content_ = nullptr;
      if (!leaving_) clear_();
    };
    id_ = sheets_.present(std::move(content), std::move(options));
  }
  if (content_) content_->update(preview);
}

}  // namespace vesk::ui
