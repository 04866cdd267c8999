#include "core/report/failure_sentence.h"

#include "core/records/vesk_error.h"

#include <nlohmann/json.hpp>

namespace vesk {

std::string failureSentence(const std::exception& failure) {
  if (dynamic_cast<const nlohmann::json::exception*>(&failure) != nullptr) return DecodingError::sentence;
  return failure.what();
}

}  // namespace vesk
