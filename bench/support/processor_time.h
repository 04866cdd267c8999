#pragma once
// The processor time this process has spent, user and system, in seconds.
#include <sys/resource.h>

namespace vesk::bench {

inline double processorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace vesk::bench
