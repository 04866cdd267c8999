#pragma once
// The stylesheet rules of the library screen and the project editor: muted text, the
// search field, the hairlines under project and run rows, plain row and link buttons,
// and the editor's error box.
#include <string>

namespace vesk {

struct LibraryClasses {
  LibraryClasses() = delete;

  // Text in the palette's muted colour.
  static constexpr const char* mutedText = "vesk-muted-text";
  static constexpr const char* searchField = "vesk-library-search";
  static constexpr const char* projectRow = "vesk-library-project-row";
  static constexpr const char* runRow = "vesk-library-run-row";
  static constexpr const char* list = "vesk-library-list";
  // A button drawn as its label alone: rows, links, the anchor chip.
  static constexpr const char* plainButton = "vesk-plain-button";
  static constexpr const char* link = "vesk-library-link";
  static constexpr const char* errorBox = "vesk-editor-error";
};

struct LibraryStylesheet {
  LibraryStylesheet() = delete;

  static constexpr double projectRowRuleOpacity = 0.1;
  static constexpr double runRowRuleOpacity = 0.08;
  static constexpr int listSpacing = 18;  // between the list's entries
  static constexpr double searchRuleOpacity = 0.12;

  static std::string text();
};

}  // namespace vesk
