#include "demo_service/demo_router.h"

namespace vesk::demo {

namespace {

std::vector<std::string> segmentsOf(const std::string& path) {
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (true) {
    const auto slash = path.find('/', start);
    segments.push_back(path.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
    if (slash == std::string::npos) return segments;
    start = slash + 1;
  }
}

}  // namespace

Reply failure(int status, const std::string& message, const std::string& code) {
  return Reply::json(nlohmann::json{{"error", {{"message", message}, {"code", code}}}}.dump(), status);
}

void DemoRouter::add(const std::string& method, const std::string& pattern, DemoHandler handler) {
  routes_.push_back({method, segmentsOf(pattern), std::move(handler)});
}

bool DemoRouter::matches(const std::vector<std::string>& pattern, const std::vector<std::string>& segments,
                         std::vector<std::string>& params) {
  if (pattern.size() != segments.size()) return false;
  params.clear();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == "{}") {
      if (segments[i].empty()) return false;
      params.push_back(segments[i]);
    } else if (pattern[i] != segments[i]) {
      return false;
    }
  }
  return true;
}

Reply DemoRouter::dispatch(const RecordedRequest& request, const std::string& operation) const {
  const auto segments = segmentsOf(operation);
  std::vector<std::string> params;
  bool knownPath = false;
  for (const auto& route : routes_) {
    if (!matches(route.pattern, segments, params)) continue;
    knownPath = true;
    if (route.method != request.method) continue;
    nlohmann::json body;
    if (!request.body.empty()) {
      body = nlohmann::json::parse(request.body, nullptr, false);
      if (body.is_discarded()) return failure(400, "The request body is not valid JSON.", "bad_request");
    }
    return route.handler(DemoCall{request, params, std::move(body)});
  }
  if (knownPath)
    return failure(405, "The Vesk demo service does not accept " + request.method + " for “" + operation + "”.",
                   "method_not_allowed");
  return failure(404, "The Vesk demo service does not offer “" + operation + "”.", "not_found");
}

}  // namespace vesk::demo
