#pragma once
// The stylesheet rules of the discovery, review and progress screens: text in the
// palette's muted ink and ink, the red spinner, the marks of the sample's stages, the
// dots of the expert perspectives and the hairline rules.
#include <string>

namespace vesk {

struct AuditClasses {
  AuditClasses() = delete;

  static constexpr const char* mutedText = "vesk-muted-text";
  static constexpr const char* inkText = "vesk-ink-text";
  static constexpr const char* redSpinner = "vesk-red-spinner";
  static constexpr const char* redMark = "vesk-red-mark";
  static constexpr const char* rule = "vesk-audit-rule";
  static constexpr const char* lensDot = "vesk-lens-dot";
  // With lensDot: the perspective's status.
  static constexpr const char* lensComplete = "complete";
  static constexpr const char* lensSkipped = "skipped";
  static constexpr const char* lensPending = "pending";
};

struct AuditStylesheet {
  AuditStylesheet() = delete;

  static constexpr double lensDotSize = 7;
  static constexpr double completeDotOpacity = 1;
  static constexpr double skippedDotOpacity = 0.2;
  static constexpr double pendingDotOpacity = 0.22;

  static std::string text();
};

}  // namespace vesk
