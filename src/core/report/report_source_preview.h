#pragma once
// An evidence image on show in a preview sheet: loading, shown (the bytes) or failed
// (the sentence). A download's result is accepted only by the preview that asked for it,
// recognised by its id.
#include <memory>
#include <optional>
#include <string>

namespace vesk {

struct ReportSourcePreview {
  std::string id;  // made afresh for each preview
  std::string title;
  bool loading = false;
  std::shared_ptr<const std::string> data;  // the image bytes once shown; shared, never copied
  std::optional<std::string> error;

  static ReportSourcePreview loadingPreview(std::string id, std::string title) {
    return ReportSourcePreview{std::move(id), std::move(title), true, nullptr, std::nullopt};
  }
  ReportSourcePreview shown(std::shared_ptr<const std::string> bytes) const {
    return ReportSourcePreview{id, title, false, std::move(bytes), std::nullopt};
  }
  ReportSourcePreview failed(std::string sentence) const {
    return ReportSourcePreview{id, title, false, nullptr, std::move(sentence)};
  }

  bool operator==(const ReportSourcePreview& other) const {
    const bool sameData = data == other.data || (data && other.data && *data == *other.data);
    return id == other.id && title == other.title && loading == other.loading && sameData && error == other.error;
  }
};

}  // namespace vesk
