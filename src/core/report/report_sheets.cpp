#include "core/report/report_sheets.h"

#include "core/platform/preview_image.h"

namespace vesk {

namespace {

constexpr const char* loadingImage = "Loading archived image…";
constexpr const char* untitledImage = "Source image";

}  // namespace

DeleteSheetLook deleteSheetLook(bool busy, const std::optional<std::string>& error) {
  return DeleteSheetLook{busy ? "Deleting…" : "Delete run", !busy, !busy, error};
}

ImagePreviewLook imagePreviewLook(const std::optional<ReportSourcePreview>& preview, PreviewDecoding decoding) {
  using Body = ImagePreviewLook::Body;
  ImagePreviewLook look;
  look.title = preview ? preview->title : untitledImage;
  const bool hasData = preview && preview->data;
  if (preview && (preview->loading || (hasData && decoding == PreviewDecoding::pending))) {
    look.body = Body::loading;
    look.text = loadingImage;
  } else if (hasData && decoding == PreviewDecoding::decoded) {
    look.body = Body::image;
  } else {
    look.body = Body::message;
    look.text = preview && preview->error ? *preview->error : previewUnavailableSentence;
  }
  return look;
}

}  // namespace vesk
