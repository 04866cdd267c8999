// The reader page bridge: what the page is shown, its messages and the service requests
// made for it, against the loopback service.
#include "core/report/reader_bridge.h"
#include "core/platform/clipboard.h"
#include "fake_service/fake_service.h"
#include "support/run_loop.h"

#include <gtest/gtest.h>

using nlohmann::json;
using vesk::DesktopAPI;
using vesk::NavigationDecision;
using vesk::ReaderBridge;
using vesk::ReaderValue;
using vesk::testing::FakeService;
using vesk::testing::Reply;
using vesk::testing::runFor;
using vesk::testing::runTask;
using vesk::testing::runUntil;

namespace {

const std::string readerAddress = "file:///opt/vesk/reader/reader.html";
const std::string answersPath = "/api/desktop/runs/R/answers";
const std::string refinePath = "/api/desktop/runs/R/refine-finding";

// Keeps every script the bridge runs; one run after `gone` is a late call. A value sent
// in pieces is put together as the page does, and kept as the one call it makes.
class PageRecorder : public vesk::ReaderPage {
 public:
  void evaluateScript(const std::string& script) override {
    EXPECT_FALSE(gone) << "a script reached the page after the bridge went: " << script.substr(0, 80);
    if (log) log->push_back("script");
    for (const std::string opening : {"window.veskPieces=[", "window.veskPieces.push("}) {
      if (!script.starts_with(opening)) continue;
      if (opening.ends_with("[")) pieces.clear();
      pieces += json::parse(script.substr(opening.size(), script.size() - opening.size() - 1)).get<std::string>();
      ++pieceScripts;
      return;
    }
    std::string whole = script;
    const std::string joined = "JSON.parse(window.veskPieces.splice(0).join(''))";
    if (const auto at = whole.find(joined); at != std::string::npos) whole.replace(at, joined.size(), pieces);
    scripts.push_back(std::move(whole));
  }
  // The argument arrays of every showReport call.
  std::vector<json> shows() const { return calls("window.showReport(..."); }
  std::vector<json> replies() const { return calls("window.receiveVeskResponse("); }
  std::optional<json> replyTo(const std::string& id) const {
    for (const auto& reply : replies())
      if (reply.at("id") == id) return reply;
    return std::nullopt;
  }

  std::vector<std::string> scripts;
  std::vector<std::string>* log = nullptr;
  bool gone = false;
  int pieceScripts = 0;
  std::string pieces;

 private:
  std::vector<json> calls(const std::string& opening) const {
    std::vector<json> found;
    for (const auto& script : scripts) {
      if (!script.starts_with(opening) || !script.ends_with(")")) continue;
      found.push_back(json::parse(script.substr(opening.size(), script.size() - opening.size() - 1)));
    }
    return found;
  }
};

class ClipboardRecorder : public vesk::Clipboard {
 public:
  std::vector<std::string> texts;
  void setText(const std::string& text) override { texts.push_back(text); }
};

Reply stalled(Reply reply) {
  reply.stall = true;
  return reply;
}

json request(const std::string& id, std::string body = R"({"answers":{"q1":["A"]}})",
             const std::string& path = "/api/runs/R/answers") {
  return {{"type", "request"}, {"id", id}, {"path", path}, {"body", std::move(body)}};
}

class ReaderBridgeTest : public ::testing::Test {
 protected:
  ReaderBridgeTest() {
    bridge->configure(value());
    bridge->pageLoading(readerAddress);
    bridge->pageLoaded();
  }

  ReaderValue value(const std::string& runID = "R", const std::string& token = "t") {
    ReaderValue reader;
    reader.arguments.markdown = "# Report ![a](/api/url-shot/" + runID + "/1)";
    reader.arguments.api = DesktopAPI{service.origin(), token};
    reader.arguments.runID = runID;
    reader.arguments.interactive = true;
    reader.arguments.topInset = 120;
    reader.arguments.provenanceJSON = R"([{"url":"https://example.com"}])";
    reader.onOutput = [this](const std::string& output, const std::string& runID) {
      outputs.emplace_back(output, runID);
      log.push_back("output");
    };
    return reader;
  }
  void send(const json& message) { bridge->receive(message.dump(), readerAddress); }
  // Sends a request of its own and waits for its reply, so everything queued before it
  // on the loop has run.
  void settle() {
    service.reply("POST", refinePath, Reply::json("done"));
    const std::string id = "settle-" + std::to_string(++settled);
    send(request(id, "{}", "/api/runs/R/refine-finding"));
    ASSERT_TRUE(runUntil([&] { return page.replyTo(id).has_value(); }));
  }
  int settled = 0;
  // Waits until the service has received `count` requests in all.
  void waitForRequests(std::size_t count) {
    ASSERT_TRUE(runUntil([&] { return service.requests().size() == count; }));
  }
  // One call of the test's own through the service, so the loop runs well past anything
  // queued before it.
  void spinThroughService() {
    service.reply("GET", "/api/desktop/me", Reply::json("{}"));
    EXPECT_EQ(runTask(DesktopAPI{service.origin(), "t"}.raw("me", std::nullopt, std::nullopt, vesk::Auth::bearer)),
              "{}");
  }

  FakeService service;
  PageRecorder page;
  std::shared_ptr<ClipboardRecorder> clipboard = std::make_shared<ClipboardRecorder>();
  std::unique_ptr<ReaderBridge> bridge = std::make_unique<ReaderBridge>(page, clipboard);
  std::vector<std::pair<std::string, std::string>> outputs;
  std::vector<std::string> log;
};

}  // namespace

TEST(ReaderBridgeShow, ShowsEachDistinctValueOnceAfterThePageLoaded) {
  PageRecorder page;
  ReaderBridge bridge(page, std::make_shared<ClipboardRecorder>());
  ReaderValue reader;
  reader.arguments.markdown = "![a](/api/attachments/run_1/0)";
  reader.arguments.api = DesktopAPI{"http://127.0.0.1:1", "t"};
  reader.arguments.runID = "run_1";
  reader.arguments.interactive = true;
  reader.arguments.topInset = 90;
  reader.arguments.provenanceJSON = R"({"a":1})";
  reader.arguments.discussion = true;
  bridge.configure(reader);
  bridge.pageLoading(readerAddress);
  EXPECT_TRUE(page.scripts.empty()) << "nothing is shown before the page has loaded";
  bridge.pageLoaded();
  ASSERT_EQ(page.scripts.size(), 1u);
  EXPECT_TRUE(page.scripts[0].starts_with("window.showReport(...["));
  EXPECT_EQ(page.shows().at(0),
            json::parse(R"j(["![a](vesk-resource://report/attachments/0)","run_1",true,90,{"a":1},true])j"));
  bridge.configure(reader);
  EXPECT_EQ(page.shows().size(), 1u) << "the same value is shown once";

  reader.arguments.provenanceJSON = "not json";
  reader.arguments.runID = std::nullopt;
  reader.arguments.api->token = std::nullopt;
  bridge.configure(reader);
  EXPECT_EQ(page.shows().back(), json::parse(R"j(["![a](/api/attachments/run_1/0)",null,false,90,[],true])j"));
  reader.arguments.provenanceJSON = "7";  // not an array or object
  reader.arguments.topInset = 10;
  bridge.configure(reader);
  EXPECT_EQ(page.shows().back().at(4), json::array());

  // A sample never asks the service, and a damaged byte does not keep the report away.
  reader.arguments.fixture = true;
  reader.arguments.api->token = "t";
  reader.arguments.runID = "run_1";
  reader.arguments.markdown = "caf\xC3";
  bridge.configure(reader);
  const json sample = page.shows().back();
  ASSERT_EQ(sample.size(), 6u);
  EXPECT_EQ(sample[0], "caf\uFFFD");
  EXPECT_EQ(sample[2], false);

  // A new document of the page is sent nothing until it has loaded, then the whole value.
  bridge.pageLoading(readerAddress);
  reader.arguments.topInset = 44;
  const auto before = page.scripts.size();
  bridge.configure(reader);
  EXPECT_EQ(page.scripts.size(), before);
  bridge.pageLoaded();
  ASSERT_EQ(page.scripts.size(), before + 1);
  EXPECT_EQ(page.shows().back().at(3), 44);
}

TEST_F(ReaderBridgeTest, DecidesWhereThePageMayGo) {
  EXPECT_EQ(bridge->decideNavigation(std::nullopt, false), NavigationDecision::cancel);
  EXPECT_EQ(bridge->decideNavigation("https://vesk.app/pricing", true), NavigationDecision::openInBrowser);
  EXPECT_EQ(bridge->decideNavigation("http://example.com/", true), NavigationDecision::openInBrowser);
  EXPECT_EQ(bridge->decideNavigation("mailto:a@example.com", true), NavigationDecision::openMail);
  EXPECT_EQ(bridge->decideNavigation("mailto:a@example.com", false), NavigationDecision::cancel);
  EXPECT_EQ(bridge->decideNavigation("mailto", true), NavigationDecision::cancel);
  EXPECT_EQ(bridge->decideNavigation("https://example.com/", false), NavigationDecision::cancel);
  EXPECT_EQ(bridge->decideNavigation("httpsx://example.com/", true), NavigationDecision::cancel);
  EXPECT_EQ(bridge->decideNavigation(readerAddress, false), NavigationDecision::allow);
  EXPECT_EQ(bridge->decideNavigation(readerAddress + "#finding-2", true), NavigationDecision::allow);
  EXPECT_EQ(bridge->decideNavigation("file:///opt/vesk/reader/./x/../reader.html", false), NavigationDecision::allow);
  EXPECT_EQ(bridge->decideNavigation("file:///opt/vesk/reader/other.html", true), NavigationDecision::cancel);
  EXPECT_EQ(bridge->decideNavigation("file:///etc/passwd", false), NavigationDecision::cancel);
  EXPECT_EQ(bridge->decideNavigation("vesk-resource://report/url-shot/1", false), NavigationDecision::cancel);

  PageRecorder otherPage;
  const ReaderBridge unloaded(otherPage, clipboard);
  EXPECT_EQ(unloaded.decideNavigation(readerAddress, false), NavigationDecision::cancel);
}

TEST_F(ReaderBridgeTest, IgnoresMessagesFromElsewhereOrWithoutUsableIDAndType) {
  const json copy = {{"type", "clipboard"}, {"id", "c"}, {"text", "hello"}};
  bridge->receive(copy.dump(), "file:///opt/vesk/reader/other.html");
  bridge->receive(copy.dump(), std::nullopt);
  bridge->receive(copy.dump(), readerAddress, false);
  PageRecorder otherPage;
  ReaderBridge unknownAddress(otherPage, clipboard);
  unknownAddress.receive(copy.dump(), std::nullopt);
  unknownAddress.receive(copy.dump(), readerAddress);
  for (const std::string& bad : {std::string("not json"), std::string("[1]"), std::string(R"({"type":"clipboard"})"),
                                 std::string(R"({"type":"clipboard","id":7,"text":"x"})"),
                                 std::string(R"({"id":"x","text":"x"})"), std::string(R"({"id":"x","type":1})")})
    bridge->receive(bad, readerAddress);
  send({{"type", "clipboard"}, {"id", std::string(65, 'a')}, {"text", "x"}});
  EXPECT_TRUE(page.replies().empty());
  EXPECT_TRUE(otherPage.scripts.empty());
  EXPECT_TRUE(clipboard->texts.empty());

  // 64 characters, however many bytes; the page's own anchor does not change the page.
  std::string accented;
  for (int i = 0; i < 64; ++i) accented += "e\u0301";
  send({{"type", "clipboard"}, {"id", std::string(64, 'a')}, {"text", "x"}});
  bridge->receive(json{{"type", "clipboard"}, {"id", accented}, {"text", "y"}}.dump(), readerAddress + "#top");
  EXPECT_TRUE(page.replyTo(std::string(64, 'a')));
  EXPECT_TRUE(page.replyTo(accented));
  send({{"type", "print"}, {"id", "p"}});
  EXPECT_EQ(page.replyTo("p")->at("status"), 403);
}

TEST_F(ReaderBridgeTest, CopiesTextsUpToOneMebibyte) {
  const std::string largest(ReaderBridge::largestCopiedText, 'x');
  send({{"type", "clipboard"}, {"id", "big"}, {"text", largest}});
  send({{"type", "clipboard"}, {"id", "bigger"}, {"text", largest + "x"}});
  send({{"type", "clipboard"}, {"id", "none"}});
  send({{"type", "clipboard"}, {"id", "number"}, {"text", 5}});
  ASSERT_EQ(clipboard->texts.size(), 1u);
  EXPECT_EQ(clipboard->texts[0].size(), largest.size());
  EXPECT_EQ(*page.replyTo("big"), json::parse(R"({"id":"big","status":200,"body":"","mime":"text/plain"})"));
  EXPECT_EQ(page.replies().size(), 1u);
}

TEST_F(ReaderBridgeTest, ASampleRefusesEveryRequestButCopies) {
  ReaderValue sample = value();
  sample.arguments.fixture = true;
  bridge->configure(sample);
  send(request("r"));
  send({{"type", "clipboard"}, {"id", "c"}, {"text", "x"}});
  EXPECT_EQ(*page.replyTo("r"), json::parse(R"({"id":"r","status":403,"body":"{\"error\":{\"message\":\"This )"
                                            R"(operation is unavailable.\"}}","mime":"application/json"})"));
  EXPECT_EQ(page.replyTo("c")->at("status"), 200);
  EXPECT_TRUE(service.requests().empty());
}

TEST_F(ReaderBridgeTest, RefusesRequestsThatBreakTheRules) {
  service.reply("POST", answersPath, Reply::json("{}"));
  const std::string filler = R"({"a":")";
  const std::string exact = filler + std::string(ReaderBridge::largestRequestBody - filler.size() - 2, 'x') + "\"}";
  ASSERT_EQ(exact.size(), ReaderBridge::largestRequestBody);
  send(request("exact", exact));
  ASSERT_TRUE(runUntil([&] { return page.replyTo("exact").has_value(); }));
  EXPECT_EQ(page.replyTo("exact")->at("status"), 200);
  EXPECT_EQ(service.requests().at(0).body, exact);

  const std::string tooLong = filler + std::string(ReaderBridge::largestRequestBody - filler.size() - 1, 'x') + "\"}";
  const std::vector<json> refused = {
      request("long", tooLong),
      request("array", "[]"),
      request("number", "7"),
      request("text", "not json"),
      {{"type", "request"}, {"id", "nobody"}, {"path", "/api/runs/R/answers"}},
      request("other-run", "{}", "/api/runs/S/answers"),
      request("slash", "{}", "/api/runs/R/answers/"),
      request("operation", "{}", "/api/runs/R/share"),
      {{"type", "request"}, {"id", "nopath"}, {"body", "{}"}},
  };
  for (const auto& message : refused) {
    send(message);
    const auto reply = page.replyTo(message.at("id"));
    ASSERT_TRUE(reply) << message;
    EXPECT_EQ(reply->at("status"), 403) << message;
  }
  settle();
  EXPECT_EQ(service.requests().size(), 2u);
}

TEST_F(ReaderBridgeTest, SavesAnswersAndHandsOnTheNewTextBeforeTheReply) {
  page.log = &log;
  service.reply("POST", answersPath, Reply::json(R"({"output":"# New report","ok":true})"));
  send(request("a1"));
  ASSERT_TRUE(runUntil([&] { return page.replyTo("a1").has_value(); }));
  const auto& sent = service.requests().at(0);
  EXPECT_EQ(sent.method, "POST");
  EXPECT_EQ(sent.path, answersPath);
  EXPECT_EQ(json::parse(sent.body), json::parse(R"({"answers":{"q1":["A"]}})"));
  EXPECT_EQ(sent.header("Authorization"), "Bearer t");
  EXPECT_EQ(outputs, (std::vector<std::pair<std::string, std::string>>{{"# New report", "R"}}));
  EXPECT_EQ(log, (std::vector<std::string>{"output", "script"}));
  EXPECT_EQ(*page.replyTo("a1"), (json{{"id", "a1"},
                                       {"status", 200},
                                       {"body", R"({"output":"# New report","ok":true})"},
                                       {"mime", "application/json"}}));
  EXPECT_EQ(bridge->requestsInFlight(), 0u);

  // Replies without a text output, or not JSON, are only passed on; refined findings are text.
  service.reply("POST", answersPath, Reply::json(R"({"output":5})"));
  send(request("a2"));
  service.reply("POST", refinePath, Reply::json("Refined \xFF"));
  send(request("f1", R"({"finding":"x","instruction":"y"})", "/api/runs/R/refine-finding"));
  ASSERT_TRUE(runUntil([&] { return page.replyTo("a2") && page.replyTo("f1"); }));
  EXPECT_EQ(outputs.size(), 1u);
  EXPECT_EQ(*page.replyTo("f1"), json::parse(R"({"id":"f1","status":200,"body":"","mime":"text/plain"})"))
      << "a reply that is not UTF-8 comes through empty";
}

TEST_F(ReaderBridgeTest, ANewOutputMayReapplyTheReaderAtOnce) {
  service.reply("POST", answersPath, Reply::json(R"({"output":"# Saved"})"));
  // The screen stores the output and applies the reader again inside the callback.
  bool applied = false;
  ReaderValue current = value();
  current.onOutput = [&](const std::string& output, const std::string&) {
    ReaderValue next = current;
    next.arguments.markdown = output;
    next.onOutput = nullptr;
    bridge->configure(next);
    applied = true;
  };
  bridge->configure(current);
  send(request("a"));
  ASSERT_TRUE(runUntil([&] { return page.replyTo("a").has_value(); }));
  EXPECT_TRUE(applied);
  EXPECT_EQ(page.shows().back().at(0), "# Saved");
  EXPECT_TRUE(page.scripts.back().starts_with("window.receiveVeskResponse("));

  // ... or tear the reader down: nothing more reaches the page.
  current.onOutput = [&](const std::string&, const std::string&) {
    bridge.reset();
    page.gone = true;
  };
  bridge->configure(current);
  send(request("b"));
  ASSERT_TRUE(runUntil([&] { return bridge == nullptr; }));
  spinThroughService();
}

TEST_F(ReaderBridgeTest, FailuresComeBackAs500WithTheClientsSentence) {
  service.reply("POST", answersPath, Reply::error(401, "Token expired."));
  send(request("a"));
  ASSERT_TRUE(runUntil([&] { return page.replyTo("a").has_value(); }));
  const auto reply = *page.replyTo("a");
  EXPECT_EQ(reply.at("status"), 500);
  EXPECT_EQ(reply.at("mime"), "application/json");
  EXPECT_EQ(json::parse(reply.at("body").get<std::string>()),
            (json{{"error",
                   {{"message", "Your session expired. Reconnect in the browser; your saved work is still there."}}}}));
  EXPECT_TRUE(outputs.empty());
}

TEST_F(ReaderBridgeTest, TakesFourRequestsAtOnceWithDistinctIDs) {
  service.reply("POST", answersPath, stalled(Reply::json("{}")));
  for (const char* id : {"1", "2", "3", "4"}) send(request(id));
  send(request("5"));
  send(request("1"));
  EXPECT_EQ(page.replies().size(), 2u);
  EXPECT_EQ(page.replies()[0],
            (json{{"id", "5"}, {"status", 403}, {"body", ReaderBridge::refusedBody}, {"mime", "application/json"}}));
  EXPECT_EQ(page.replies()[1].at("id"), "1");
  EXPECT_EQ(bridge->requestsInFlight(), 4u);
  waitForRequests(4);
  service.releaseStalled();
  ASSERT_TRUE(runUntil([&] { return bridge->requestsInFlight() == 0; }));
  for (const char* id : {"1", "2", "3", "4"}) {
    std::size_t count = 0;
    for (const auto& reply : page.replies()) count += reply.at("id") == id && reply.at("status") == 200 ? 1 : 0;
    EXPECT_EQ(count, 1u) << id;
  }
}

TEST_F(ReaderBridgeTest, AbandonedRequestsAreNeverAnswered) {
  service.reply("POST", answersPath, stalled(Reply::json(R"({"output":"late"})")));
  send(request("cancelled"));
  waitForRequests(1);
  send({{"type", "cancel"}, {"id", "cancelled"}});
  send({{"type", "cancel"}, {"id", "unknown"}});
  EXPECT_EQ(bridge->requestsInFlight(), 0u);

  send(request("token"));
  waitForRequests(2);
  const std::size_t shown = page.shows().size();
  bridge->configure(value("R", "t2"));
  EXPECT_EQ(bridge->requestsInFlight(), 0u);
  EXPECT_EQ(page.shows().size(), shown + 1);

  send(request("run"));
  waitForRequests(3);
  bridge->configure(value("S", "t2"));
  EXPECT_EQ(page.shows().size(), shown + 2);
  EXPECT_EQ(page.shows().back().at(1), "S");
  EXPECT_EQ(bridge->requestsInFlight(), 0u);

  service.releaseStalled();
  bridge->configure(value());
  service.reply("POST", answersPath, Reply::json("{}"));
  settle();
  for (const char* id : {"cancelled", "unknown", "token", "run"}) EXPECT_FALSE(page.replyTo(id)) << id;
  EXPECT_TRUE(outputs.empty());
}

TEST_F(ReaderBridgeTest, ADestroyedBridgeSendsNothingMore) {
  service.reply("POST", answersPath, stalled(Reply::json(R"({"output":"late"})")));
  send(request("a"));
  waitForRequests(1);
  bridge.reset();
  page.gone = true;
  ASSERT_TRUE(runUntil([&] { return service.abandonedCount() == 1; }));
  service.releaseStalled();
  spinThroughService();
  EXPECT_TRUE(outputs.empty());
}

TEST_F(ReaderBridgeTest, ALongReportIsEscapedOffTheLoopAndKeepsItsPlaceBeforeLaterScripts) {
  page.log = &log;
  const std::string longText = "# Long\n\n" + std::string(3'000'000, 'x');
  ReaderValue reader = value();
  reader.arguments.markdown = longText;
  bridge->configure(reader);
  send({{"type", "print"}, {"id", "p"}});
  EXPECT_TRUE(page.replies().empty()) << "the refusal waits for the report before it";
  ASSERT_TRUE(runUntil([&] { return page.replyTo("p").has_value(); }));
  ASSERT_GE(page.scripts.size(), 2u);
  EXPECT_TRUE(page.scripts[page.scripts.size() - 2].starts_with("window.showReport(...")) << "the report came first";
  EXPECT_EQ(page.shows().back().at(0), longText);
  EXPECT_GE(page.pieceScripts, 3) << "three megabytes travel in pieces of one";

  // A new document drops what was being built for the old one; it gets the value once
  // it has loaded.
  const auto shown = page.shows().size();
  reader.arguments.markdown = longText + "y";
  bridge->configure(reader);
  bridge->pageLoading(readerAddress);
  settle();
  EXPECT_EQ(page.shows().size(), shown) << "nothing reached the document being replaced";
  bridge->pageLoaded();
  ASSERT_TRUE(runUntil([&] { return page.shows().size() == shown + 1; }));
  settle();
  EXPECT_EQ(page.shows().size(), shown + 1);

  // A long answers reply: the new text first, then its reply, each once.
  log.clear();
  const std::string longOutput = "# Answered\n\n" + std::string(600'000, 'z');
  service.reply("POST", answersPath, Reply::json(json{{"output", longOutput}}.dump()));
  ReaderValue answering = reader;
  answering.onOutput = [&](const std::string& output, const std::string&) {
    log.push_back("output");
    ReaderValue next = reader;
    next.arguments.markdown = output;
    bridge->configure(next);
  };
  bridge->configure(answering);
  send(request("a1"));
  ASSERT_TRUE(runUntil([&] { return page.replyTo("a1").has_value(); }));
  EXPECT_EQ(log, (std::vector<std::string>{"output", "script", "script"}));
  EXPECT_EQ(page.shows().back().at(0), longOutput);
  EXPECT_TRUE(page.scripts.back().starts_with("window.receiveVeskResponse("));

  // A bridge that goes while a long report is being escaped sends nothing more.
  reader.arguments.markdown = longText + "z";
  bridge->configure(reader);
  bridge.reset();
  page.gone = true;
  spinThroughService();
  runFor(std::chrono::milliseconds(200));
}

TEST_F(ReaderBridgeTest, AClickedLinkHandedOverGoesOutOnlyAsAWebOrMailAddress) {
  std::vector<std::string> opened;
  PageRecorder linkPage;
  ReaderBridge linking(linkPage, clipboard, [&](const std::string& address) { opened.push_back(address); });
  linking.configure(value());
  linking.pageLoading(readerAddress);
  linking.pageLoaded();
  const auto scripts = linkPage.scripts.size();
  for (const std::string& url : std::vector<std::string>{
           "https://example.com/pricing", "mailto:team@example.com?subject=Hi", "javascript:alert(1)",
           "file:///etc/passwd", "vesk-resource://report/url-shot/0", readerAddress, "ftp://x/y"})
    linking.receive(json{{"type", "open"}, {"id", "o"}, {"url", url}}.dump(), readerAddress);
  linking.receive(json{{"type", "open"}, {"id", "o"}, {"url", 7}}.dump(), readerAddress);
  linking.receive(json{{"type", "open"}, {"id", "o"}, {"url", "https://elsewhere.example"}}.dump(),
                  "file:///opt/vesk/reader/other.html");
  EXPECT_EQ(opened, (std::vector<std::string>{"https://example.com/pricing", "mailto:team@example.com?subject=Hi"}));
  EXPECT_EQ(linkPage.scripts.size(), scripts) << "nothing is answered";
}
