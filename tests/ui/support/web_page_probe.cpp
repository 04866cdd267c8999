#include "ui/support/web_page_probe.h"

#include "core/platform/object_ptr.h"
#include "support/run_loop.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <nlohmann/json.hpp>

#include <unistd.h>

#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace vesk::testing {

namespace {

struct Evaluation {
  bool done = false;
  std::optional<std::string> json;
};

void evaluated(GObject* view, GAsyncResult* result, gpointer data) {
  auto evaluation = std::unique_ptr<std::shared_ptr<Evaluation>>(static_cast<std::shared_ptr<Evaluation>*>(data));
  glib::ErrorSlot error;
  auto value = glib::ObjectPtr<JSCValue>::adopt(
      webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, error.out()));
  if (value) {
    glib::GFreePtr<char> json(jsc_value_to_json(value.get(), 0));
    (*evaluation)->json = json ? std::string(json.get()) : std::string("undefined");
  }
  (*evaluation)->done = true;
}

void awaited(GObject* view, GAsyncResult* result, gpointer data) {
  auto evaluation = std::unique_ptr<std::shared_ptr<Evaluation>>(static_cast<std::shared_ptr<Evaluation>*>(data));
  glib::ErrorSlot error;
  auto value = glib::ObjectPtr<JSCValue>::adopt(
      webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(view), result, error.out()));
  if (value) {
    glib::GFreePtr<char> json(jsc_value_to_json(value.get(), 0));
    (*evaluation)->json = json ? std::string(json.get()) : std::string("undefined");
  }
  (*evaluation)->done = true;
}

}  // namespace

std::optional<std::string> evaluateInPage(WebKitWebView* view, const std::string& script,
                                          std::chrono::milliseconds deadline) {
  auto evaluation = std::make_shared<Evaluation>();
  // The callback keeps its own share, so a late answer after a missed deadline is harmless.
  webkit_web_view_evaluate_javascript(view, script.c_str(), -1, nullptr, nullptr, nullptr, &evaluated,
                                      new std::shared_ptr<Evaluation>(evaluation));
  if (!runUntil([&] { return evaluation->done; }, deadline)) return std::nullopt;
  return evaluation->json;
}

bool pageUntil(WebKitWebView* view, const std::string& script, std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (std::chrono::steady_clock::now() < end) {
    if (evaluateInPage(view, "Boolean(" + script + ")") == "true") return true;
    runFor(std::chrono::milliseconds(30));
  }
  return false;
}

std::optional<std::pair<double, double>> pageCentreOf(WebKitWebView* view, const std::string& selector) {
  const std::string element = "document.querySelector(" + nlohmann::json(selector).dump() + ")";
  if (evaluateInPage(view, "(() => { const e = " + element +
                               "; if (!e) return false; e.scrollIntoView({block: 'center'}); return true; })()") !=
      "true")
    return std::nullopt;
  // The place once it stays put over two reads a frame apart, inside the viewport.
  const std::string place = "(() => new Promise(done => { const e = " + element +
                            "; const at = () => { const r = e.getBoundingClientRect(); return [r.left + r.width / 2, "
                            "r.top + r.height / 2, r.width, r.height]; }; const first = at(); "
                            "requestAnimationFrame(() => requestAnimationFrame(() => { const second = at(); "
                            "done(JSON.stringify(first) === JSON.stringify(second) && second[2] > 0 && second[3] > 0 "
                            "&& second[1] > 0 && second[1] < innerHeight ? second : null); })); }))()";
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (std::chrono::steady_clock::now() < end) {
    const auto json = awaitInPage(view, place);
    if (json && *json != "null") {
      const auto value = nlohmann::json::parse(*json, nullptr, false);
      if (value.is_array() && value.size() == 4) return std::make_pair(value[0].get<double>(), value[1].get<double>());
    }
    runFor(std::chrono::milliseconds(30));
  }
  return std::nullopt;
}

std::optional<std::string> awaitInPage(WebKitWebView* view, const std::string& script,
                                       std::chrono::milliseconds deadline) {
  auto evaluation = std::make_shared<Evaluation>();
  const std::string body = "return await " + script + ";";
  webkit_web_view_call_async_javascript_function(view, body.c_str(), -1, nullptr, nullptr, nullptr, nullptr, &awaited,
                                                 new std::shared_ptr<Evaluation>(evaluation));
  if (!runUntil([&] { return evaluation->done; }, deadline)) return std::nullopt;
  return evaluation->json;
}

std::set<int> ownWebProcesses() {
  // Every process's parent and name, from /proc/<pid>/stat: "pid (name) state ppid ...".
  std::map<int, std::pair<int, std::string>> processes;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename();
    if (name.empty() || !std::isdigit(static_cast<unsigned char>(name[0]))) continue;
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    const auto open = line.find('('), close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 2));
    char state = 0;
    int parent = 0;
    rest >> state >> parent;
    processes[std::stoi(name)] = {parent, line.substr(open + 1, close - open - 1)};
  }
  const auto descends = [&](int pid) {
    for (int at = pid; at > 1;) {
      const auto found = processes.find(at);
      if (found == processes.end()) return false;
      at = found->second.first;
      if (at == getpid()) return true;
    }
    return false;
  };
  std::set<int> found;
  for (const auto& [pid, process] : processes)
    if (process.second.starts_with("WebKitWebProces") && descends(pid)) found.insert(pid);
  return found;
}

std::string pdfText(const std::filesystem::path& file) {
  const std::array<const char*, 4> argv{"pdftotext", file.c_str(), "-", nullptr};
  gchar* text = nullptr;
  if (!g_spawn_sync(nullptr, const_cast<gchar**>(argv.data()), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, &text,
                    nullptr, nullptr, nullptr))
    return {};
  glib::GFreePtr<gchar> owned(text);
  return text ? text : "";
}

std::string solidPng(int width, int height, unsigned rgba) {
  auto pixbuf = glib::ObjectPtr<GdkPixbuf>::adopt(gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, width, height));
  gdk_pixbuf_fill(pixbuf.get(), rgba);
  gchar* buffer = nullptr;
  gsize length = 0;
  if (!gdk_pixbuf_save_to_buffer(pixbuf.get(), &buffer, &length, "png", nullptr, nullptr)) return {};
  glib::GFreePtr<gchar> owned(buffer);
  return std::string(buffer, length);
}

}  // namespace vesk::testing
