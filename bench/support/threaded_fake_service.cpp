#include "threaded_fake_service.h"

#include <nlohmann/json.hpp>

#include <future>

namespace vesk::bench {

void routeSignedInAccount(testing::FakeService& service) {
  const nlohmann::json account = {{"email", "ada@example.com"},
                                  {"auditBalance", 3},
                                  {"plan", "studio"},
                                  {"quick", {{"allowed", true}, {"perDay", 5}, {"remainingToday", 4}}}};
  service.reply("GET", "/api/desktop/me",
                testing::Reply::json(nlohmann::json{{"account", account}, {"fixture", false}}.dump()));
  service.reply("GET", "/api/desktop/projects", testing::Reply::json(R"({"projects":[]})"));
}

ThreadedFakeService::ThreadedFakeService(std::function<void(testing::FakeService&)> routes) {
  std::promise<std::string> ready;
  auto origin = ready.get_future();
  thread_ = std::thread([this, routes = std::move(routes), &ready] {
    GMainContext* context = g_main_context_new();
    g_main_context_push_thread_default(context);
    loop_ = g_main_loop_new(context, FALSE);
    {
      testing::FakeService service;
      routes(service);
      ready.set_value(service.origin());
      g_main_loop_run(loop_);
    }
    g_main_context_pop_thread_default(context);
    g_main_loop_unref(loop_);
    g_main_context_unref(context);
  });
  origin_ = origin.get();
}

ThreadedFakeService::~ThreadedFakeService() {
  g_main_loop_quit(loop_);
  thread_.join();
}

}  // namespace vesk::bench
