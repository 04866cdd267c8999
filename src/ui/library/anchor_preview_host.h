#pragma once
// Shows the anchor image preview sheet while a preview is there to show, and redraws it
// as the preview loads. Closing the sheet, by its button or by Escape, clears the preview.
#include "core/report/report_source_preview.h"
#include "ui/app/sheet_layer.h"
#include "ui/app/weak_widget.h"

#include <functional>
#include <optional>

namespace vesk::ui {

class ImagePreviewSheet;

class AnchorPreviewHost {
 public:
  using Read = std::function<std::optional<ReportSourcePreview>()>;
  AnchorPreviewHost(SheetLayer& sheets, Read read, std::function<void()> clear);
  // Closes the sheet without clearing the preview: its owner is going.
  ~AnchorPreviewHost();
  AnchorPreviewHost(const AnchorPreviewHost&) = delete;
  AnchorPreviewHost& operator=(const AnchorPreviewHost&) = delete;

  // Follows the preview: opens, redraws or closes the sheet.
  void update();
  ImagePreviewSheet* sheet() const { return content_; }

 private:
  SheetLayer& sheets_;
  WeakWidget layer_{&sheets_};  // the same layer, for the destructor
  Read read_;
  std::function<void()> clear_;
  std::optional<SheetLayer::SheetId> id_;
  ImagePreviewSheet* content_ = nullptr;  // owned by the sheet layer while shown
  bool leaving_ = false;
};

}  // namespace vesk::ui
