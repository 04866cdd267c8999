#include "core/signin/query_items.h"

#include "core/api/api_address.h"
#include "core/platform/object_ptr.h"

#include <algorithm>

namespace vesk {

namespace {

std::optional<std::string> decode(std::string_view piece) {
  const std::string owned(piece);
  const glib::GFreePtr<char> decoded(g_uri_unescape_segment(owned.data(), owned.data() + owned.size(), nullptr));
  if (!decoded) return std::nullopt;
  return std::string(decoded.get());
}

}  // namespace

std::optional<std::vector<QueryItem>> readQueryItems(std::string_view query) {
  if (!isQueryText(query)) return std::nullopt;
  std::vector<QueryItem> items;
  if (query.empty()) return items;
  std::size_t start = 0;
  while (start <= query.size()) {
    const std::size_t end = std::min(query.find('&', start), query.size());
    const std::string_view piece = query.substr(start, end - start);
    const std::size_t equals = piece.find('=');
    QueryItem item;
    auto name = decode(piece.substr(0, equals));
    if (!name) return std::nullopt;
    item.name = std::move(*name);
    if (equals != std::string_view::npos) {
      item.value = decode(piece.substr(equals + 1));
      if (!item.value) return std::nullopt;
    }
    items.push_back(std::move(item));
    start = end + 1;
  }
  return items;
}

std::optional<std::string> firstValue(const std::vector<QueryItem>& items, std::string_view name) {
  for (const auto& item : items)
    if (item.name == name) return item.value;
  return std::nullopt;
}

}  // namespace vesk
