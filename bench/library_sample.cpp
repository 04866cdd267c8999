#include "library_sample.h"

#include "core/records/run_records.h"

#include <nlohmann/json.hpp>

#include <array>

namespace vesk::bench {

namespace {

constexpr int runCount = 100;
constexpr std::size_t reportBytes = 50 * 1024;  // per run: 100 × 50 KiB ≈ 5 MB

// A report in the shape the service writes: headings, findings, quotes, a table, with
// typographic punctuation and accented names.
std::string report(int run) {
  static constexpr std::array<const char*, 8> sentences = {
      "The hero promises “a calmer checkout” but the first screen shows four competing calls to action. ",
      "Café owners scanning on a phone can’t find the opening hours without scrolling past the fold. ",
      "Contrast on the secondary buttons is 2.9:1 — below the 4.5:1 the body text needs. ",
      "The pricing table hides the annual discount behind a toggle that reads as decoration. ",
      "Évaluations from three testers agree: the sign-up form asks for a company name too early. ",
      "Error messages say “Invalid input” instead of naming the field and how to fix it. ",
      "The navigation labels mix nouns and verbs (“Pricing”, “Get started”, “Learn”). ",
      "Screenshots load at 2400 px wide on mobile, adding 1.8 MB before first paint. ",
  };
  std::string text = "# Design audit · run " + std::to_string(run) + "\n\n";
  int finding = 0;
  while (text.size() < reportBytes) {
    ++finding;
    text += "## Finding " + std::to_string(finding) + ": “" + sentences[finding % 3] + "”\n\n";
    for (int line = 0; line < 6; ++line) text += sentences[(finding + line) % sentences.size()];
    text += "\n\n> “I gave up at the second step.” — participant ";
    text += std::to_string(finding);
    text += "\n\n| Area | Severity | Evidence |\n|---|---|---|\n| Checkout | High | ![step](evidence://shot-";
    text += std::to_string(finding);
    text += ".png) |\n\n- Fix the labels\n- Raise the contrast\n- Défer the company name\n\n";
  }
  return text;
}

}  // namespace

std::string libraryReply(const std::string& lastStatus) {
  nlohmann::json runs = nlohmann::json::array();
  for (int run = 0; run < runCount; ++run) {
    const vesk::SavedAudit saved("run-" + std::to_string(run), "project-" + std::to_string(run % 7), "Café Atlas",
                                 run == runCount - 1 ? lastStatus : "complete", report(run), run % 2 ? "full" : "quick",
                                 false, "2024-05-01T10:00:00Z", false, "https://example.com\nMake sign-up calmer", run,
                                 "vesk");
    runs.push_back(saved.toJson());
  }
  return nlohmann::json{{"runs", std::move(runs)}, {"nextCursor", nullptr}}.dump();
}

}  // namespace vesk::bench
