#pragma once
// A report state wired to the loopback fake service, a recording clipboard and a fake
// save panel, with helpers to script a run's detail and share link.
#include "core/api/desktop_api.h"
#include "core/platform/clipboard.h"
#include "core/report/report_state.h"
#include "fake_service/fake_service.h"
#include "support/run_loop.h"
#include "support/temporary_folder.h"
#include "support/workspace_harness.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk::testing {

// Keeps every text put on the clipboard, in order.
class ClipboardRecorder : public Clipboard {
 public:
  std::vector<std::string> texts;
  void setText(const std::string& text) override { texts.push_back(text); }
};

// A run of project "P" ("Landing page"), by the product's own agent unless told.
SavedAudit reportRun(const std::string& id = "R", const std::string& status = "complete",
                     const std::string& mode = "full", std::optional<std::string> agent = std::nullopt);

// Counts the change signals of a published member.
class ChangeCounter {
 public:
  template <class T>
  explicit ChangeCounter(Published<T>& member) {
    connection_ = member.signalChanged().connect([this] { ++count; });
  }
  ~ChangeCounter() { connection_.disconnect(); }
  int count = 0;

 private:
  sigc::connection connection_;
};

class ReportHarness {
 public:
  ReportHarness();
  ~ReportHarness();

  FakeService service;
  std::shared_ptr<FakeSaveDialog> dialog = std::make_shared<FakeSaveDialog>();
  std::shared_ptr<ClipboardRecorder> clipboard = std::make_shared<ClipboardRecorder>();
  std::unique_ptr<ReportState> state;
  TemporaryFolder temporary;
  const std::string folder = temporary.path().string();  // a private folder for saved files

  DesktopAPI api(const std::string& token = "token-1") const { return DesktopAPI{service.origin(), token}; }
  // Routes GET "runs/<id>" with `detail` and GET "runs/<id>/share" with `share`.
  void routeRun(const std::string& id, const nlohmann::json& detail,
                const nlohmann::json& share = nlohmann::json::object());
  // Binds `run` live with api() and waits until its detail has loaded.
  void bindLoaded(const SavedAudit& run, const std::string& token = "token-1");
  // Runs the loop until every task of the state has ended.
  void settle();
  std::string readFile(const std::string& path) const;
};

}  // namespace vesk::testing
