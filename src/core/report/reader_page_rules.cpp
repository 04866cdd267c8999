#include "core/report/reader_page_rules.h"

#include "core/platform/object_ptr.h"
#include "core/report/report_resources.h"

#include <glib.h>

#include <array>
#include <memory>

namespace vesk {

namespace {

struct UriDeleter {
  void operator()(GUri* uri) const { g_uri_unref(uri); }
};

}  // namespace

std::optional<std::string> nativeReportOperation(std::string_view path, const std::optional<std::string>& runID) {
  if (!runID || !ReportResources::validRunID(*runID)) return std::nullopt;
  static constexpr std::array<std::string_view, 2> operations{"answers", "refine-finding"};
  for (const std::string_view name : operations) {
    if (path == "/api/runs/" + *runID + "/" + std::string(name)) return "runs/" + *runID + "/" + std::string(name);
  }
  return std::nullopt;
}

std::optional<std::string> standardizedFilePath(std::string_view uri) {
  if (uri.find('\0') != std::string_view::npos) return std::nullopt;
  const std::string text(uri);
  const std::unique_ptr<GUri, UriDeleter> parsed(g_uri_parse(text.c_str(), G_URI_FLAGS_NONE, nullptr));
  if (!parsed || g_strcmp0(g_uri_get_scheme(parsed.get()), "file") != 0) return std::nullopt;
  const char* host = g_uri_get_host(parsed.get());
  if (host && *host && g_ascii_strcasecmp(host, "localhost") != 0) return std::nullopt;
  const char* path = g_uri_get_path(parsed.get());
  if (!path || !g_path_is_absolute(path)) return std::nullopt;
  const glib::GFreePtr<char> canonical(g_canonicalize_filename(path, nullptr));
  return std::string(canonical.get());
}

}  // namespace vesk
