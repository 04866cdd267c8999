#pragma once
// The bridge between the reader page and the application, without the web view: what the
// page is shown (window.showReport), the page's messages to "veskReport" (requests to the
// service, their cancellation, copying a text) and the replies to them
// (window.receiveVeskResponse), and where the page may navigate. The web view adapter
// forwards its events here and runs the scripts this hands it.
//
// Lives on the main thread. Every request task is cancelled when the run or connection
// changes and when the bridge goes, and a cancelled request is never answered, so
// nothing reaches the page after the bridge is destroyed.
#include "core/api/desktop_api.h"
#include "core/async/spawn.h"
#include "core/report/page_script_queue.h"
#include "core/report/report_resources.h"
#include "core/report/report_screen_rules.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

class Clipboard;

// What the bridge needs of the web view: run a script in the page, results ignored.
class ReaderPage {
 public:
  virtual ~ReaderPage() = default;
  virtual void evaluateScript(const std::string& script) = 0;
};

// One application of the reader's inputs.
struct ReaderValue {
  ReaderArguments arguments;
  // Receives the new report text (and its run) after the owner's answers were saved.
  std::function<void(const SharedText& output, const std::string& runID)> onOutput;
};

// openMail: a clicked "mailto:" address, for the window's mail opener.
enum class NavigationDecision { allow, cancel, openInBrowser, openMail };

class ReaderBridge {
 public:
  static constexpr std::string_view messageHandlerName = "veskReport";
  static constexpr std::string_view preparePrintScript = "await window.prepareVeskPrint()";  // an async function body
  static constexpr std::string_view finishPrintScript = "window.finishVeskPrint()";
  static constexpr std::string_view refusedBody = R"({"error":{"message":"This operation is unavailable."}})";
  static constexpr std::size_t longestID = 64;                 // user-perceived characters
  static constexpr std::size_t largestRequestBody = 32'768;    // UTF-8 bytes
  static constexpr std::size_t largestCopiedText = 1'048'576;  // UTF-8 bytes
  static constexpr std::size_t mostRequests = 4;
  // Reports and replies longer than this are escaped into their script off the main loop.
  static constexpr std::size_t largestInlineScript = 256 * 1024;  // bytes

  // Opens a clicked web address in the browser or a mail address in the mail program.
  using LinkOpener = std::function<void(const std::string& address)>;

  // `page` must outlive the bridge; `clipboard` takes the page's copies, `openLink` the
  // links the page hands over.
  ReaderBridge(ReaderPage& page, std::shared_ptr<Clipboard> clipboard, LinkOpener openLink = nullptr);
  // Ends everything in flight; the page hears nothing afterwards.
  ~ReaderBridge();
  ReaderBridge(const ReaderBridge&) = delete;
  ReaderBridge& operator=(const ReaderBridge&) = delete;

  const std::shared_ptr<ReportResources>& resources() const { return resources_; }

  // Applies the reader's inputs; shows the report again when anything the page sees
  // changed. A new run or connection abandons the page's requests without replies.
  void configure(const ReaderValue& value);
  // The reader page (its file:// URI) starts loading a new document; the report is shown
  // again once it has loaded, and the old document's evidence requests are given up.
  void pageLoading(std::string readerAddress);
  // The page finished loading: from now on the report is shown.
  void pageLoaded();
  // One message posted to "veskReport": its body as JSON text, the address of the page
  // that posted it (the view's current URI), and whether it came from the main frame.
  void receive(const std::string& messageJson, const std::optional<std::string>& pageAddress, bool mainFrame = true);
  NavigationDecision decideNavigation(const std::optional<std::string>& url, bool linkActivated) const;
  // Ends the evidence requests and cancels every page request, with no replies.
  void invalidate();
  std::size_t requestsInFlight() const { return requests_.size(); }

 private:
  struct Request {
    async::TaskRef task;
    std::uint64_t serial = 0;  // tells a request from a later one under the same id
  };
  // What a request task was started with.
  struct RequestStart {
    DesktopAPI api;
    std::string operation;
    JsonObject body;
    std::string runID;
    std::string id;
    std::uint64_t serial = 0;
  };

  struct ReadReply {
    std::optional<SharedText> output;  // an answers reply's new report text
    std::vector<std::string> scripts;  // the page's 200
  };
  static ReadReply readReply(const std::string& bytes, const std::string& id, bool answers);

  void show();
  static std::vector<std::string> replyScripts(const std::string& id, int status, const std::string& body,
                                               std::string_view mime);
  void reply(const std::string& id, int status, const std::string& body, std::string_view mime);
  void refuse(const std::string& id) { reply(id, 403, std::string(refusedBody), "application/json"); }
  bool isFromReader(const std::optional<std::string>& pageAddress) const;
  void cancelRequest(const std::string& id);
  void copy(const std::string& id, const nlohmann::json& message);
  void open(const nlohmann::json& message) const;
  void admitRequest(const std::string& id, const nlohmann::json& message);
  void cancelAllRequests();
  // Sends one request and answers it, unless it was cancelled or the run changed meanwhile.
  async::Task<void> requestTask(RequestStart start);

  ReaderPage& page_;
  PageScriptQueue scripts_{page_};
  std::shared_ptr<Clipboard> clipboard_;
  LinkOpener openLink_;
  std::shared_ptr<ReportResources> resources_ = std::make_shared<ReportResources>();
  std::optional<std::string> readerAddress_;
  std::optional<DesktopAPI> api_;
  std::optional<std::string> runID_;
  SharedText markdown_;  // as given, not rewritten
  bool interactive_ = false;
  bool loaded_ = false;
  int topInset_ = 174;
  std::string provenanceJSON_ = "[]";
  bool discussion_ = false;
  std::function<void(const SharedText&, const std::string&)> onOutput_ = [](const SharedText&, const std::string&) {};
  std::map<std::string, Request> requests_;
  std::uint64_t lastSerial_ = 0;
};

}  // namespace vesk
