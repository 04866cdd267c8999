#pragma once
// The report reader: the window's reader web view, held while this widget exists, showing
// the bundled reader page with the open run's report. The bridge in the core does the
// page's work (what it is shown, its requests, its evidence, where it may go); this
// widget joins it to WebKit, loads the page afresh for each visit and each run, and
// prints the rendered report.
#include "core/async/owned_tasks.h"
#include "core/platform/clipboard.h"
#include "core/report/reader_bridge.h"
#include "core/report/report_screen_rules.h"
#include "ui/report/reader/reader_web_context.h"

#include <gtkmm/widget.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vesk::ui {

class ReportReaderView : public Gtk::Widget, private ReaderHost {
 public:
  using OnOutput = std::function<void(const SharedText& output, const std::string& runID)>;
  // Opens a web address in the browser or a mail address in the mail program.
  using LinkOpener = std::function<void(const std::string& address)>;

  // `readerPage`: the bundled reader page; without it the view stays empty.
  ReportReaderView(ReaderWebContext& web, const std::optional<std::filesystem::path>& readerPage,
                   std::shared_ptr<Clipboard> clipboard, LinkOpener openLink);
  ~ReportReaderView() override;

  void setArguments(const ReaderArguments& arguments, OnOutput onOutput);
  const ReaderArguments& arguments() const { return arguments_; }

  // Prints the rendered report: the page prepares itself, the print runs (the print
  // dialog, or straight into the context's file), and the page is told when the job has
  // finished or failed. A second print while one runs is ignored.
  void print();
  bool printing() const { return printing_; }

  ReaderBridge& bridge() { return *bridge_; }
  WebKitWebView* webView() const { return web_.view(); }
  // The reader page has loaded for the run on show.
  bool pageLoaded() const { return loadedAddress_.has_value(); }

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override;
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void size_allocate_vfunc(int width, int height, int baseline) override;

 private:
  class ViewPage;

  void release();
  void loadPage();
  async::Task<void> printReport(glib::ObjectPtr<GtkWindow> parent);

  void pageFinishedLoading() override;
  void scriptMessage(const std::string& json, const std::optional<std::string>& pageAddress) override;
  NavigationDecision decideNavigation(const std::optional<std::string>& url, bool linkActivated) override;
  void openOutside(const std::string& url) override;
  void schemeRequest(std::shared_ptr<SchemeTask> task) override;

  ReaderWebContext& web_;
  const std::optional<std::string> readerAddress_;
  LinkOpener openLink_;
  std::unique_ptr<ViewPage> page_;
  std::unique_ptr<ReaderBridge> bridge_;
  ReaderArguments arguments_;
  std::optional<std::string> shownRun_;       // the run the page document was loaded for
  std::optional<std::string> loadedAddress_;  // set when that document finished loading
  bool printing_ = false;
  bool released_ = false;
  async::OwnedTasks tasks_;
};

}  // namespace vesk::ui
