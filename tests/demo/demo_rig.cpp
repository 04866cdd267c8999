#include "demo/demo_rig.h"

#include "core/signin/browser_connection.h"
#include "support/expect_failure.h"
#include "support/fake_browser.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace vesk::testing {

namespace {

async::Task<void> visit(std::string address, std::shared_ptr<BrowserConnection> browser) {
  const std::string callback = co_await followToCallback(std::move(address));
  browser->receiveCallback(callback);
}

}  // namespace

bool isImage(const std::string& bytes) {
  const auto loader = glib::ObjectPtr<GdkPixbufLoader>::adopt(gdk_pixbuf_loader_new());
  const bool written =
      gdk_pixbuf_loader_write(loader.get(), reinterpret_cast<const guchar*>(bytes.data()), bytes.size(), nullptr);
  const bool closed = gdk_pixbuf_loader_close(loader.get(), nullptr);
  return written && closed && gdk_pixbuf_loader_get_pixbuf(loader.get()) != nullptr;
}

DemoRig::DemoRig(demo::AccountKind account, double pace) {
  demo::DemoOptions options;
  options.account = account;
  options.pace = pace;
  options.log = [this](const std::string& line) { log.push_back(line); };
  demo = std::make_unique<demo::DemoService>(h.service, std::move(options));
  h.onLaunch = [this] { followLaunchedAddress(); };
}

DemoRig::~DemoRig() {
  runUntil([&] { return std::all_of(visits_.begin(), visits_.end(), [](auto& v) { return v.isDone(); }); });
}

void DemoRig::followLaunchedAddress() { visits_.push_back(async::spawn(visit(h.launched.back(), h.browser))); }

std::shared_ptr<Workspace> DemoRig::signedInWorkspace() {
  auto workspace = Workspace::create(h.environment(), Workspace::SavedSession::ignore);
  workspace->connect(Workspace::SavedWork::discard);
  if (!runUntil([&] { return workspace->account->has_value() && !*workspace->accountLoading && !*workspace->busy; }))
    throw std::runtime_error("the demo sign-in did not finish");
  if (!*workspace->fixture && !runUntil([&] { return !workspace->sidebarProjects->empty(); }))
    throw std::runtime_error("the demo's projects did not load");
  return workspace;
}

DesktopAPI DemoRig::signedInClient() {
  const auto token = runTask(h.browser->connect(h.service.origin()));
  return DesktopAPI{h.service.origin(), token.access_token};
}

nlohmann::json DemoRig::get(const DesktopAPI& client, const std::string& operation) {
  return nlohmann::json::parse(runTask(client.raw(operation, std::nullopt, std::nullopt, Auth::bearer)));
}

nlohmann::json DemoRig::post(const DesktopAPI& client, const std::string& operation, JsonObject body) {
  return nlohmann::json::parse(runTask(client.raw(operation, std::move(body), std::nullopt, Auth::bearer)));
}

DesktopHTTPError DemoRig::failure(const DesktopAPI& client, const std::string& operation,
                                  std::optional<JsonObject> body, std::optional<std::string> method) {
  return failureOf<DesktopHTTPError>(client.raw(operation, std::move(body), std::move(method), Auth::bearer));
}

nlohmann::json DemoRig::libraryRun(const DesktopAPI& client, const std::function<bool(const nlohmann::json&)>& wanted) {
  const auto page = get(client, "library?limit=100&offset=0");
  for (const auto& run : page["runs"])
    if (wanted(run)) return run;
  throw std::runtime_error("no such run in the library's first page");
}

}  // namespace vesk::testing
