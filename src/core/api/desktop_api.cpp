// Sending calls, reading failures and the availability probe.
#include "core/api/desktop_api.h"

#include "core/api/availability.h"
#include "core/api/call_limits.h"
#include "core/api/desktop_api_sentences.h"
#include "core/api/http_exchange.h"
#include "core/records/json_document.h"

namespace vesk {

namespace {

using namespace std::chrono_literals;

constexpr std::size_t largestFailureBody = 64 * 1024;

// The Authorization header value, or the given sentence when there is no token to send.
// A token that cannot travel in a header (a line break or NUL in it) is no token at all.
std::string bearer(const std::optional<std::string>& token, const char* missing) {
  if (!token || token->find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
    throw VeskError::message(missing);
  return "Bearer " + *token;
}

async::Task<std::string> send(DesktopAPI api, std::string operation, std::optional<JsonObject> body,
                              std::optional<std::string> method, Auth auth, std::optional<std::size_t> byteLimit) {
  HttpRequest request;
  request.url = api.endpoint(operation);
  request.method = method ? *method : body ? "POST" : "GET";
  request.idleLimit = DesktopAPI::timeoutFor(operation, request.method);
  const auto limits = CallLimits::forOperation(operation, request.method);
  request.deadline = limits.deadline;
  request.headers.emplace_back("Content-Type", "application/json");
  if (auth == Auth::bearer) request.headers.emplace_back("Authorization", bearer(api.token, sentences::connectFirst));
  if (body) request.body = nlohmann::json(std::move(*body)).dump();
  request.bodyLimit = byteLimit.value_or(limits.replyBytes);

  auto reply = co_await exchange(std::move(request));
  if (reply.status < 200 || reply.status > 299) throw DesktopAPI::failure(static_cast<int>(reply.status), reply.body);
  if (reply.overLimit) throw ReplyTooLarge(DecodingError::sentence);
  co_return std::move(reply.body);
}

async::Task<void> receive(DesktopAPI api, std::string operation, GOutputStream* destination, Auth auth,
                          std::optional<std::size_t> byteLimit) {
  HttpRequest request;
  request.url = api.endpoint(operation);
  request.method = "GET";
  request.idleLimit = DesktopAPI::timeoutFor(operation, request.method);
  request.deadline = CallLimits::forOperation(operation, request.method).deadline;
  request.headers.emplace_back("Content-Type", "application/json");
  if (auth == Auth::bearer) request.headers.emplace_back("Authorization", bearer(api.token, sentences::connectFirst));
  // Only a failed reply is read into memory: its error body is small, and kept so.
  request.bodyLimit = largestFailureBody;
  request.writeLimit = byteLimit;

  const auto reply = co_await exchangeInto(std::move(request), destination);
  if (reply.status < 200 || reply.status > 299) throw DesktopAPI::failure(static_cast<int>(reply.status), reply.body);
  if (reply.overLimit) throw ReplyTooLarge(DecodingError::sentence);
}

async::Task<void> probe(DesktopAPI api) {
  std::string reply;
  try {
    reply = co_await api.raw("connection", std::nullopt, std::nullopt, Auth::none);
  } catch (const DesktopHTTPError& error) {
    const int status = error.status();
    if (status == 404 || status == 405 || status == 503) throw VeskError::message(sentences::signInUnavailable);
    throw;
  }
  DesktopAPI::validateConnectionAvailability(reply);
}

std::optional<std::string> textMember(const nlohmann::json& object, const char* key) {
  const auto found = object.find(key);
  if (found == object.end() || !found->is_string()) return std::nullopt;
  return found->get<std::string>();
}

}  // namespace

async::Task<std::string> DesktopAPI::raw(std::string operation, std::optional<JsonObject> body,
                                         std::optional<std::string> method, Auth auth,
                                         std::optional<std::size_t> byteLimit) const {
  return send(*this, std::move(operation), std::move(body), std::move(method), auth, byteLimit);
}

std::chrono::seconds DesktopAPI::timeoutFor(std::string_view operation, std::string_view method) {
  if (operation == "billing/portal") return 45s;
  if (method == "GET" && (operation == "settings/export" || operation.ends_with("/pdf"))) return 150s;
  if (method == "GET") return 20s;
  return 840s;
}

DesktopHTTPError DesktopAPI::failure(int status, std::string_view data) {
  std::optional<std::string> message;
  std::optional<std::string> code;
  nlohmann::json json;
  try {
    json = parseJsonDocument(data);
  } catch (const DecodingError&) {
    // No readable body: the sentence below names the status.
  }
  if (json.is_object()) {
    const auto error = json.find("error");
    if (error != json.end() && error->is_object()) {
      message = textMember(*error, "message");
      code = textMember(*error, "code");
    }
    if (!message) message = textMember(json, "error");
  }
  if (status == 401) message = sentences::sessionExpired;
  if (!message)
    message = std::string(sentences::couldNotConfirmStart) + std::to_string(status) + sentences::couldNotConfirmEnd;
  return DesktopHTTPError(status, std::move(code), *message);
}

async::Task<void> DesktopAPI::downloadInto(std::string operation, GOutputStream* destination, Auth auth,
                                           std::optional<std::size_t> byteLimit) const {
  return receive(*this, std::move(operation), destination, auth, byteLimit);
}

async::Task<void> DesktopAPI::checkConnectionAvailability() const { return probe(*this); }

void DesktopAPI::validateConnectionAvailability(std::string_view data) {
  try {
    const auto availability = Availability::fromJson(parseJsonDocument(data));
    if (availability.protocol == "vesk-desktop" && availability.version == 1) return;
  } catch (const DecodingError&) {
  } catch (const nlohmann::json::exception&) {
  }
  throw VeskError::message(sentences::signInUnavailable);
}

nlohmann::json DesktopAPI::parseReply(const std::string& bytes) { return parseJsonDocument(bytes); }

}  // namespace vesk
