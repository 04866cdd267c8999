#pragma once
// What the discovery screen draws: a waiting or unavailable line while there are no
// questions, else one group of answer pills per question, and the footer's back and run
// buttons. At most two answers per question: once two are chosen the others are dimmed
// and disabled and a note says so. Changes once per main-loop turn.
//
// Its operations are the screen's clicks; every one goes through the workspace.
#include "core/shell/change_coalescer.h"
#include "core/style/vesk_button_role.h"
#include "core/workspace/workspace.h"

#include <sigc++/signal.h>

#include <memory>
#include <string>
#include <vector>

namespace vesk {

class DiscoveryPresentation {
 public:
  static constexpr const char* leadText = "Pick up to 2 answers per question.";
  static constexpr const char* fullNote = "Deselect one to choose another.";
  static constexpr const char* pillHint = "Choose up to two answers per question";

  enum class Phase { waiting, unavailable, answering };
  struct Pill {
    std::string option;
    bool selected = false;
    bool dimmed = false;
    bool disabled = false;
    bool operator==(const Pill&) const = default;
  };
  struct Group {
    std::size_t index = 0;
    std::string question;
    std::vector<Pill> pills;
    bool showsNote = false;  // two answers are chosen
    bool operator==(const Group&) const = default;
  };
  struct State {
    Phase phase = Phase::unavailable;
    std::string waitingText;  // empty while answering
    std::vector<Group> groups;
    std::string backTitle;
    bool busy = false;  // the spinners
    std::string runTitle;
    VeskButtonRole runRole = VeskButtonRole::accent;
    bool runEnabled = false;
    bool operator==(const State&) const = default;
  };

  explicit DiscoveryPresentation(std::shared_ptr<Workspace> workspace);
  DiscoveryPresentation(const DiscoveryPresentation&) = delete;
  DiscoveryPresentation& operator=(const DiscoveryPresentation&) = delete;

  const State& state() const { return state_; }
  sigc::signal<void()>& signalChanged() { return changed_; }

  // A click on an answer pill of the question at `index`.
  void choose(std::size_t index, const std::string& option);
  // The back button: the composer with its sources in the preview, else a new audit.
  void back();
  // The run button (or Ctrl+Return): a quick read starts; a full audit opens the review
  // with its confirmation cleared. Does nothing while the button is disabled.
  void run();

 private:
  State read() const;
  void refresh();

  std::shared_ptr<Workspace> workspace_;
  State state_;
  sigc::signal<void()> changed_;
  ChangeCoalescer changes_;
};

}  // namespace vesk
