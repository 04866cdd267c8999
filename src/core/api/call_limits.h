#pragma once
// How much of a reply a call may hold and how long it may take in all, from its
// operation and method alone. A broken or hostile service cannot make the client hold
// more than the byte limit (counted after any content decoding, as the body arrives) or
// keep a call alive past its deadline by trickling bytes under the idle time-out.
#include <chrono>
#include <cstddef>
#include <string_view>

namespace vesk {

struct CallLimits {
  std::size_t replyBytes;         // decoded body bytes kept in memory
  std::chrono::seconds deadline;  // the whole exchange, nominal (the Timing scale applies)

  // The limits of a call to the desktop API. Downloads written to a file instead of
  // memory (the account archive, a run's PDF) are bounded by the deadline and by the byte
  // limit their caller gives, if any.
  static CallLimits forOperation(std::string_view operation, std::string_view method);

  // Evidence images and a project's anchor file: their byte limits are the caller's.
  static constexpr std::chrono::seconds fileDeadline{300};
};

}  // namespace vesk
