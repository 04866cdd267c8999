// Long values handed to the reader page in pieces, and the queue that paces them.
#include "core/report/page_call.h"
#include "core/report/page_script_queue.h"
#include "core/report/reader_bridge.h"
#include "core/text/shared_text.h"
#include "core/text/text_equivalence.h"
#include "support/run_loop.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace {

using vesk::pageCallScripts;
using vesk::PageScriptQueue;
using vesk::SharedText;

// What a piece script carries, read back as the page would.
std::string pieceText(const std::string& script) {
  for (const std::string opening : {"window.veskPieces=[", "window.veskPieces.push("}) {
    if (script.starts_with(opening))
      return nlohmann::json::parse(script.substr(opening.size(), script.size() - opening.size() - 1))
          .get<std::string>();
  }
  ADD_FAILURE() << "not a piece: " << script.substr(0, 40);
  return {};
}

class RecordingPage : public vesk::ReaderPage {
 public:
  void evaluateScript(const std::string& script) override { scripts.push_back(script); }
  std::vector<std::string> scripts;
};

// One turn of the main loop, without waiting for anything.
void oneTurn() { g_main_context_iteration(nullptr, FALSE); }

TEST(PageCallScripts, AShortValueIsOneCallAndALongOneArrivesWholeInPiecesCutBetweenCharacters) {
  EXPECT_EQ(pageCallScripts("window.f(", R"({"a":1})", ")"), std::vector<std::string>{R"(window.f({"a":1}))"});

  // Pieces of 10 bytes over a text of two- and four-byte characters, quotes and
  // backslashes: each piece is valid UTF-8 and the joined pieces are the value.
  std::string text;
  for (int i = 0; i < 40; ++i) text += "é\"\\😀a\n";
  const std::string json = nlohmann::json{text, 7}.dump();
  const auto scripts = pageCallScripts("window.showReport(...", json, ")", 10);
  ASSERT_GT(scripts.size(), 3u);
  EXPECT_TRUE(scripts.front().starts_with("window.veskPieces=[")) << "the first piece starts a new list";
  std::string joined;
  for (std::size_t i = 0; i + 1 < scripts.size(); ++i) {
    const std::string piece = pieceText(scripts[i]);
    EXPECT_LE(piece.size(), 10u);
    EXPECT_TRUE(g_utf8_validate(piece.data(), static_cast<gssize>(piece.size()), nullptr)) << "piece " << i;
    if (i > 0) {
      EXPECT_TRUE(scripts[i].starts_with("window.veskPieces.push("));
    }
    joined += piece;
  }
  EXPECT_EQ(joined, json);
  EXPECT_EQ(scripts.back(), "window.showReport(...JSON.parse(window.veskPieces.splice(0).join('')))");
}

TEST(PageScriptQueue, HandsOverOnePieceAPerTurnKeepsLaterScriptsBehindAndDropsTheRestWhenCleared) {
  RecordingPage page;
  PageScriptQueue queue(page);
  queue.send(std::vector<std::string>{"p1", "p2", "p3"});
  queue.send("after");
  EXPECT_EQ(page.scripts, std::vector<std::string>{"p1"}) << "the first piece goes at once, the rest wait";
  oneTurn();
  EXPECT_EQ(page.scripts, (std::vector<std::string>{"p1", "p2"}));
  oneTurn();
  EXPECT_EQ(page.scripts, (std::vector<std::string>{"p1", "p2", "p3", "after"}));

  // A new document drops the rest of a delivery, and what came after it.
  page.scripts.clear();
  queue.send(std::vector<std::string>{"q1", "q2", "q3"});
  queue.send("late");
  queue.clear();
  for (int turn = 0; turn < 5; ++turn) oneTurn();
  EXPECT_EQ(page.scripts, std::vector<std::string>{"q1"});
  queue.send("next document");
  oneTurn();
  EXPECT_EQ(page.scripts, (std::vector<std::string>{"q1", "next document"}));

  // A queue that goes in the middle of a delivery sends nothing more.
  page.scripts.clear();
  {
    PageScriptQueue short_lived(page);
    short_lived.send(std::vector<std::string>{"r1", "r2"});
  }
  for (int turn = 0; turn < 5; ++turn) oneTurn();
  EXPECT_EQ(page.scripts, std::vector<std::string>{"r1"});
}

TEST(SharedText, CopiesShareOneBufferAndCompareByCanonicalEquivalence) {
  const SharedText report(std::string(200'000, 'x') + "Cafe\u0301");
  const SharedText copy = report;  // NOLINT: the copy is the point
  EXPECT_TRUE(copy.sharesBufferWith(report));
  EXPECT_EQ(&copy.str(), &report.str()) << "a copy reads the same buffer";
  EXPECT_FALSE(report.isComposed()) << "a combining accent after its letter is not composed";

  const SharedText composed(std::string(200'000, 'x') + "Caf\u00e9");
  EXPECT_TRUE(composed.isComposed());
  EXPECT_NE(report, composed) << "the bytes differ";
  EXPECT_TRUE(vesk::canonicallyEqual(report, composed)) << "but they are one text";
  EXPECT_FALSE(vesk::canonicallyEqual(composed, SharedText(std::string(200'000, 'x') + "Cafe")));
  EXPECT_EQ(report.hash(), SharedText(report.str()).hash()) << "equal texts hash alike";

  const SharedText empty;
  EXPECT_TRUE(empty.empty());
  EXPECT_EQ(empty, SharedText(std::string()));
  EXPECT_EQ(empty, "");
  EXPECT_TRUE(vesk::canonicallyEqual(empty, SharedText("")));
}

}  // namespace
