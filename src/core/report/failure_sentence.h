#pragma once
// The sentence the reader shows or passes on for a failed service call.
#include <exception>
#include <string>

namespace vesk {

// The error's own sentence; the client's "unreadable response" sentence for a JSON
// error, whose text is meant for developers.
std::string failureSentence(const std::exception& failure);

}  // namespace vesk
