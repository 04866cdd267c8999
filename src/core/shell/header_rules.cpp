#include "core/shell/header_rules.h"

namespace vesk {

bool isQuickRead(const std::optional<SavedAudit>& current, std::string_view composerMode) {
  if (current && current->auditMode) return *current->auditMode == "quick";
  return composerMode == "quick";
}

std::string screenTitle(Screen screen, const std::optional<SavedAudit>& current, std::string_view composerMode) {
  switch (screen) {
    case Screen::home:
    case Screen::input: return "New audit";
    case Screen::discovery: return "Discovery";
    case Screen::review: return "Full audit";
    case Screen::progress:
      return isQuickRead(current, composerMode) ? "Quick read in progress" : "Full audit in progress";
    case Screen::report: return current ? current->projectName : "Report";
    case Screen::account: return "Your account";
    case Screen::library: return "Projects & history";
  }
  return {};
}

bool showsTitle(Screen screen) { return screen != Screen::home; }

std::vector<HeaderItem> headerItems(Screen screen) {
  using enum HeaderItem;
  std::vector<HeaderItem> items{toggleSidebar};
  if (screen == Screen::discovery || screen == Screen::review) items.push_back(back);
  if (screen == Screen::input) items.push_back(addFiles);
  if (screen == Screen::report) items.insert(items.end(), {separator, exportPDF, shareReport, print});
  items.insert(items.end(), {separator, newAudit});
  return items;
}

ReportActions reportActions(const std::optional<SavedAudit>& current, bool localPreview) {
  ReportActions actions;
  if (!current || current->status != "complete" || current->agent.value_or("vesk") != "vesk") return actions;
  actions.exportPDF = !localPreview;
  actions.shareReport = !current->fixture.value_or(false);
  return actions;
}

BackStep backStep(Screen screen, bool localPreview) {
  if (screen == Screen::review) return BackStep::toDiscovery;
  return localPreview ? BackStep::toComposer : BackStep::newAudit;
}

}  // namespace vesk
