#pragma once
// The stylesheet rules of the report's screen, panel and sheets: muted notices, the share
// link box, the discussion field's frame, the plain link-styled buttons and the rows of
// the comparison chooser.
#include <string>

namespace vesk {

struct ReportClasses {
  ReportClasses() = delete;

  // Text in the palette's muted ink.
  static constexpr const char* mutedText = "vesk-muted-text";
  // The selectable share link, in a rounded input-coloured box.
  static constexpr const char* linkBox = "vesk-link-box";
  // The discussion field's rounded frame.
  static constexpr const char* discussionFrame = "vesk-discussion-frame";
  // The discussion field's prompt while it is empty, in the placeholder colour.
  static constexpr const char* discussionPlaceholder = "vesk-discussion-placeholder";
  // A borderless button that reads as text (the header's "Report actions", source links).
  static constexpr const char* plainButton = "vesk-plain-button";
  // An underlined source link.
  static constexpr const char* sourceLink = "vesk-source-link";
  // A row of the comparison chooser, ruled along its bottom edge.
  static constexpr const char* chooserRow = "vesk-chooser-row";
};

struct ReportStylesheet {
  ReportStylesheet() = delete;

  static constexpr double linkBoxRadius = 8;
  static constexpr double discussionRadius = 10;

  static std::string text();
};

}  // namespace vesk
