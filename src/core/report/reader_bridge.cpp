// ReaderBridge: applying the reader's inputs, showing the report, replies and navigation.
#include "core/report/reader_bridge.h"

#include "core/records/json_document.h"
#include "core/records/vesk_error.h"
#include "core/report/page_call.h"
#include "core/report/reader_page_rules.h"
#include "core/shell/mail_link.h"

#include <utility>

namespace vesk {

namespace {

// Compact JSON for a script. Text that is not UTF-8 is written with U+FFFD instead of
// failing, so a damaged byte in a report never keeps the whole report off the page.
std::string scriptJson(const nlohmann::json& value) {
  return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// The provenance as the page takes it: an array or object, else an empty array.
nlohmann::json provenanceValue(const std::string& text) {
  try {
    nlohmann::json value = parseJsonDocument(text);
    if (value.is_array() || value.is_object()) return value;
  } catch (const DecodingError&) {
  }
  return nlohmann::json::array();
}

}  // namespace

ReaderBridge::ReaderBridge(ReaderPage& page, std::shared_ptr<Clipboard> clipboard, LinkOpener openLink)
    : page_(page), clipboard_(std::move(clipboard)), openLink_(std::move(openLink)) {}

ReaderBridge::~ReaderBridge() { invalidate(); }

void ReaderBridge::configure(const ReaderValue& value) {
  const ReaderArguments& reader = value.arguments;
  std::optional<DesktopAPI> connection = reader.fixture ? std::nullopt : reader.api;
  const bool changed = resources_->configure(connection, reader.runID);
  // Replies of the old run or connection would land in the new one: none is sent.
  if (changed) cancelAllRequests();
  api_ = std::move(connection);
  runID_ = reader.runID;
  if (value.onOutput) {
    onOutput_ = value.onOutput;
  } else {
    onOutput_ = [](const std::string&, const std::string&) {};
  }
  const bool interactive = !reader.fixture && reader.interactive && api_ && api_->token;
  const bool sameText = reader.markdown == markdown_;
  if (!changed && sameText && interactive == interactive_ && reader.topInset == topInset_ &&
      reader.provenanceJSON == provenanceJSON_ && reader.discussion == discussion_)
    return;
  if (!sameText) markdown_ = reader.markdown;
  interactive_ = interactive;
  topInset_ = reader.topInset;
  provenanceJSON_ = reader.provenanceJSON;
  discussion_ = reader.discussion;
  show();
}

// A new document of the page is on its way (the reader loads one per run): nothing is
// shown until it has loaded, so the old document is not sent what the new one will get.
void ReaderBridge::pageLoading(std::string readerAddress) {
  readerAddress_ = std::move(readerAddress);
  loaded_ = false;
  scripts_.clear();
  resources_->invalidate();
}

void ReaderBridge::pageLoaded() {
  loaded_ = true;
  show();
}

void ReaderBridge::show() {
  if (!loaded_) return;
  // Rewriting and escaping a long report takes a while: it is done on a worker, from
  // copies of the values (the report text is shared, not copied). A short one is done at
  // once, sparing it the trip.
  auto build = [markdown = markdown_, runID = runID_, interactive = interactive_, topInset = topInset_,
                provenance = provenanceJSON_, discussion = discussion_] {
    const nlohmann::json arguments = {
        ReportResources::rewrite(markdown, runID),
        runID ? nlohmann::json(*runID) : nlohmann::json(nullptr),
        interactive,
        topInset,
        provenanceValue(provenance),
        discussion,
    };
    return pageCallScripts("window.showReport(...", scriptJson(arguments), ")");
  };
  if (markdown_.size() + provenanceJSON_.size() > largestInlineScript) {
    scripts_.sendBuilt(std::move(build));
  } else {
    scripts_.send(build());
  }
}

std::vector<std::string> ReaderBridge::replyScripts(const std::string& id, int status, const std::string& body,
                                                    std::string_view mime) {
  const nlohmann::json response = {{"id", id}, {"status", status}, {"body", body}, {"mime", mime}};
  return pageCallScripts("window.receiveVeskResponse(", scriptJson(response), ")");
}

void ReaderBridge::reply(const std::string& id, int status, const std::string& body, std::string_view mime) {
  scripts_.send(replyScripts(id, status, body, mime));
}

NavigationDecision ReaderBridge::decideNavigation(const std::optional<std::string>& url, bool linkActivated) const {
  if (!url) return NavigationDecision::cancel;
  if (linkActivated) {
    // The scheme as written, before any normalisation.
    const std::string_view scheme = std::string_view(*url).substr(0, url->find(':'));
    if (scheme.size() < url->size() && (scheme == "http" || scheme == "https"))
      return NavigationDecision::openInBrowser;
    // Schemes are alike in any case; a mail link leaves only as mailLinkToLaunch makes it.
    if (isMailLink(*url)) return NavigationDecision::openMail;
  }
  if (!readerAddress_) return NavigationDecision::cancel;
  const auto target = standardizedFilePath(*url);
  const auto reader = standardizedFilePath(*readerAddress_);
  return target && reader && *target == *reader ? NavigationDecision::allow : NavigationDecision::cancel;
}

void ReaderBridge::invalidate() {
  resources_->invalidate();
  cancelAllRequests();
  scripts_.clear();
}

void ReaderBridge::cancelAllRequests() {
  for (const auto& [id, request] : std::exchange(requests_, {})) request.task.cancel();
}

}  // namespace vesk
