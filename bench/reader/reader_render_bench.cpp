// The reader page with long and hostile reports, in a real web view. For long reports:
// the time from handing the reader a 200 KB report (target 150 ms) or a 2 MB one (target
// 1 s) until the page has drawn the frame after it, and beside them the time until each
// is drawn in full (the page shows a long report's first part at once and draws the rest
// in slices). For hostile reports (overlong runs without a space, also across code spans
// and links, unclosed discovery tags, pathological inline markup, a huge code block, deep
// nesting): the same two times, target about 1 s
// to the first frame. Each figure is the median of several runs, each with a fresh text,
// so the bridge always sends it; each hostile report gets a web process of its own, so
// one that never draws holds up no other.
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
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class NoClipboard : public vesk::Clipboard {
 public:
  void setText(const std::string&) override {}
};

// A report of about `bytes` bytes, shaped like the service's: sections of findings with
// paragraphs, lists, a table and a code block. `variant` makes each text distinct. With
// `references` its links name a definition at the end, and each code block holds "]:",
// so that the page reads every part for link definitions before the first.
std::string longReport(std::size_t bytes, int variant, bool references = false) {
  std::string report = "# Long report " + std::to_string(variant) + "\n\n";
  for (int section = 0; report.size() < bytes; ++section) {
    report += "## Section " + std::to_string(section) + "\n\n";
    for (int finding = 0; finding < 4; ++finding) {
      report += "### Finding " + std::to_string(section) + "." + std::to_string(finding) + "\n\n";
      report +=
          "The **call to action** competes with three secondary links, and the hero copy speaks of "
          "features before it says who the product is for. Visitors scan past it; see " +
          std::string(references ? "[the guidelines][guide]" : "[the guidelines](https://example.com/guide)") +
          " for the pattern.\n\n";
      report +=
          "- Move the primary action above the fold\n- Cut the secondary links to one\n"
          "- Say who it is for in the first line\n\n";
    }
    report += "| Area | Severity | Effort |\n|---|---|---|\n| Hero | High | Low |\n| Pricing | Medium | Medium |\n\n";
    report += references ? "```\nlabels[0]: \"Start free\"\n```\n\n"
                         : "```\n<button class=\"primary\">Start free</button>\n```\n\n";
  }
  if (references) report += "[guide]: https://example.com/guide\n";
  return report;
}

std::string repeated(const std::string& unit, std::size_t bytes) {
  std::string text;
  text.reserve(bytes + unit.size());
  while (text.size() + unit.size() <= bytes) text += unit;
  return text;
}

// A report whose body is `body`, after a title that makes each variant distinct.
std::string hostileReport(const std::string& body, int variant) {
  return "# Hostile report " + std::to_string(variant) + "\n\n" + body + "\n\nAfter it.\n\n## The end\n";
}

// Runs `body` as an async function in the page and waits for it, at most `limit`; scripts
// run in the page in the order they are sent, so it starts after everything sent before
// it.
bool awaitPage(WebKitWebView* view, const char* body, std::chrono::seconds limit = std::chrono::seconds(120)) {
  auto done = std::make_shared<bool>(false);
  webkit_web_view_call_async_javascript_function(
      view, body, -1, nullptr, nullptr, nullptr, nullptr,
      [](GObject* source, GAsyncResult* result, gpointer flag) {
        vesk::glib::ErrorSlot error;
        auto value = vesk::glib::ObjectPtr<JSCValue>::adopt(
            webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(source), result, error.out()));
        auto* finished = static_cast<std::shared_ptr<bool>*>(flag);
        **finished = true;
        delete finished;
      },
      new std::shared_ptr<bool>(done));
  const auto deadline = Clock::now() + limit;
  while (!*done && Clock::now() < deadline) g_main_context_iteration(nullptr, TRUE);
  return *done;
}

constexpr const char* nextFrame = "await new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r)))";
// The page counts each report it has drawn completely in body's data-rendered.
constexpr const char* noteDrawn = "window.benchDrawn = Number(document.body.dataset.rendered || 0)";
// A report longer than the bridge escapes at once reaches the page after a trip to a
// worker, so a frame asked for straight away may come before it: the first frame counted
// is the one after the page shows the title of report `variant` (every text here starts
// with "# ... report <variant>").
std::string firstFrameWith(int variant) {
  return "const title = ' report " + std::to_string(variant) +
         "';"
         "while (![...document.querySelectorAll('#report h1')].some(h => h.textContent.endsWith(title)))"
         "  await new Promise(r => setTimeout(r, 2));" +
         nextFrame;
}
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

// A window with the reader page loaded in a web context of its own.
class ReaderWindow {
 public:
  explicit ReaderWindow(const std::filesystem::path& page)
      : reader_(Gtk::make_managed<vesk::ui::ReportReaderView>(web_, page, std::make_shared<NoClipboard>(), nullptr)) {
    window_.set_default_size(1220, 850);
    window_.set_child(*reader_);
    window_.present();
    vesk::ReaderArguments arguments;
    arguments.markdown = "# Warming up\n";
    arguments.runID = "run_bench";
    arguments.topInset = 204;
    arguments.provenanceJSON = "[]";
    reader_->setArguments(arguments, {});
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (!reader_->pageLoaded() && Clock::now() < deadline) g_main_context_iteration(nullptr, TRUE);
    loaded_ = reader_->pageLoaded() && awaitPage(reader_->webView(), nextFrame);
  }
  ~ReaderWindow() {
    // A page still busy with a report that never drew is stopped with its web process.
    if (stuck_) webkit_web_view_terminate_web_process(reader_->webView());
    window_.unset_child();
  }
  ReaderWindow(const ReaderWindow&) = delete;
  ReaderWindow& operator=(const ReaderWindow&) = delete;

  bool loaded() const { return loaded_; }
  vesk::ui::ReportReaderView& reader() { return *reader_; }
  void markStuck() { stuck_ = true; }

 private:
  vesk::ui::ReaderWebContext web_;
  Gtk::Window window_;
  vesk::ui::ReportReaderView* reader_;
  bool loaded_ = false;
  bool stuck_ = false;
};

struct Figures {
  double firstFrame = -1;  // the first frame drawn after the report was handed over
  double drawn = -1;       // the whole report drawn
};

// Medians over `runs` texts made by `text`; a run that does not reach its first frame or
// its end within `limit` ends the measurement and leaves that figure at -1.
Figures measure(ReaderWindow& window, const std::function<std::string(int)>& text, int runs, int& variant,
                std::chrono::seconds limit = std::chrono::seconds(120)) {
  auto& reader = window.reader();
  std::vector<double> first;
  std::vector<double> drawn;
  for (int run = 0; run < runs; ++run) {
    auto arguments = reader.arguments();
    arguments.markdown = text(++variant);
    if (!awaitPage(reader.webView(), noteDrawn)) return {};
    const auto start = Clock::now();
    reader.setArguments(arguments, {});
    if (!awaitPage(reader.webView(), firstFrameWith(variant).c_str(), limit)) {
      window.markStuck();
      return {};
    }
    first.push_back(since(start));
    if (!awaitPage(reader.webView(), fullyDrawn, limit)) {
      window.markStuck();
      return {medianMs(first), -1};
    }
    drawn.push_back(since(start));
  }
  return {medianMs(first), medianMs(drawn)};
}

void print(const std::string& what, double ms, const char* target) {
  if (ms < 0) {
    std::printf("%-72s not drawn in time      %s\n", what.c_str(), target);
    return;
  }
  std::printf("%-72s median %8.1f ms   %s\n", what.c_str(), ms, target);
}

struct Hostile {
  const char* what;
  std::string body;
};

std::vector<Hostile> hostileBodies() {
  return {
      {"165 KB of \"http://a.b/\" without a space", repeated("http://a.b/", 165 * 1024)},
      {"a 1 MB word", repeated("abcdefghij", 1024 * 1024)},
      {"a 5 MB word", repeated("abcdefghij", 5 * 1024 * 1024)},
      {"1 MB of unclosed discovery tags", repeated("<discovery>", 1024 * 1024)},
      {"\"a`\" 100,000 times", repeated("a`", 200'000)},
      {"a 1 MB word joined by code spans", repeated(std::string(4000, 'a') + "`b`", 1024 * 1024)},
      {"a 1 MB word joined by links", repeated(std::string(4000, 'a') + "[b](https://example.com/b)", 1024 * 1024)},
      {"a 5 MB fenced code block",
       "```\n" + repeated("<button class=\"primary\">Start free</button>\n", 5 * 1024 * 1024) + "```"},
      {"a list nested 50 deep", repeated("- ", 100) + "DEEP"},
  };
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

  bool complete = true;
  int variant = 0;
  {
    ReaderWindow window(page);
    if (!window.loaded()) {
      std::fprintf(stderr, "the reader page did not load\n");
      return 1;
    }
    const auto small = measure(
        window, [](int v) { return longReport(200 * 1024, v); }, runs, variant);
    const auto large = measure(
        window, [](int v) { return longReport(2 * 1024 * 1024, v); }, std::max(1, runs / 2), variant);
    const auto referring = measure(
        window, [](int v) { return longReport(2 * 1024 * 1024, v, true); }, std::max(1, runs / 2), variant);
    print("reader: first paint of a 200 KB report after showReport", small.firstFrame, "(target 150 ms)");
    print("reader: showReport of a 2 MB report, to its first frame", large.firstFrame, "(target 1000 ms)");
    print("reader: the same with link references, to its first frame", referring.firstFrame, "(target 1000 ms)");
    print("reader: a 200 KB report drawn in full", small.drawn, "");
    print("reader: a 2 MB report drawn in full", large.drawn, "");
    complete = small.drawn >= 0 && large.drawn >= 0 && referring.drawn >= 0;
  }

  // A hostile report that has not drawn after a minute counts as never drawn.
  const auto limit = std::chrono::seconds(60);
  for (const auto& hostile : hostileBodies()) {
    ReaderWindow window(page);
    if (!window.loaded()) {
      std::fprintf(stderr, "the reader page did not load\n");
      return 1;
    }
    const auto figures = measure(
        window, [&](int v) { return hostileReport(hostile.body, v); }, std::max(1, runs / 2), variant, limit);
    print(std::string("reader: ") + hostile.what + ", to its first frame", figures.firstFrame, "(target 1000 ms)");
    print(std::string("reader: ") + hostile.what + ", drawn in full", figures.drawn, "");
    complete = complete && figures.drawn >= 0;
  }
  return complete ? 0 : 1;
}
