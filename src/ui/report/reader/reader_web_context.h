#pragma once
// The window's reader web view and everything WebKit keeps for it: a web context with
// the "vesk-resource" scheme registered once, an ephemeral network session, and the view
// with its own "veskReport" message handler. The screen on show attaches itself as the
// view's host and gets the view's events until it detaches. Each report screen gets a
// fresh view related to the last one, so a second report reuses the web process; the
// detached view stays, parked on an empty page, until then. Made when the first report
// opens, never at start-up.
#include "core/platform/object_ptr.h"
#include "core/report/reader_bridge.h"

#include <webkit/webkit.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace vesk::ui {

// What the attached report reader handles of the view's events.
class ReaderHost {
 public:
  virtual ~ReaderHost() = default;
  virtual void pageFinishedLoading() = 0;
  virtual void scriptMessage(const std::string& json, const std::optional<std::string>& pageAddress) = 0;
  virtual NavigationDecision decideNavigation(const std::optional<std::string>& url, bool linkActivated) = 0;
  // A clicked web or mail address, for the browser or the mail program.
  virtual void openOutside(const std::string& url) = 0;
  virtual void schemeRequest(std::shared_ptr<SchemeTask> task) = 0;
};

class ReaderWebContext {
 public:
  ReaderWebContext();
  ~ReaderWebContext();
  ReaderWebContext(const ReaderWebContext&) = delete;
  ReaderWebContext& operator=(const ReaderWebContext&) = delete;

  WebKitWebView* view() const { return view_.get(); }
  // The host takes the view's events from now on; a previous host is replaced and loses
  // its view. Returns the host's view, without a parent.
  WebKitWebView* attach(ReaderHost& host);
  // Ends `host`'s hold (if it still has it) and parks the view on an empty page, so the
  // last report leaves no document, script or request behind.
  void detach(const ReaderHost& host);
  bool attached(const ReaderHost& host) const { return host_ == &host; }

  // Where printing goes: the print dialog, or, for tests, straight into this PDF file.
  void printToFile(std::filesystem::path file) { printFile_ = std::move(file); }
  const std::optional<std::filesystem::path>& printFile() const { return printFile_; }

 private:
  static void schemeRequested(WebKitURISchemeRequest* request, gpointer self);
  static void messageReceived(WebKitUserContentManager*, JSCValue* value, gpointer self);
  static gboolean decidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                               gpointer self);
  static void loadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer self);
  static GtkWidget* createRequested(WebKitWebView*, WebKitNavigationAction*, gpointer);
  static gboolean trimContextMenu(WebKitWebView*, WebKitContextMenu* menu, WebKitHitTestResult*, gpointer);

  void decideNavigationAction(WebKitPolicyDecision* decision);
  glib::ObjectPtr<WebKitWebView> makeView(WebKitWebView* related);
  void forgetView(WebKitWebView* view);
  void releaseView();

  // What the scheme handler reaches this through. WebKit keeps the web context, and may
  // ask for a resource, after this is gone (views it still holds go last): the link then
  // names nobody, and WebKit frees it with the context.
  struct SchemeLink {
    ReaderWebContext* context = nullptr;
  };
  SchemeLink* schemeLink_ = nullptr;  // owned by the web context's scheme registration
  glib::ObjectPtr<WebKitWebContext> context_;
  glib::ObjectPtr<WebKitNetworkSession> session_;
  glib::ObjectPtr<WebKitWebView> view_;  // sunk: kept while no screen holds it
  ReaderHost* host_ = nullptr;
  bool used_ = false;                     // whether a host has had the view
  glib::ObjectPtr<WebKitWebView> spare_;  // the next report's view, made when one leaves
  std::optional<std::filesystem::path> printFile_;
};

}  // namespace vesk::ui
