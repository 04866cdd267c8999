// ReaderBridge: the page's messages, the service requests made for it and their replies.
#include "core/async/background.h"
#include "core/platform/clipboard.h"
#include "core/records/json_document.h"
#include "core/records/vesk_error.h"
#include "core/report/failure_sentence.h"
#include "core/report/reader_bridge.h"
#include "core/report/reader_page_rules.h"
#include "core/shell/mail_link.h"
#include "core/text/text_rules.h"

#include <unicode/utf8.h>

namespace vesk {

namespace {

// The text member `key` of `message`, if there is one.
std::optional<std::string> textMember(const nlohmann::json& message, const char* key) {
  const auto member = message.find(key);
  if (member == message.end() || !member->is_string()) return std::nullopt;
  return member->get<std::string>();
}

bool isUtf8(std::string_view bytes) {
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  const auto length = static_cast<int32_t>(bytes.size());
  for (int32_t index = 0; index < length;) {
    UChar32 c = 0;
    U8_NEXT(data, index, length, c);
    if (c < 0) return false;
  }
  return true;
}

// The new report text of an answers reply, when the reply is an object with one. This
// runs on a worker for a long reply, which is where a long text learns whether it is
// in composed form, as every later comparison of it asks.
std::optional<SharedText> outputOf(const std::string& bytes) {
  try {
    const nlohmann::json reply = parseJsonDocument(bytes);
    if (!reply.is_object()) return std::nullopt;
    if (auto text = textMember(reply, "output")) {
      SharedText output(std::move(*text));
      output.isComposed();
      output.hash();
      return output;
    }
  } catch (const DecodingError&) {
    // A reply that is not JSON is only passed on.
  }
  return std::nullopt;
}

}  // namespace

// What the page is told of a service reply, and the new report text it carries.
ReaderBridge::ReadReply ReaderBridge::readReply(const std::string& bytes, const std::string& id, bool answers) {
  ReadReply read;
  if (answers) read.output = outputOf(bytes);
  read.scripts =
      replyScripts(id, 200, isUtf8(bytes) ? bytes : std::string(), answers ? "application/json" : "text/plain");
  return read;
}

bool ReaderBridge::isFromReader(const std::optional<std::string>& pageAddress) const {
  // Only the page this bridge loaded may post: an unknown reader address admits nothing.
  if (!readerAddress_ || !pageAddress) return false;
  const auto page = standardizedFilePath(*pageAddress);
  const auto reader = standardizedFilePath(*readerAddress_);
  return page && reader && *page == *reader;
}

void ReaderBridge::receive(const std::string& messageJson, const std::optional<std::string>& pageAddress,
                           bool mainFrame) {
  if (!mainFrame || !isFromReader(pageAddress)) return;
  nlohmann::json message;
  try {
    message = parseJsonDocument(messageJson);
  } catch (const DecodingError&) {
    return;
  }
  if (!message.is_object()) return;
  // Without a usable id or type there is nothing to answer.
  const auto id = textMember(message, "id");
  if (!id || prefixOfCharacters(*id, longestID).size() != id->size()) return;
  const auto type = textMember(message, "type");
  if (!type) return;
  if (*type == "cancel") return cancelRequest(*id);
  if (*type == "clipboard") return copy(*id, message);
  if (*type == "open") return open(message);
  if (!interactive_ || !api_ || !runID_ || *type != "request") return refuse(*id);
  admitRequest(*id, message);
}

void ReaderBridge::cancelRequest(const std::string& id) {
  const auto request = requests_.find(id);
  if (request == requests_.end()) return;
  const async::TaskRef task = request->second.task;
  requests_.erase(request);
  task.cancel();
}

void ReaderBridge::copy(const std::string& id, const nlohmann::json& message) {
  const auto text = textMember(message, "text");
  if (!text || text->size() > largestCopiedText || !clipboard_) return;
  clipboard_->setText(*text);
  reply(id, 200, "", "text/plain");
}

// A clicked link the page hands over instead of following it: only what a click could
// take out of the page (a web or mail address) leaves, and nothing is answered.
void ReaderBridge::open(const nlohmann::json& message) const {
  const auto url = textMember(message, "url");
  if (!url || !openLink_) return;
  const auto decision = decideNavigation(*url, true);
  if (decision != NavigationDecision::openInBrowser && decision != NavigationDecision::openMail) return;
  if (const auto address = addressToLaunch(*url)) openLink_(*address);
}

void ReaderBridge::admitRequest(const std::string& id, const nlohmann::json& message) {
  if (requests_.size() >= mostRequests || requests_.contains(id)) return refuse(id);
  const auto path = textMember(message, "path");
  auto operation = path ? nativeReportOperation(*path, runID_) : std::nullopt;
  const auto body = textMember(message, "body");
  if (!operation || !body || body->size() > largestRequestBody) return refuse(id);
  nlohmann::json parsed;
  try {
    parsed = parseJsonDocument(*body);
  } catch (const DecodingError&) {
    return refuse(id);
  }
  if (!parsed.is_object()) return refuse(id);
  const std::uint64_t serial = ++lastSerial_;
  RequestStart start{*api_, std::move(*operation), parsed.get<JsonObject>(), *runID_, id, serial};
  // The task first runs from the main loop, after its entry exists.
  requests_[id] = Request{async::spawn(requestTask(std::move(start))), serial};
}

async::Task<void> ReaderBridge::requestTask(RequestStart start) {
  const auto context = co_await async::currentContext();
  std::string bytes;
  std::optional<std::string> failure;
  try {
    bytes = co_await start.api.raw(start.operation, start.body, std::nullopt, Auth::bearer);
  } catch (const async::Cancelled&) {
    co_return;
  } catch (const std::exception& caught) {
    failure = failureSentence(caught);
  }
  // Cancellation comes first: the bridge cancels every request when it goes, so only a
  // task that is not cancelled may read it.
  if (context->isCancelled() || runID_ != start.runID) co_return;
  if (failure) {
    const nlohmann::json error = {{"error", {{"message", *failure}}}};
    reply(start.id, 500, error.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace), "application/json");
  } else {
    const bool answers = start.operation.ends_with("/answers");
    // A reply may be tens of megabytes: a long one is read and escaped on a worker.
    // Cancelled meanwhile, the await ends the task before it touches the bridge.
    ReadReply read;
    if (bytes.size() > largestInlineScript) {
      auto reading = async::inBackground([&bytes, &start, answers] { return readReply(bytes, start.id, answers); });
      read = co_await std::move(reading);
    } else {
      read = readReply(bytes, start.id, answers);
    }
    if (runID_ != start.runID) co_return;
    if (read.output) {
      // A copy: the callback may apply a new reader value, which replaces onOutput_.
      const auto onOutput = onOutput_;
      onOutput(*read.output, start.runID);
      // ... or move the reader to another run, or tear it down.
      if (context->isCancelled()) co_return;
    }
    scripts_.send(std::move(read.scripts));
  }
  const auto request = requests_.find(start.id);
  if (request != requests_.end() && request->second.serial == start.serial) requests_.erase(request);
}

}  // namespace vesk
