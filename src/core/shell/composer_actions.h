#pragma once
// What the composer's controls do to the workspace and the root's shared state: adding
// the typed addresses, submitting, removing a chip, taking dropped files, and the
// comparison block's two buttons. The view calls these; they hold no state of their own.
#include "core/shell/root_view_state.h"
#include "core/workspace/workspace.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

class ComposerActions {
 public:
  ComposerActions(std::shared_ptr<Workspace> workspace, RootViewState& root);

  // Moves the address row's text into the draft's addresses after the address rules;
  // a refusal goes to the workspace's error and changes nothing else.
  void addComposerURL();
  // The submit button: sign-in first, then the allowance, then a pending typed address,
  // then discovery.
  void submitComposer();
  void removeAddress(const std::string& entry);
  void removeAttachment(const std::string& id);
  // Dropped items, each with its path when it is a file on this computer. Refused (false)
  // while busy or without a single local file; otherwise the files go to the workspace.
  bool dropFiles(const std::vector<std::optional<std::string>>& localPaths);
  // "Change audit": with a project, readies the root's comparison state for it, opens
  // the chooser and loads the baselines. Without one nothing happens (false).
  bool changeComparison();
  void clearComparison();

 private:
  std::shared_ptr<Workspace> workspace_;
  RootViewState& root_;
};

}  // namespace vesk
