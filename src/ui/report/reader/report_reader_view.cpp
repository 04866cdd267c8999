#include "ui/report/reader/report_reader_view.h"

#include "core/async/errors.h"
#include "core/async/gio_call.h"
#include "core/async/spawn.h"
#include "core/shell/mail_link.h"
#include "ui/report/reader/print_job.h"

#include <gtkmm/root.h>

namespace vesk::ui {

// The bridge's way into the page: scripts run in the view while this reader holds it,
// their results ignored. Every call carries the reader's cancellable, so nothing
// completes into a reader that is gone.
class ReportReaderView::ViewPage : public ReaderPage {
 public:
  ViewPage(WebKitWebView* view, std::function<bool()> holdsView)
      : view_(glib::ObjectPtr<WebKitWebView>::retain(view)),
        holdsView_(std::move(holdsView)),
        cancellable_(glib::ObjectPtr<GCancellable>::adopt(g_cancellable_new())) {}
  ~ViewPage() override { g_cancellable_cancel(cancellable_.get()); }
  ViewPage(const ViewPage&) = delete;
  ViewPage& operator=(const ViewPage&) = delete;

  void evaluateScript(const std::string& script) override {
    if (!holdsView_()) return;
    webkit_web_view_evaluate_javascript(view_.get(), script.data(), static_cast<gssize>(script.size()), nullptr,
                                        nullptr, cancellable_.get(), &ViewPage::ignoreResult, nullptr);
  }

 private:
  static void ignoreResult(GObject* view, GAsyncResult* result, gpointer) {
    glib::ErrorSlot error;
    auto value = glib::ObjectPtr<JSCValue>::adopt(
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, error.out()));
  }

  glib::ObjectPtr<WebKitWebView> view_;
  std::function<bool()> holdsView_;
  glib::ObjectPtr<GCancellable> cancellable_;
};

namespace {

std::optional<std::string> fileAddress(const std::optional<std::filesystem::path>& file) {
  if (!file) return std::nullopt;
  glib::GFreePtr<char> uri(g_filename_to_uri(file->c_str(), nullptr, nullptr));
  return uri ? std::optional<std::string>(uri.get()) : std::nullopt;
}

}  // namespace

ReportReaderView::ReportReaderView(ReaderWebContext& web, const std::optional<std::filesystem::path>& readerPage,
                                   std::shared_ptr<Clipboard> clipboard, LinkOpener openLink)
    : web_(web),
      readerAddress_(fileAddress(readerPage)),
      openLink_(std::move(openLink)),
      page_(std::make_unique<ViewPage>(web.attach(*this), [this] { return !released_ && web_.attached(*this); })),
      bridge_(std::make_unique<ReaderBridge>(*page_, std::move(clipboard),
                                             [this](const std::string& address) { openOutside(address); })) {
  set_name("report-reader");
  gtk_widget_set_parent(GTK_WIDGET(web_.view()), GTK_WIDGET(gobj()));
  // A managed reader's widget goes before its C++ side, and GTK wants the view it holds
  // given back by then.
  signal_destroy().connect(sigc::mem_fun(*this, &ReportReaderView::release));
}

ReportReaderView::~ReportReaderView() {
  release();
  bridge_.reset();
  page_.reset();
}

// Ends everything in flight and gives the window's web view back; once.
void ReportReaderView::release() {
  if (std::exchange(released_, true)) return;
  tasks_.cancelAll();
  bridge_->invalidate();
  web_.detach(*this);
  auto* view = GTK_WIDGET(web_.view());
  if (gobj() && gtk_widget_get_parent(view) == GTK_WIDGET(gobj())) gtk_widget_unparent(view);
}

void ReportReaderView::setArguments(const ReaderArguments& arguments, OnOutput onOutput) {
  if (released_) return;
  arguments_ = arguments;
  // Evidence addresses do not name the run: another run gets a document of its own. It
  // starts loading first, so the document it replaces is shown nothing of the new run.
  if (!shownRun_ || *shownRun_ != arguments.runID) {
    shownRun_ = arguments.runID;
    loadPage();
  }
  bridge_->configure(ReaderValue{arguments, std::move(onOutput)});
}

void ReportReaderView::loadPage() {
  loadedAddress_.reset();
  if (released_ || !web_.attached(*this) || !readerAddress_) return;
  bridge_->pageLoading(*readerAddress_);
  webkit_web_view_load_uri(web_.view(), readerAddress_->c_str());
}

void ReportReaderView::pageFinishedLoading() {
  const char* uri = webkit_web_view_get_uri(web_.view());
  // The end of an earlier load (the parked empty page) is not the reader's.
  if (!readerAddress_ || !uri || *readerAddress_ != uri) return;
  loadedAddress_ = *readerAddress_;
  bridge_->pageLoaded();
}

void ReportReaderView::scriptMessage(const std::string& json, const std::optional<std::string>& pageAddress) {
  bridge_->receive(json, pageAddress);
}

NavigationDecision ReportReaderView::decideNavigation(const std::optional<std::string>& url, bool linkActivated) {
  return bridge_->decideNavigation(url, linkActivated);
}

void ReportReaderView::openOutside(const std::string& url) {
  const auto address = addressToLaunch(url);
  if (openLink_ && address) openLink_(*address);
}

void ReportReaderView::schemeRequest(std::shared_ptr<SchemeTask> task) { bridge_->resources()->start(std::move(task)); }

void ReportReaderView::print() {
  if (released_ || printing_ || !pageLoaded()) return;
  printing_ = true;
  auto* root = get_root();
  auto parent = glib::ObjectPtr<GtkWindow>::retain(root ? GTK_WINDOW(root->gobj()) : nullptr);
  tasks_.add(async::spawn(printReport(std::move(parent))));
}

namespace {

// Runs a page function as the body of an async function and waits for it; a failing
// page script is no reason not to print.
async::Task<void> callPage(WebKitWebView* view, std::string_view body) {
  auto result = co_await async::gioCall([&](GCancellable* cancellable, GAsyncReadyCallback done, gpointer data) {
    webkit_web_view_call_async_javascript_function(view, body.data(), static_cast<gssize>(body.size()), nullptr,
                                                   nullptr, nullptr, cancellable, done, data);
  });
  glib::ErrorSlot error;
  auto value = glib::ObjectPtr<JSCValue>::adopt(
      webkit_web_view_call_async_javascript_function_finish(view, result.get(), error.out()));
  if (error.matches(G_IO_ERROR, G_IO_ERROR_CANCELLED)) throw async::Cancelled();
}

}  // namespace

// Cancelled with the reader: each await then ends the task before it touches the reader.
async::Task<void> ReportReaderView::printReport(glib::ObjectPtr<GtkWindow> parent) {
  auto view = glib::ObjectPtr<WebKitWebView>::retain(web_.view());
  const auto file = web_.printFile();
  co_await callPage(view.get(), ReaderBridge::preparePrintScript);
  co_await runPrintJob(view, std::move(parent), file);
  co_await callPage(view.get(), ReaderBridge::finishPrintScript);
  printing_ = false;
}

Gtk::SizeRequestMode ReportReaderView::get_request_mode_vfunc() const { return Gtk::SizeRequestMode::CONSTANT_SIZE; }

void ReportReaderView::measure_vfunc(Gtk::Orientation, int, int& minimum, int& natural, int& minimumBaseline,
                                     int& naturalBaseline) const {
  // The reader takes whatever the screen gives it; the page scrolls inside.
  minimum = natural = 0;
  minimumBaseline = naturalBaseline = -1;
}

void ReportReaderView::size_allocate_vfunc(int width, int height, int baseline) {
  auto* view = GTK_WIDGET(web_.view());
  if (gtk_widget_get_parent(view) == GTK_WIDGET(gobj())) {
    const GtkAllocation allocation{0, 0, width, height};
    gtk_widget_size_allocate(view, &allocation, baseline);
  }
}

}  // namespace vesk::ui
