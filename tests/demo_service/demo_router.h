#pragma once
// Finds the handler of a desktop API operation by method and path pattern: "{}" stands
// for one path segment (a run or project id, an index) and is handed to the handler.
#include "fake_service/fake_service.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <vector>

namespace vesk::demo {

using testing::RecordedRequest;
using testing::Reply;

struct DemoCall {
  const RecordedRequest& request;
  std::vector<std::string> params;  // the "{}" segments, in order
  nlohmann::json body;              // the parsed body; null when none was sent
};

using DemoHandler = std::function<Reply(const DemoCall&)>;

// {"error": {"message": sentence, "code": code}}: the form the client reads its sentence from.
Reply failure(int status, const std::string& message, const std::string& code);

class DemoRouter {
 public:
  void add(const std::string& method, const std::string& pattern, DemoHandler handler);
  // Answers the operation (the path below "/api/desktop/"): its handler's reply, a 404
  // for an unknown operation, a 405 for a known one with another method, a 400 for a
  // body that is not JSON.
  Reply dispatch(const RecordedRequest& request, const std::string& operation) const;

 private:
  struct Route {
    std::string method;
    std::vector<std::string> pattern;
    DemoHandler handler;
  };
  static bool matches(const std::vector<std::string>& pattern, const std::vector<std::string>& segments,
                      std::vector<std::string>& params);
  std::vector<Route> routes_;
};

}  // namespace vesk::demo
