#include "ui/report/reader/reader_web_context.h"

#include "core/style/atelier.h"
#include "ui/report/reader/webkit_scheme_task.h"

#include <algorithm>
#include <array>
#include <vector>

namespace vesk::ui {

namespace {

constexpr const char* resourceScheme = "vesk-resource";
constexpr const char* messageHandlerName = "veskReport";
constexpr const char* emptyPage = "about:blank";

// The reader shows one local page: nothing it needs of a browser stays on.
void restrictSettings(WebKitWebView* view) {
  WebKitSettings* settings = webkit_web_view_get_settings(view);
  webkit_settings_set_javascript_can_open_windows_automatically(settings, FALSE);
  webkit_settings_set_allow_file_access_from_file_urls(settings, FALSE);
  webkit_settings_set_allow_universal_access_from_file_urls(settings, FALSE);
  webkit_settings_set_enable_developer_extras(settings, FALSE);
  webkit_settings_set_enable_html5_local_storage(settings, FALSE);
  webkit_settings_set_enable_html5_database(settings, FALSE);
  webkit_settings_set_enable_webgl(settings, FALSE);
  webkit_settings_set_enable_webaudio(settings, FALSE);
  webkit_settings_set_enable_media(settings, FALSE);
  webkit_settings_set_enable_back_forward_navigation_gestures(settings, FALSE);
  webkit_settings_set_enable_page_cache(settings, FALSE);
}

std::optional<std::string> textOf(const char* text) { return text ? std::optional<std::string>(text) : std::nullopt; }

}  // namespace

ReaderWebContext::ReaderWebContext()
    : context_(glib::ObjectPtr<WebKitWebContext>::adopt(webkit_web_context_new())),
      session_(glib::ObjectPtr<WebKitNetworkSession>::adopt(webkit_network_session_new_ephemeral())) {
  // A document viewer: no page cache, no prefetching, nothing kept between reports.
  webkit_web_context_set_cache_model(context_.get(), WEBKIT_CACHE_MODEL_DOCUMENT_VIEWER);
  schemeLink_ = new SchemeLink{this};
  webkit_web_context_register_uri_scheme(context_.get(), resourceScheme, &ReaderWebContext::schemeRequested,
                                         schemeLink_, [](gpointer link) { delete static_cast<SchemeLink*>(link); });
  view_ = makeView(nullptr);
  // The reader downloads nothing into the user's folders.
  g_signal_connect(
      session_.get(), "download-started",
      G_CALLBACK(+[](WebKitNetworkSession*, WebKitDownload* download) { webkit_download_cancel(download); }), nullptr);
}

ReaderWebContext::~ReaderWebContext() {
  schemeLink_->context = nullptr;
  host_ = nullptr;
  forgetView(spare_.get());
  releaseView();
}

glib::ObjectPtr<WebKitWebView> ReaderWebContext::makeView(WebKitWebView* related) {
  // Each view has a content manager of its own with the page's message handler: a
  // message then names the view that posted it, and one from a view that no longer shows
  // a report is never taken for the current page's.
  auto content = glib::ObjectPtr<WebKitUserContentManager>::adopt(webkit_user_content_manager_new());
  webkit_user_content_manager_register_script_message_handler(content.get(), messageHandlerName, nullptr);
  g_signal_connect(content.get(), "script-message-received::veskReport", G_CALLBACK(&ReaderWebContext::messageReceived),
                   this);
  // A related view shares the other's web process; the first one brings the context's.
  auto* made = related ? g_object_new(WEBKIT_TYPE_WEB_VIEW, "related-view", related, "user-content-manager",
                                      content.get(), nullptr)
                       : g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context_.get(), "network-session",
                                      session_.get(), "user-content-manager", content.get(), nullptr);
  auto view = glib::ObjectPtr<WebKitWebView>::adopt(WEBKIT_WEB_VIEW(g_object_ref_sink(made)));
  restrictSettings(view.get());
  // Opaque, in the canvas colour: without a GL compositor WebKit scrolls a transparent
  // page by drawing the moved content over what was there, leaving earlier frames behind.
  const auto canvas = Atelier::ivory;
  const GdkRGBA background{static_cast<float>(canvas.red), static_cast<float>(canvas.green),
                           static_cast<float>(canvas.blue), 1};
  webkit_web_view_set_background_color(view.get(), &background);
  g_signal_connect(view.get(), "decide-policy", G_CALLBACK(&ReaderWebContext::decidePolicy), this);
  g_signal_connect(view.get(), "load-changed", G_CALLBACK(&ReaderWebContext::loadChanged), this);
  g_signal_connect(view.get(), "create", G_CALLBACK(&ReaderWebContext::createRequested), this);
  g_signal_connect(view.get(), "context-menu", G_CALLBACK(&ReaderWebContext::trimContextMenu), this);
  // Printing goes through the application's own command, which prepares the page first.
  g_signal_connect(view.get(), "print", G_CALLBACK(+[](WebKitWebView*, WebKitPrintOperation*) { return TRUE; }),
                   nullptr);
  return view;
}

// Nothing of `view` reaches this context any more.
void ReaderWebContext::forgetView(WebKitWebView* view) {
  if (!view) return;
  g_signal_handlers_disconnect_by_data(view, this);
  auto* content = webkit_web_view_get_user_content_manager(view);
  g_signal_handlers_disconnect_by_data(content, this);
  webkit_user_content_manager_unregister_script_message_handler(content, messageHandlerName, nullptr);
  webkit_web_view_stop_loading(view);
}

void ReaderWebContext::releaseView() {
  forgetView(view_.get());
  if (gtk_widget_get_parent(GTK_WIDGET(view_.get()))) gtk_widget_unparent(GTK_WIDGET(view_.get()));
  view_ = glib::ObjectPtr<WebKitWebView>();
}

WebKitWebView* ReaderWebContext::attach(ReaderHost& host) {
  // A view moved to another parent keeps its old drawing's shared memory when it loads
  // again: each report gets a view of its own, related to the last so the web process
  // stays, and the last one goes.
  if (used_) {
    auto fresh = spare_ ? std::move(spare_) : makeView(view_.get());
    spare_ = glib::ObjectPtr<WebKitWebView>();
    releaseView();
    view_ = std::move(fresh);
  }
  used_ = true;
  host_ = &host;
  return view_.get();
}

void ReaderWebContext::detach(const ReaderHost& host) {
  if (host_ != &host) return;
  host_ = nullptr;
  webkit_web_view_stop_loading(view_.get());
  webkit_web_view_load_uri(view_.get(), emptyPage);
  // The next report's view is made now, off the way of the next visit: the web process
  // sets its page up while the empty page loads.
  if (!spare_) {
    spare_ = makeView(view_.get());
    webkit_web_view_load_uri(spare_.get(), emptyPage);
  }
}

void ReaderWebContext::schemeRequested(WebKitURISchemeRequest* request, gpointer data) {
  auto* self = static_cast<SchemeLink*>(data)->context;
  auto task = std::make_shared<WebKitSchemeTask>(request);
  // Dispatch by the requesting view: only this window's reader, while a report holds it.
  if (!self || !self->host_ || webkit_uri_scheme_request_get_web_view(request) != self->view_.get()) {
    task->fail({SchemeFailureKind::unsupportedURL, "No report is open."});
    return;
  }
  self->host_->schemeRequest(std::move(task));
}

void ReaderWebContext::messageReceived(WebKitUserContentManager* content, JSCValue* value, gpointer data) {
  auto* self = static_cast<ReaderWebContext*>(data);
  // Only the view a report holds speaks for it: a parked or spare view is not heard.
  if (!self->host_ || !value || content != webkit_web_view_get_user_content_manager(self->view_.get())) return;
  // The page's object as JSON text; anything that does not serialise is not a message.
  glib::GFreePtr<char> json(jsc_value_to_json(value, 0));
  if (!json) return;
  self->host_->scriptMessage(json.get(), textOf(webkit_web_view_get_uri(self->view_.get())));
}

gboolean ReaderWebContext::decidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                                        gpointer data) {
  auto* self = static_cast<ReaderWebContext*>(data);
  switch (type) {
    case WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION: self->decideNavigationAction(decision); return TRUE;
    case WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION: webkit_policy_decision_ignore(decision); return TRUE;
    default: return FALSE;  // responses: WebKit's own choice
  }
}

void ReaderWebContext::decideNavigationAction(WebKitPolicyDecision* decision) {
  auto* action = webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(decision));
  const auto url = textOf(webkit_uri_request_get_uri(webkit_navigation_action_get_request(action)));
  if (!host_) {
    // Parked: only the empty page.
    if (url == emptyPage) {
      webkit_policy_decision_use(decision);
    } else {
      webkit_policy_decision_ignore(decision);
    }
    return;
  }
  const bool clicked = webkit_navigation_action_get_navigation_type(action) == WEBKIT_NAVIGATION_TYPE_LINK_CLICKED;
  switch (host_->decideNavigation(url, clicked)) {
    case NavigationDecision::allow: webkit_policy_decision_use(decision); return;
    case NavigationDecision::openInBrowser:
    case NavigationDecision::openMail:
      webkit_policy_decision_ignore(decision);
      host_->openOutside(*url);
      return;
    case NavigationDecision::cancel: webkit_policy_decision_ignore(decision); return;
  }
}

void ReaderWebContext::loadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer data) {
  auto* self = static_cast<ReaderWebContext*>(data);
  if (event == WEBKIT_LOAD_FINISHED && self->host_) self->host_->pageFinishedLoading();
}

// The page may open no windows: a new-window request gets no view.
GtkWidget* ReaderWebContext::createRequested(WebKitWebView*, WebKitNavigationAction*, gpointer) { return nullptr; }

// A report is read, not browsed: the menu keeps copying and selecting, and drops going
// back, reloading, opening or saving links and images.
gboolean ReaderWebContext::trimContextMenu(WebKitWebView*, WebKitContextMenu* menu, WebKitHitTestResult*, gpointer) {
  constexpr std::array kept{WEBKIT_CONTEXT_MENU_ACTION_COPY, WEBKIT_CONTEXT_MENU_ACTION_COPY_LINK_TO_CLIPBOARD,
                            WEBKIT_CONTEXT_MENU_ACTION_COPY_IMAGE_TO_CLIPBOARD, WEBKIT_CONTEXT_MENU_ACTION_SELECT_ALL};
  std::vector<WebKitContextMenuItem*> dropped;
  for (GList* item = webkit_context_menu_get_items(menu); item; item = item->next) {
    auto* entry = WEBKIT_CONTEXT_MENU_ITEM(item->data);
    const auto action = webkit_context_menu_item_get_stock_action(entry);
    if (std::find(kept.begin(), kept.end(), action) == kept.end()) dropped.push_back(entry);
  }
  for (auto* entry : dropped) webkit_context_menu_remove(menu, entry);
  // Nothing left to offer: no menu at all.
  return webkit_context_menu_get_n_items(menu) == 0;
}

}  // namespace vesk::ui
