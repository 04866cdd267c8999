#pragma once
// Downloading a project's anchor file from the service. The file is data from the
// network, so reading stops just past a byte limit instead of holding whatever arrives.
#include "core/api/desktop_api.h"
#include "core/async/task.h"

#include <cstddef>
#include <string>

namespace vesk {

struct AnchorFile {
  std::string bytes;       // at most the limit
  bool overLimit = false;  // the file is longer than the limit; `bytes` is cut short
};

// GET "projects/<id>/anchor" with the bearer token. The id passes
// DesktopAPI::pathIdentifier as it stands. Fails as DesktopAPI::raw does: VeskError
// (refused id, no token), DesktopHTTPError, async::PlatformError, async::Cancelled.
async::Task<AnchorFile> downloadAnchor(DesktopAPI api, std::string projectID, std::size_t limit);

}  // namespace vesk
