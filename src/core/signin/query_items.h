#pragma once
// The items of a URL's query, read the way browsers and URL libraries read them: split at
// "&", each at its first "=", names and values percent-decoded ("+" stays "+").
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

struct QueryItem {
  std::string name;
  std::optional<std::string> value;  // absent when the item has no "="
};

// The items in order, repeats kept; nothing when the query is not well-formed query text
// or an escape does not decode (a bad "%" sequence, an encoded NUL).
std::optional<std::vector<QueryItem>> readQueryItems(std::string_view query);

// The value of the first item with that name.
std::optional<std::string> firstValue(const std::vector<QueryItem>& items, std::string_view name);

}  // namespace vesk
