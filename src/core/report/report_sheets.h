#pragma once
// What the two small report sheets show: the confirmation before a run is deleted and the
// viewer of an archived image. Both are driven only by their arguments, so the report's
// panel and the library share them.
#include "core/report/report_source_preview.h"

#include <optional>
#include <string>

namespace vesk {

struct DeleteSheetLook {
  std::string deleteLabel;  // "Delete run", or "Deleting…" while the deletion runs
  bool buttonsEnabled = true;
  bool escapeCloses = true;  // Escape acts as Cancel, except while the deletion runs
  std::optional<std::string> error;
};

DeleteSheetLook deleteSheetLook(bool busy, const std::optional<std::string>& error);

// How far the viewer got with the bytes of the preview it shows.
enum class PreviewDecoding { pending, decoded, failed };

struct ImagePreviewLook {
  enum class Body { loading, image, message };
  std::string title;
  Body body = Body::message;
  std::string text;  // the progress label or the message; empty for the image
};

// The first case that holds: a preview that is loading (or whose bytes are still being
// decoded) shows the progress label, even when it carries bytes; decoded bytes show the
// image; anything else shows the preview's error, else the standing sentence.
ImagePreviewLook imagePreviewLook(const std::optional<ReportSourcePreview>& preview, PreviewDecoding decoding);

}  // namespace vesk
