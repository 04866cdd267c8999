#pragma once
// A "library" reply of 100 saved runs whose reports total about 5 MB, in the shape the
// service writes them.
#include <string>

namespace vesk::bench {

// The reply's bytes. `lastStatus` is the status of the last run, so that replies that
// differ only at their end can be had.
std::string libraryReply(const std::string& lastStatus = "complete");

}  // namespace vesk::bench
