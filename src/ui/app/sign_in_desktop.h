#pragma once
// The desktop's side of browser sign-in: the window sign-in is presented from, and the
// user's browser.
#include "core/signin/browser_connection.h"

#include <memory>
#include <string>

namespace vesk::ui {

// The visible window of the running application to present sign-in from: the active
// window when it is shown, else the first shown window (most recently used first);
// nullptr when none is shown.
std::shared_ptr<AnchorWindow> signInAnchor();

// Opens the address in the user's default browser; false when none could be started.
bool openInBrowser(const std::string& address);

}  // namespace vesk::ui
