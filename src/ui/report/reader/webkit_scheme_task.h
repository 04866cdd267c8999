#pragma once
// One "vesk-resource" request of the reader page as WebKit hands it over, answered once:
// the image with its exact media type, its length and "Cache-Control: no-store" (evidence
// addresses do not name the run, so nothing of one run may be reused for another), or a
// failure.
#include "core/platform/object_ptr.h"
#include "core/report/report_resources.h"

#include <webkit/webkit.h>

namespace vesk::ui {

class WebKitSchemeTask : public SchemeTask {
 public:
  explicit WebKitSchemeTask(WebKitURISchemeRequest* request);

  std::string url() const override;
  void respond(const std::string& mimeType, std::shared_ptr<const std::string> bytes) override;
  void fail(const SchemeFailure& failure) override;

  // The error WebKit gets for a failure.
  static glib::ErrorPtr errorFor(const SchemeFailure& failure);

 private:
  glib::ObjectPtr<WebKitURISchemeRequest> request_;
  bool answered_ = false;
};

}  // namespace vesk::ui
