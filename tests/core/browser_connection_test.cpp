#include "core/signin/browser_connection.h"
#include "core/api/desktop_http_error.h"
#include "core/async/errors.h"
#include "core/async/timing.h"
#include "core/signin/query_items.h"
#include "core/signin/sign_in_proof.h"
#include "fake_service/fake_service.h"
#include "fake_service/fake_sign_in.h"
#include "support/fake_browser.h"
#include "support/run_loop.h"
#include "support/text_shape.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace std::chrono_literals;
using vesk::BrowserConnection;
using vesk::TokenResponse;
using vesk::VeskAppIdentity;
using vesk::async::TaskHandle;
using vesk::testing::FakeService;
using vesk::testing::FakeSignIn;
using vesk::testing::runFor;
using vesk::testing::runUntil;

namespace {

class CountingWindow : public vesk::AnchorWindow {
 public:
  void present() override { ++presented; }
  int presented = 0;
};

// The application around a BrowserConnection: a window that may be shown or not, and a
// browser that visits the fake service and then hands the callback over, keeps it, or
// does not start at all.
class SignInRig {
 public:
  enum class Browser { handsOver, keeps, doesNotStart };

  explicit SignInRig(std::string_view applicationId = VeskAppIdentity::fallbackIdentifier) {
    connection = BrowserConnection::create(
        [this]() -> std::shared_ptr<vesk::AnchorWindow> {
          if (beforeAnchor) beforeAnchor();
          return windowShown ? window : nullptr;
        },
        [this](const std::string& address) { return launch(address); }, VeskAppIdentity::forIdentifier(applicationId));
  }
  ~SignInRig() {
    runUntil([&] { return std::all_of(visits_.begin(), visits_.end(), [](auto& v) { return v.isDone(); }); });
  }

  TaskHandle<TokenResponse> start() { return vesk::async::spawn(connection->connect(service.origin())); }

  FakeService service;
  FakeSignIn signIn{service};
  std::shared_ptr<CountingWindow> window = std::make_shared<CountingWindow>();
  bool windowShown = true;
  Browser browser = Browser::handsOver;
  std::function<void()> beforeAnchor;
  std::vector<std::string> launched;
  std::vector<std::string> keptCallbacks;
  std::shared_ptr<BrowserConnection> connection;

 private:
  bool launch(const std::string& address) {
    launched.push_back(address);
    if (browser == Browser::doesNotStart) return false;
    visits_.push_back(vesk::async::spawn(visit(this, address, browser == Browser::handsOver)));
    return true;
  }
  static vesk::async::Task<void> visit(SignInRig* rig, std::string address, bool handOver) {
    const std::string callback = co_await vesk::testing::followToCallback(address);
    if (handOver) {
      rig->connection->receiveCallback(callback);
    } else {
      rig->keptCallbacks.push_back(callback);
    }
  }
  std::vector<TaskHandle<void>> visits_;
};

// The sentence a finished attempt failed with.
std::string failureOf(const TaskHandle<TokenResponse>& attempt) {
  try {
    attempt.result();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "no failure";
}

std::vector<std::string> pathsOf(const std::vector<vesk::testing::RecordedRequest>& requests) {
  std::vector<std::string> paths;
  for (const auto& request : requests) paths.push_back(request.method + " " + request.path);
  return paths;
}

// The items of the inner address the sign-in page is asked to continue to.
std::vector<vesk::QueryItem> innerItems(const std::string& launched, const std::string& origin) {
  const std::string prefix = origin + "/sign-in?";
  EXPECT_EQ(launched.substr(0, prefix.size()), prefix);
  const auto outer = vesk::readQueryItems(launched.substr(prefix.size()));
  if (!outer || outer->size() != 1 || (*outer)[0].name != "redirect_url" || !(*outer)[0].value) {
    ADD_FAILURE() << "not one redirect_url item: " << launched;
    return {};
  }
  const std::string& inner = *(*outer)[0].value;
  const std::string innerPrefix = "/desktop/connect?";
  EXPECT_EQ(inner.substr(0, innerPrefix.size()), innerPrefix);
  return vesk::readQueryItems(inner.substr(innerPrefix.size())).value_or(std::vector<vesk::QueryItem>{});
}

}  // namespace

TEST(BrowserConnection, SignsInThroughTheBrowserAndExchangesTheCode) {
  SignInRig rig;
  const auto token = vesk::testing::runTask(rig.connection->connect(rig.service.origin()));
  EXPECT_EQ(token, TokenResponse("token-1", 3600));

  EXPECT_EQ(pathsOf(rig.service.requests()),
            (std::vector<std::string>{"GET /api/desktop/connection", "GET /sign-in", "GET /desktop/connect",
                                      "POST /api/desktop/token"}));
  ASSERT_EQ(rig.launched.size(), 1u);
  const auto items = innerItems(rig.launched[0], rig.service.origin());
  ASSERT_EQ(items.size(), 2u) << "a development build announces no application";
  EXPECT_EQ(items[0].name, "challenge");
  EXPECT_EQ(items[1].name, "state");
  EXPECT_TRUE(vesk::testing::isBase64Url(items[0].value.value_or(""), 43));
  EXPECT_TRUE(vesk::testing::isBase64Url(items[1].value.value_or(""), 43));
  EXPECT_NE(items[0].value, items[1].value);

  const auto exchange = rig.service.requestsTo("POST", "/api/desktop/token").at(0);
  EXPECT_FALSE(exchange.header("Authorization")) << "the exchange is unauthenticated";
  const auto body = nlohmann::json::parse(exchange.body);
  ASSERT_EQ(body.size(), 2u);
  const auto& grant = rig.signIn.grants().at(0);
  EXPECT_EQ(body.at("code"), grant.code);
  EXPECT_EQ(vesk::challengeFor(body.at("verifier").get<std::string>()), items[0].value)
      << "the challenge sent is that of the verifier";
  EXPECT_EQ(grant.state, items[1].value);
  EXPECT_EQ(rig.window->presented, 2) << "brought forward to open the browser and again on the return";
}

TEST(BrowserConnection, AReleaseBuildAnnouncesItselfAndReturnsOnItsOwnScheme) {
  SignInRig rig(VeskAppIdentity::releaseIdentifier);
  EXPECT_EQ(vesk::testing::runTask(rig.connection->connect(rig.service.origin())).access_token, "token-1");
  const auto items = innerItems(rig.launched.at(0), rig.service.origin());
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[2].name, "app");
  EXPECT_EQ(items[2].value, "app.vesk.desktop");
  EXPECT_TRUE(rig.signIn.grants().at(0).callback.starts_with("app.vesk.desktop://auth/callback?"));
}

TEST(BrowserConnection, EndsEachFailedAttemptWithItsOwnError) {
  {
    SignInRig rig;
    rig.windowShown = false;
    auto attempt = rig.start();
    vesk::testing::waitFor(attempt);
    EXPECT_EQ(failureOf(attempt), "Open the Vesk window before connecting your account.");
    EXPECT_TRUE(rig.launched.empty());
  }
  {
    SignInRig rig;
    rig.browser = SignInRig::Browser::doesNotStart;
    auto attempt = rig.start();
    vesk::testing::waitFor(attempt);
    EXPECT_EQ(failureOf(attempt), "The browser session could not start.");
  }
  {
    SignInRig rig;
    rig.service.reply("GET", "/api/desktop/connection", vesk::testing::Reply::error(404, "Not here."));
    auto attempt = rig.start();
    vesk::testing::waitFor(attempt);
    EXPECT_EQ(failureOf(attempt),
              "Desktop sign-in isn\u2019t available on this Vesk server yet. You can use your account on Vesk Web.");
    EXPECT_TRUE(rig.launched.empty());
  }
  {
    SignInRig rig;
    rig.service.reply("POST", "/api/desktop/token", vesk::testing::Reply::error(400, "That code has expired."));
    auto attempt = rig.start();
    vesk::testing::waitFor(attempt);
    try {
      attempt.result();
      ADD_FAILURE() << "the exchange succeeded";
    } catch (const vesk::DesktopHTTPError& error) {
      EXPECT_EQ(error.status(), 400);
      EXPECT_STREQ(error.what(), "That code has expired.");
    }
  }
  {
    // A return that carries the attempt's state but fails the checks ends the attempt.
    SignInRig rig;
    rig.browser = SignInRig::Browser::keeps;
    auto attempt = rig.start();
    ASSERT_TRUE(runUntil([&] { return !rig.keptCallbacks.empty(); }));
    rig.connection->receiveCallback(rig.keptCallbacks[0] + "&extra=1");
    vesk::testing::waitFor(attempt);
    EXPECT_EQ(failureOf(attempt), "Vesk could not validate the browser return. Connect again.");
    EXPECT_TRUE(rig.service.requestsTo("POST", "/api/desktop/token").empty());
  }
}

TEST(BrowserConnection, ASecondConnectEndsTheFirstWhoseLateReturnIsDropped) {
  SignInRig rig;
  rig.browser = SignInRig::Browser::keeps;
  auto first = rig.start();
  ASSERT_TRUE(runUntil([&] { return rig.keptCallbacks.size() == 1; }));
  auto second = rig.start();
  ASSERT_TRUE(runUntil([&] { return rig.keptCallbacks.size() == 2; }));
  ASSERT_TRUE(first.isDone());
  EXPECT_EQ(failureOf(first), "Browser connection cancelled. Your saved work is still here.");

  rig.connection->receiveCallback(rig.keptCallbacks[0]);
  runFor(50ms);
  EXPECT_FALSE(second.isDone()) << "the first attempt's return does not end the second";
  rig.connection->receiveCallback(rig.keptCallbacks[1]);
  vesk::testing::waitFor(second);
  EXPECT_EQ(second.result().access_token, "token-1");
  EXPECT_FALSE(rig.signIn.grants().at(0).redeemed);
  EXPECT_TRUE(rig.signIn.grants().at(1).redeemed);
}

TEST(BrowserConnection, CancellingTheConnectionOrTheTaskEndsTheWait) {
  SignInRig rig;
  rig.browser = SignInRig::Browser::keeps;
  auto byCancel = rig.start();
  ASSERT_TRUE(runUntil([&] { return rig.keptCallbacks.size() == 1; }));
  rig.connection->cancel();
  EXPECT_FALSE(byCancel.isDone()) << "resumed from the main loop, not inside cancel()";
  vesk::testing::waitFor(byCancel);
  EXPECT_EQ(failureOf(byCancel), "Browser connection cancelled. Your saved work is still here.");

  auto byTask = rig.start();
  ASSERT_TRUE(runUntil([&] { return rig.keptCallbacks.size() == 2; }));
  byTask.cancel();
  vesk::testing::waitFor(byTask);
  EXPECT_EQ(failureOf(byTask), "Browser connection cancelled. Your saved work is still here.");

  rig.connection->receiveCallback(rig.keptCallbacks[1]);
  runFor(20ms);
  EXPECT_TRUE(rig.service.requestsTo("POST", "/api/desktop/token").empty());
}

TEST(BrowserConnection, ATaskCancelledBeforeTheBrowserOpensEndsWithCancellation) {
  SignInRig rig;
  vesk::testing::Reply held = vesk::testing::Reply::json(R"({"protocol":"vesk-desktop","version":1})");
  held.stall = true;
  rig.service.reply("GET", "/api/desktop/connection", held);
  auto attempt = rig.start();
  ASSERT_TRUE(runUntil([&] { return rig.service.stalledCount() == 1; }));
  attempt.cancel();
  vesk::testing::waitFor(attempt);
  EXPECT_THROW(attempt.result(), vesk::async::Cancelled);
  EXPECT_TRUE(rig.launched.empty());
}

TEST(BrowserConnection, TimesOutAndALaterReturnChangesNothing) {
  SignInRig rig;
  rig.browser = SignInRig::Browser::keeps;
  // Shorten only the wait for the browser: the probe before it runs at full length.
  std::optional<vesk::async::ScopedTimeScale> shortWait;
  rig.beforeAnchor = [&] { shortWait.emplace(0.001); };
  auto attempt = rig.start();
  vesk::testing::waitFor(attempt);
  EXPECT_EQ(failureOf(attempt), "Browser connection timed out. Connect again when you\u2019re ready.");
  shortWait.reset();
  rig.beforeAnchor = nullptr;

  ASSERT_TRUE(runUntil([&] { return rig.keptCallbacks.size() == 1; }));
  rig.connection->receiveCallback(rig.keptCallbacks[0]);
  runFor(20ms);
  EXPECT_TRUE(rig.service.requestsTo("POST", "/api/desktop/token").empty());

  rig.browser = SignInRig::Browser::handsOver;
  auto again = rig.start();
  vesk::testing::waitFor(again);
  EXPECT_EQ(again.result().access_token, "token-1") << "the connection is ready for a new attempt";
}
