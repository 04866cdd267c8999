#pragma once
// The splices that turn one list of items into another, for a view that mirrors the
// list in a store: items are compared by identity, so an item present in both lists is
// kept (its row is not built again) and only what was added, removed or replaced moves.
#include <cstddef>
#include <unordered_map>
#include <vector>

namespace vesk {

// Replaces `removed` items at `position` with the `added` items that stand at
// `position` in the new list. Splices apply in order, each to the list the previous one
// left.
struct ListSplice {
  std::size_t position = 0;
  std::size_t removed = 0;
  std::size_t added = 0;
  bool operator==(const ListSplice&) const = default;
};

// Linear in the two lengths. Each item appears at most once in each list. An item that
// moved is removed where it was and added where it is.
template <class Item>
std::vector<ListSplice> listSplices(const std::vector<Item>& before, const std::vector<Item>& after) {
  std::unordered_map<Item, std::size_t> beforeAt;
  std::unordered_map<Item, std::size_t> afterAt;
  for (std::size_t i = 0; i < before.size(); ++i) beforeAt.emplace(before[i], i);
  for (std::size_t j = 0; j < after.size(); ++j) afterAt.emplace(after[j], j);
  // Whether an item is still ahead in a list, not yet passed.
  const auto ahead = [](const auto& at, const Item& item, std::size_t from) {
    const auto found = at.find(item);
    return found != at.end() && found->second >= from;
  };
  std::vector<ListSplice> splices;
  ListSplice pending;
  const auto flush = [&] {
    if (pending.removed > 0 || pending.added > 0) splices.push_back(pending);
  };
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < before.size() || j < after.size()) {
    if (i < before.size() && j < after.size() && before[i] == after[j]) {
      flush();
      ++i;
      ++j;
      pending = ListSplice{j, 0, 0};
      continue;
    }
    const bool removeOld = i < before.size() && (j == after.size() || !ahead(afterAt, before[i], j));
    const bool addNew = j < after.size() && (i == before.size() || !ahead(beforeAt, after[j], i));
    if (removeOld || !addNew) {
      ++pending.removed;
      ++i;
    }
    if (addNew || !removeOld) {
      ++pending.added;
      ++j;
    }
  }
  flush();
  return splices;
}

// The one splice that does what `splices` do, from the first changed position to the
// last, for a list of `newSize` items afterwards. Empty splices give an empty splice.
inline ListSplice coveringSplice(const std::vector<ListSplice>& splices, std::size_t newSize) {
  if (splices.empty()) return {};
  const ListSplice& last = splices.back();
  const std::size_t first = splices.front().position;
  const std::size_t unchangedTail = newSize - (last.position + last.added);
  std::size_t oldSize = newSize;
  for (const auto& splice : splices) oldSize = oldSize + splice.removed - splice.added;
  return ListSplice{first, oldSize - first - unchangedTail, newSize - first - unchangedTail};
}

}  // namespace vesk
