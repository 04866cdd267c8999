// Typing into the brief: a brief of 5,000 characters in the composer's editor, then one
// character inserted at a time at the end of it. For each keystroke: the time from the
// buffer's change until the workspace's brief holds the new text and the placeholder is
// decided (the editor's own work, done before the keystroke returns), and, as a second
// figure, the composer model's flush that follows within the same main-loop turn. Prints
// the median and the 99th percentile (target: well under a frame, 16 ms).
//
//   vesk_brief_typing_bench [KEYSTROKES]
//
// Needs a display; scripts/bench runs it under Xvfb.
#include "core/shell/composer_presentation.h"
#include "core/signin/browser_connection.h"
#include "core/signin/session_keychain.h"
#include "core/workspace/save_dialog.h"
#include "support/no_save_dialog.h"
#include "ui/audit/brief_editor.h"

#include <glib.h>
#include <gtkmm/init.h>
#include <gtkmm/window.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class NoAnchor : public vesk::AnchorWindow {
 public:
  void present() override {}
};

double percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
  return values[index];
}

void print(const char* what, const std::vector<double>& micros) {
  std::printf("%-58s median %8.1f µs   p99 %8.1f µs   (%zu keystrokes)\n", what, percentile(micros, 0.5),
              percentile(micros, 0.99), micros.size());
}

}  // namespace

int main(int argc, char** argv) {
  const int keystrokes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400;
  gtk_init();
  Gtk::init_gtkmm_internals();
  const auto folder = std::filesystem::temp_directory_path() / ("vesk-brief-bench-" + std::to_string(getpid()));
  vesk::Workspace::Environment environment;
  environment.serviceOrigin = "http://127.0.0.1:9";
  environment.supportFolder = folder.string();
  environment.keychain = std::make_shared<vesk::SessionKeychain>("vesk-brief-bench");
  environment.browser = vesk::BrowserConnection::create([] { return std::make_shared<NoAnchor>(); },
                                                        [](const std::string&) { return false; });
  environment.saveDialog = std::make_shared<vesk::bench::NoSaveDialog>();
  auto workspace = vesk::Workspace::create(std::move(environment), vesk::Workspace::SavedSession::ignore);

  std::string brief;
  while (brief.size() < 5000) brief += "Check the pricing page at example.com and the sign-up flow. ";
  brief.resize(5000);
  workspace->brief = brief;

  vesk::RootViewState root(workspace);
  vesk::ComposerPresentation model(workspace, root);
  Gtk::Window window;
  window.set_default_size(790, 400);
  auto* editor = Gtk::make_managed<vesk::ui::BriefEditor>(workspace);
  window.set_child(*editor);
  window.present();
  for (int i = 0; i < 50; ++i) g_main_context_iteration(nullptr, FALSE);

  auto buffer = editor->textView().get_buffer();
  std::vector<double> editorMicros;
  std::vector<double> modelMicros;
  for (int i = 0; i < keystrokes; ++i) {
    buffer->place_cursor(buffer->end());
    const auto start = Clock::now();
    buffer->insert_at_cursor(i % 7 == 6 ? " " : "a");
    const auto written = Clock::now();
    if (workspace->brief->size() != 5000 + static_cast<std::size_t>(i) + 1 || editor->placeholderShown()) {
      std::fprintf(stderr, "the brief did not follow the editor\n");
      return 1;
    }
    // The model's flush waits in the main loop for the end of this turn.
    while (g_main_context_pending(nullptr)) g_main_context_iteration(nullptr, FALSE);
    const auto flushed = Clock::now();
    editorMicros.push_back(std::chrono::duration<double, std::micro>(written - start).count());
    modelMicros.push_back(std::chrono::duration<double, std::micro>(flushed - written).count());
  }
  print("brief typing (5,000 chars): buffer change to brief and placeholder", editorMicros);
  print("brief typing (5,000 chars): then the composer model's flush", modelMicros);
  std::filesystem::remove_all(folder);
  return 0;
}
