// Downloading a run's evidence images.
#include "core/api/api_address.h"
#include "core/api/call_limits.h"
#include "core/api/desktop_api.h"
#include "core/api/desktop_api_sentences.h"
#include "core/api/http_exchange.h"

#include "core/platform/object_ptr.h"

#include <glib.h>

#include <algorithm>
#include <array>

namespace vesk {

namespace {

bool consume(std::string_view& text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// "runs/run_<letters and digits>/(attachments|url-shot)/<0 to 99, no leading zero>", the
// whole text and nothing more (no trailing line break either).
bool isEvidencePath(std::string_view path) {
  if (!consume(path, "runs/run_")) return false;
  std::size_t idLength = 0;
  while (idLength < path.size() && g_ascii_isalnum(path[idLength])) ++idLength;
  if (idLength == 0) return false;
  path.remove_prefix(idLength);
  if (!consume(path, "/attachments/") && !consume(path, "/url-shot/")) return false;
  if (path.empty() || path.size() > 2) return false;
  if (!g_ascii_isdigit(path[0]) || (path.size() == 2 && (path[0] == '0' || !g_ascii_isdigit(path[1])))) return false;
  return true;
}

bool isImageType(const std::optional<std::string>& type) {
  static constexpr std::array<std::string_view, 4> accepted{"image/png", "image/jpeg", "image/webp", "image/gif"};
  return type && std::find(accepted.begin(), accepted.end(), *type) != accepted.end();
}

async::Task<EvidenceImage> download(DesktopAPI api, std::string path, std::size_t byteLimit) {
  if (!isEvidencePath(path)) throw VeskError::message(sentences::invalidEvidence);
  if (!api.token || api.token->find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
    throw VeskError::message(sentences::evidenceNeedsToken);
  auto address = apiAddress(api.origin, path, std::nullopt);
  if (!address) throw VeskError::message(sentences::invalidEvidence);

  HttpRequest request;
  request.method = "GET";
  request.url = std::move(*address);
  request.headers.emplace_back("Authorization", "Bearer " + *api.token);
  request.idleLimit = DesktopAPI::evidenceTimeout;
  request.deadline = CallLimits::fileDeadline;
  request.bodyLimit = byteLimit;

  auto reply = co_await exchange(std::move(request));
  // Media types are case-insensitive: "IMAGE/PNG" is a PNG.
  if (reply.mimeType) reply.mimeType = glib::GFreePtr<char>(g_ascii_strdown(reply.mimeType->c_str(), -1)).get();
  if (reply.status != 200 || !isImageType(reply.mimeType)) throw VeskError::message(sentences::evidenceUnavailable);
  if (reply.overLimit) throw ReplyTooLarge(sentences::evidenceUnavailable);
  co_return EvidenceImage{std::move(reply.body), std::move(*reply.mimeType)};
}

}  // namespace

async::Task<EvidenceImage> DesktopAPI::asset(std::string path, std::size_t byteLimit) const {
  return download(*this, std::move(path), std::min(byteLimit, largestEvidence));
}

}  // namespace vesk
