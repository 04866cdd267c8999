#include "core/library/anchor_download.h"

#include "core/api/call_limits.h"
#include "core/api/desktop_api_sentences.h"
#include "core/api/http_exchange.h"

namespace vesk {

async::Task<AnchorFile> downloadAnchor(DesktopAPI api, std::string projectID, std::size_t limit) {
  const std::string operation = "projects/" + DesktopAPI::pathIdentifier(projectID) + "/anchor";
  // A token that cannot travel in a header is no token at all.
  if (!api.token || api.token->find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
    throw VeskError::message(sentences::connectFirst);

  HttpRequest request;
  request.method = "GET";
  request.url = api.endpoint(operation);
  request.idleLimit = DesktopAPI::timeoutFor(operation, request.method);
  request.deadline = CallLimits::fileDeadline;
  request.headers.emplace_back("Content-Type", "application/json");
  request.headers.emplace_back("Authorization", "Bearer " + *api.token);
  request.bodyLimit = limit;

  auto reply = co_await exchange(std::move(request));
  if (reply.status < 200 || reply.status > 299) throw DesktopAPI::failure(static_cast<int>(reply.status), reply.body);
  co_return AnchorFile{std::move(reply.body), reply.overLimit};
}

}  // namespace vesk
