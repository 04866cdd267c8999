#include "ui/library/library_entry_list.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <utility>

namespace vesk::ui {

namespace {

// What the model holds: the entries in order, and the items made for them so far.
struct EntryListState {
  std::vector<LibraryEntry> entries;
  std::unordered_map<const LibraryListEntry*, Glib::RefPtr<LibraryEntryItem>> items;
  std::size_t itemsMade = 0;
};

struct VeskLibraryEntryList {
  GObject parent;
  EntryListState* state;
};

struct VeskLibraryEntryListClass {
  GObjectClass parentClass;
};

GType vesk_library_entry_list_get_type();
void vesk_library_entry_list_model_init(GListModelInterface* iface);

// The macro's own names (vesk_library_entry_list_init, _class_init) are GLib's convention.
G_DEFINE_TYPE_WITH_CODE(VeskLibraryEntryList, vesk_library_entry_list, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(G_TYPE_LIST_MODEL, vesk_library_entry_list_model_init))

EntryListState& stateOf(gpointer list) {
  return *G_TYPE_CHECK_INSTANCE_CAST(list, vesk_library_entry_list_get_type(), VeskLibraryEntryList)->state;
}

void vesk_library_entry_list_init(VeskLibraryEntryList* list) { list->state = new EntryListState; }

void finalize(GObject* object) {
  delete reinterpret_cast<VeskLibraryEntryList*>(object)->state;
  G_OBJECT_CLASS(vesk_library_entry_list_parent_class)->finalize(object);
}

void vesk_library_entry_list_class_init(VeskLibraryEntryListClass* klass) {
  G_OBJECT_CLASS(klass)->finalize = finalize;
}

// Made on demand and kept while its entry stays in the list.
LibraryEntryItem* itemAt(EntryListState& state, std::size_t position) {
  if (position >= state.entries.size()) return nullptr;
  const auto& entry = state.entries[position];
  auto& item = state.items[entry.get()];
  if (!item) {
    item = LibraryEntryItem::create(entry);
    ++state.itemsMade;
  }
  return item.get();
}

void vesk_library_entry_list_model_init(GListModelInterface* iface) {
  iface->get_item_type = [](GListModel*) { return G_TYPE_OBJECT; };
  iface->get_n_items = [](GListModel* list) { return static_cast<guint>(stateOf(list).entries.size()); };
  iface->get_item = [](GListModel* list, guint position) -> gpointer {
    auto* item = itemAt(stateOf(list), position);
    return item ? g_object_ref(item->gobj()) : nullptr;
  };
}

}  // namespace

LibraryEntryList::LibraryEntryList()
    : model_(G_LIST_MODEL(g_object_new(vesk_library_entry_list_get_type(), nullptr))) {}

LibraryEntryList::~LibraryEntryList() { g_object_unref(model_); }

std::size_t LibraryEntryList::itemsMade() const { return stateOf(model_).itemsMade; }

std::size_t LibraryEntryList::size() const { return stateOf(model_).entries.size(); }

const std::vector<LibraryEntry>& LibraryEntryList::entries() const { return stateOf(model_).entries; }

Glib::RefPtr<LibraryEntryItem> LibraryEntryList::item(std::size_t position) const {
  auto* item = itemAt(stateOf(model_), position);
  if (!item) return {};
  item->reference();
  return Glib::make_refptr_for_instance(item);
}

void LibraryEntryList::splice(std::size_t position, std::size_t removed, std::vector<LibraryEntry> added,
                              const std::function<void(const Leaving&)>& beforeTheList) {
  auto& state = stateOf(model_);
  position = std::min(position, state.entries.size());
  removed = std::min(removed, state.entries.size() - position);
  const auto first = state.entries.begin() + static_cast<std::ptrdiff_t>(position);
  const auto last = first + static_cast<std::ptrdiff_t>(removed);
  Leaving leaving;
  leaving.reserve(removed);
  for (auto at = first; at != last; ++at) leaving.insert(at->get());
  for (const auto& entry : added) leaving.erase(entry.get());
  beforeTheList(leaving);
  for (const auto* entry : leaving) state.items.erase(entry);
  const auto count = added.size();
  const auto at = state.entries.erase(first, last);
  state.entries.insert(at, std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
  g_list_model_items_changed(model_, static_cast<guint>(position), static_cast<guint>(removed),
                             static_cast<guint>(count));
}

}  // namespace vesk::ui
