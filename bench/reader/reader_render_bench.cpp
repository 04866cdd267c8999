// The reader page with long reports, in a real web view: the time from handing the
// reader a 200 KB report (target 150 ms) or a 2 MB one (target 1 s) until the page has
// drawn the frame after it, and beside them the time until each is drawn in full (the
// page shows a long report's first part at once and draws the rest in slices). Each
// figure is the median of several runs, each with a fresh text, so the bridge always
// sends it.
//
//   vesk_reader_render_bench [RUNS]
//
// Needs a display; scripts/bench runs it under Xvfb.
#include "core/platform/clipboard.h"
#include "core/platform/object_ptr.h"
#include "ui/report/reader/reader_web_context.h"
#include "ui/report/reader/report_reader_view.h"

#include <gtkmm/init.h>
#include <gtkmm/window.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class NoClipboard : public vesk::Clipboard {
 public:
  void setText(const std::string&) override {}
};

// A report of about `bytes` bytes, shaped like the service's: sections of findings with
// paragraphs, lists, a table and a code block. `variant` makes each text distinct.
std::string longReport(std::size_t bytes, int variant) {
  std::string report = "# Long report " + std::to_string(variant) + "\n\n";
  for (int section = 0; report.size() < bytes; ++section) {
    report += "## Section " + std::to_string(section) + "\n\n";
    for (int finding = 0; finding < 4; ++finding) {
      report += "### Finding " + std::to_string(section) + "." + std::to_string(finding) + "\n\n";
      report +=
          "The **call to action** competes with three secondary links, and the hero copy speaks of "
          "features before it says who the product is for. Visitors scan past it; see "
          "[the guidelines](https://example.com/guide) for the pattern.\n\n";
      report +=
          "- Move the primary action above the fold\n- Cut the secondary links to one\n"
          "- Say who it is for in the first line\n\n";
    }
    report += "| Area | Severity | Effort |\n|---|---|---|\n| Hero | High | Low |\n| Pricing | Medium | Medium |\n\n";
    report += "```\n<button class=\"primary\">Start free</button>\n```\n\n";
  }
  return report;
}

// Runs `body` as an async function in the page and waits for it; scripts run in the page
// in the order they are sent, so it starts after everything sent before it.
bool awaitPage(WebKitWebView* view, const char* body) {
  bool done = false;
  webkit_web_view_call_async_javascript_function(
      view, body, -1, nullptr, nullptr, nullptr, nullptr,
      [](GObject* source, GAsyncResult* result, gpointer flag) {
        vesk::glib::ErrorSlot error;
        auto value = vesk::glib::ObjectPtr<JSCValue>::adopt(
            webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(source), result, error.out()));
        *static_cast<bool*>(flag) = true;
      },
      &done);
  const auto deadline = Clock::now() + std::chrono::seconds(120);
  while (!done && Clock::now() < deadline) g_main_context_iteration(nullptr, TRUE);
  return done;
}

constexpr const char* nextFrame = "await new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r)))";
// The page counts each report it has drawn completely in body's data-rendered.
constexpr const char* noteDrawn = "window.benchDrawn = Number(document.body.dataset.rendered || 0)";
constexpr const char* fullyDrawn =
    "while (Number(document.body.dataset.rendered || 0) <= window.benchDrawn)"
    "  await new Promise(r => setTimeout(r, 2));"
    "await new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r)))";

double medianMs(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Figures {
  double firstFrame = -1;  // the first frame drawn after the report was handed over
  double drawn = -1;       // the whole report drawn
};

Figures measure(vesk::ui::ReportReaderView& reader, std::size_t bytes, int runs, int& variant) {
  std::vector<double> first;
  std::vector<double> drawn;
  for (int run = 0; run < runs; ++run) {
    auto arguments = reader.arguments();
    arguments.markdown = longReport(bytes, ++variant);
    if (!awaitPage(reader.webView(), noteDrawn)) return {};
    const auto start = Clock::now();
    reader.setArguments(arguments, {});
    if (!awaitPage(reader.webView(), nextFrame)) return {};
    first.push_back(since(start));
    if (!awaitPage(reader.webView(), fullyDrawn)) return {};
    drawn.push_back(since(start));
  }
  return {medianMs(first), medianMs(drawn)};
}

void print(const char* what, double ms, const char* target) {
  std::printf("%-62s median %8.1f ms   %s\n", what, ms, target);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  gtk_init();
  Gtk::init_gtkmm_internals();
  const std::filesystem::path page = std::filesystem::path(VESK_BENCH_RESOURCE_DIR) / "reader" / "reader.html";
  if (!std::filesystem::exists(page)) {
    std::fprintf(stderr, "no reader page at %s\n", page.c_str());
    return 1;
  }
  vesk::ui::ReaderWebContext web;
  auto* reader = Gtk::make_managed<vesk::ui::ReportReaderView>(web, page, std::make_shared<NoClipboard>(), nullptr);
  Gtk::Window window;
  window.set_default_size(1220, 850);
  window.set_child(*reader);
  window.present();

  vesk::ReaderArguments arguments;
  arguments.markdown = "# Warming up\n";
  arguments.runID = "run_bench";
  arguments.topInset = 204;
  arguments.provenanceJSON = "[]";
  reader->setArguments(arguments, {});
  const auto deadline = Clock::now() + std::chrono::seconds(30);
  while (!reader->pageLoaded() && Clock::now() < deadline) g_main_context_iteration(nullptr, TRUE);
  if (!reader->pageLoaded() || !awaitPage(reader->webView(), nextFrame)) {
    std::fprintf(stderr, "the reader page did not load\n");
    return 1;
  }

  int variant = 0;
  const auto small = measure(*reader, 200 * 1024, runs, variant);
  const auto large = measure(*reader, 2 * 1024 * 1024, std::max(1, runs / 2), variant);
  print("reader: first paint of a 200 KB report after showReport", small.firstFrame, "(target 150 ms)");
  print("reader: showReport of a 2 MB report, to its first frame", large.firstFrame, "(target 1000 ms)");
  print("reader: a 200 KB report drawn in full", small.drawn, "");
  print("reader: a 2 MB report drawn in full", large.drawn, "");
  window.unset_child();
  return small.drawn < 0 || large.drawn < 0 ? 1 : 0;
}
