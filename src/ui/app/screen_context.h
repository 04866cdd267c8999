#pragma once
// What a screen's view is built from: the workspace it draws and operates, the state the
// root view shares among the header, the composer and their sheets, and the root view
// itself for its sheets, tips and file panel.
#include "core/shell/root_view_state.h"
#include "core/workspace/workspace.h"

#include <memory>

namespace vesk::ui {

class RootView;

struct ScreenContext {
  std::shared_ptr<Workspace> workspace;
  RootViewState* root = nullptr;
  RootView* rootView = nullptr;
};

}  // namespace vesk::ui
