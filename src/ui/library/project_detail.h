#pragma once
// The open project above its runs: its brief, the reference URL (a link only for web
// addresses) and the service's error about it, the anchor file with its preview and
// "Save file…", the intent, and the "Past runs" heading.
#include "core/library/library_screen_model.h"

#include <gtkmm/box.h>

#include <functional>
#include <string>

namespace vesk::ui {

class ProjectDetail : public Gtk::Box {
 public:
  // `openLink` hands a web address to the browser.
  ProjectDetail(const LibraryProject& project, LibraryScreenModel& model,
                std::function<void(const std::string&)> openLink);

  // Follows whether the anchor's actions are open (not while the library is busy).
  void refresh(const LibraryScreenModel& model);

 private:
  void appendReference(const std::string& url, const std::function<void(const std::string&)>& openLink);
  void appendAnchor(const LibraryProject& project, LibraryScreenModel& model);

  LibraryProject project_;
  // Managed, owned by the detail; absent without an anchor (the preview also for files
  // that are not images).
  Gtk::Widget* anchorPreview_ = nullptr;
  Gtk::Widget* anchorSave_ = nullptr;
};

}  // namespace vesk::ui
