#pragma once
// Plays the user's browser in sign-in tests: opens an address and follows the service's
// redirects until one leads out of the web, to the application's callback scheme.
#include "core/async/task.h"

#include <string>

namespace vesk::testing {

// The address the browser would hand to the desktop, exactly as the service sent it.
// Throws std::runtime_error when a page answers with anything but a redirect.
async::Task<std::string> followToCallback(std::string address);

}  // namespace vesk::testing
