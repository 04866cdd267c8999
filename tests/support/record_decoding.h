#pragma once
// Decodes a record from JSON text both ways a caller can: from a const document (copying)
// and from a document handed over as an rvalue (moving). The two must agree exactly. The
// text is parsed the way a reply is.
#include "core/records/json_fields.h"
#include "core/records/vesk_error.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace vesk::testing {

// The decoded record, or the DecodingError (rethrown after checking both paths agree).
template <class Record>
Record decodeRecord(std::string_view text) {
  const nlohmann::json document = parseJsonDocument(text);  // as a reply is read
  std::optional<Record> copied;
  std::string copyFailure;
  try {
    copied = Record::fromJson(document);
  } catch (const DecodingError& error) {
    copyFailure = error.detail();
  }
  nlohmann::json handedOver = document;
  try {
    Record moved = Record::fromJson(std::move(handedOver));
    EXPECT_TRUE(copied.has_value()) << "only the moving decode accepted " << text << " (" << copyFailure << ")";
    if (copied) {
      EXPECT_TRUE(*copied == moved) << "the two decodes of " << text << " differ";
    }
    return moved;
  } catch (const DecodingError& error) {
    EXPECT_EQ(copyFailure, error.detail()) << "the two decodes of " << text << " disagree";
    throw;
  }
}

// The detail of the decoding failure, or nullopt when the text decodes.
template <class Record>
std::optional<std::string> decodingFailure(std::string_view text) {
  try {
    decodeRecord<Record>(text);
    return std::nullopt;
  } catch (const DecodingError& error) {
    return error.detail();
  }
}

}  // namespace vesk::testing
