#pragma once
// The tips panel's fixed texts and measures: advice on getting a useful audit.
#include <array>
#include <string_view>

namespace vesk {

struct Tip {
  std::string_view title;  // unique: it names the entry
  std::string_view body;
};

struct TipsContent {
  TipsContent() = delete;

  static constexpr std::string_view heading = "Get a better read.";
  // The close button's name and tooltip, and the Escape binding's.
  static constexpr std::string_view closeLabel = "Close tips";

  static constexpr std::array<Tip, 5> tips{{
      {"Audit a website", "Add related URLs\u2014home, product, pricing\u2014to give Vesk a fuller picture."},
      {"Audit a private product",
       "Upload up to five screenshots in journey order. Include important steps and error or empty states."},
      {"Give useful context", "Say who it\u2019s for, what they should accomplish, and what feels off."},
      {"Choose the depth",
       "Quick read gives a focused second opinion. Full audit brings eight expert angles and a detailed report."},
      {"Know the limits",
       "Vesk audits what you provide. It doesn\u2019t sign in, automatically explore the whole site, or test "
       "whether buttons work."},
  }};

  // The panel: a fixed card in the window's top trailing corner.
  static constexpr double panelWidth = 420;
  static constexpr double panelHeight = 480;
  static constexpr double panelTop = 120;
  static constexpr double panelTrailing = 36;
  static constexpr double padding = 24;
  static constexpr double sectionSpacing = 20;
  static constexpr double headingSpacing = 16;
  static constexpr double tipSpacing = 16;
  static constexpr double titleBodySpacing = 3;
  static constexpr double headingSize = 28;
  static constexpr double textSize = 15;
  // A body line is one and a half times the text size high.
  static constexpr double bodyLineHeight = 22.5;
  static constexpr double closeGlyphSize = 14;
};

}  // namespace vesk
