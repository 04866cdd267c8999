#pragma once
// Which addresses the window's address actions may hand to the browser. Those actions
// can be activated by any program on the session bus, so they open only what the
// application itself opens there: web pages of the service.
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// Whether `address` is an http or https address on the scheme, host and port of one of
// `origins`, with no user part. Anything else (file:, mail links, other hosts) is not.
bool isServiceAddress(std::string_view address, const std::vector<std::string>& origins);

}  // namespace vesk
