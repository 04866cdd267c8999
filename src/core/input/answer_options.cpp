// The distinct answer options of a discovery question, as the discovery screen shows them.
#include "core/input/answer_options.h"

#include "core/text/text_equivalence.h"

#include <algorithm>

namespace vesk {

std::vector<std::string> uniqueOptions(const DiscoveryQuestion& question) {
  // A question offers a handful of options, so a linear look-back is the simplest.
  std::vector<std::string> unique;
  for (const auto& option : question.options) {
    const bool seen = std::any_of(unique.begin(), unique.end(),
                                  [&](const std::string& kept) { return canonicallyEqual(kept, option); });
    if (!seen) unique.push_back(option);
  }
  return unique;
}

}  // namespace vesk
