#pragma once
// The splices that turn one list of items into another, for a view that mirrors the
// list in a store: items are compared by identity, so an item present in both lists is
// kept (its row is not built again) and only what was added, removed or replaced moves.
#include <algorithm>
#include <cstddef>
#include <unordered_map>
#include <unordered_set>
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

// How much of a change one step hands a list view: the view builds a row at once for
// each item added among its first `window` positions, so a step adds at most `freshRows`
// items there that the shown list does not hold (one it holds keeps its row). Items past
// the window cost no row and come in the same step. A window of 0 limits nothing.
struct ListStepLimit {
  std::size_t window = 0;
  std::size_t freshRows = 0;
};

// The splice that brings `shown` one step closer to `target`, items compared by identity:
// it replaces what lies between their common head and common tail, adding `target`'s items
// from the head on. An empty splice once `shown` is `target`; a limited step adds at least
// one item, so the steps always arrive.
template <class Item>
ListSplice nextListStep(const std::vector<Item>& shown, const std::vector<Item>& target, ListStepLimit limit = {}) {
  const std::size_t common = std::min(shown.size(), target.size());
  std::size_t head = 0;
  while (head < common && shown[head] == target[head]) ++head;
  std::size_t tail = 0;
  while (tail < common - head && shown[shown.size() - 1 - tail] == target[target.size() - 1 - tail]) ++tail;
  const std::size_t removed = shown.size() - head - tail;
  const std::size_t wanted = target.size() - head - tail;
  std::size_t added = wanted;
  if (head < limit.window) {
    const auto from = shown.begin() + static_cast<std::ptrdiff_t>(head);
    const std::unordered_set<Item> leaving(from,
                                           from + static_cast<std::ptrdiff_t>(std::min(removed, limit.window - head)));
    const std::size_t freshRows = std::max<std::size_t>(limit.freshRows, 1);
    std::size_t fresh = 0;
    for (added = 0; added < wanted && head + added < limit.window; ++added)
      if (!leaving.contains(target[head + added]) && ++fresh > freshRows) break;
    if (head + added >= limit.window) added = wanted;
  }
  return ListSplice{head, removed, added};
}

}  // namespace vesk
