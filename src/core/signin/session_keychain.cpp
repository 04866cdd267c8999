#include "core/signin/session_keychain.h"

#include "core/async/timing.h"
#include "core/platform/cancel_after.h"
#include "core/platform/object_ptr.h"
#include "core/records/json_document.h"
#include "core/records/vesk_error.h"

#include <libsecret/secret.h>
#include <nlohmann/json.hpp>

#include <memory>
#include <vector>

namespace vesk {

namespace {

using namespace std::chrono_literals;

constexpr const char* itemLabel = "Vesk session";
constexpr const char* contentType = "application/json";

struct SecretValueDeleter {
  void operator()(SecretValue* value) const { secret_value_unref(value); }
};
using SecretValuePtr = std::unique_ptr<SecretValue, SecretValueDeleter>;

struct HashTableDeleter {
  void operator()(GHashTable* table) const { g_hash_table_unref(table); }
};
using AttributesPtr = std::unique_ptr<GHashTable, HashTableDeleter>;

using ServicePtr = glib::ObjectPtr<SecretService>;
using ItemList = std::vector<glib::ObjectPtr<SecretItem>>;

// Matches by attributes only, so items written by any earlier build of the same service
// are found too.
const SecretSchema* sessionSchema() {
  static const SecretSchema schema = [] {
    SecretSchema s{};
    s.name = "app.vesk.desktop.Session";
    s.flags = SECRET_SCHEMA_DONT_MATCH_NAME;
    s.attributes[0] = {"service", SECRET_SCHEMA_ATTRIBUTE_STRING};
    s.attributes[1] = {"account", SECRET_SCHEMA_ATTRIBUTE_STRING};
    return s;
  }();
  return &schema;
}

AttributesPtr attributes(const std::string& service, const char* account) {
  AttributesPtr table(g_hash_table_new_full(g_str_hash, g_str_equal, g_free, g_free));
  g_hash_table_insert(table.get(), g_strdup("service"), g_strdup(service.c_str()));
  if (account) g_hash_table_insert(table.get(), g_strdup("account"), g_strdup(account));
  return table;
}

ServicePtr connect(GCancellable* cancellable) {
  glib::ErrorSlot error;
  return ServicePtr::adopt(secret_service_get_sync(SECRET_SERVICE_NONE, cancellable, error.out()));
}

// Items matching the attributes, locked ones included unless only unlocked are asked
// for; nothing when the service could not be asked.
std::optional<ItemList> search(SecretService* service, GHashTable* match, SecretSearchFlags flags,
                               GCancellable* cancellable) {
  glib::ErrorSlot error;
  GList* found = secret_service_search_sync(service, sessionSchema(), match, flags, cancellable, error.out());
  if (error) return std::nullopt;
  ItemList items;
  for (GList* link = found; link; link = link->next)
    items.push_back(glib::ObjectPtr<SecretItem>::adopt(SECRET_ITEM(link->data)));
  g_list_free(found);
  return items;
}

// Asks the Secret Service to unlock the objects (it may ask the user). Not bounded: the
// user takes as long as they need. True when every object was unlocked.
bool unlock(SecretService* service, const std::vector<gpointer>& objects) {
  if (objects.empty()) return true;
  GList* list = nullptr;
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) list = g_list_prepend(list, *it);
  GList* unlocked = nullptr;
  glib::ErrorSlot error;
  secret_service_unlock_sync(service, list, nullptr, &unlocked, error.out());
  const guint count = g_list_length(unlocked);
  g_list_free_full(unlocked, g_object_unref);
  g_list_free(list);
  return !error && count == objects.size();
}

std::vector<gpointer> lockedAmong(const ItemList& items) {
  std::vector<gpointer> locked;
  for (const auto& item : items)
    if (secret_item_get_locked(item.get())) locked.push_back(item.get());
  return locked;
}

SecretValuePtr valueOf(const std::string& json) {
  return SecretValuePtr(secret_value_new(json.data(), static_cast<gssize>(json.size()), contentType));
}

}  // namespace

std::chrono::milliseconds SessionKeychain::answerBound() { return async::Timing::scaled(4s); }

SessionKeychain::SessionKeychain(std::string service) : service_(std::move(service)) {}

std::optional<SessionRecord> SessionKeychain::load() const {
  const auto text = loadText();
  if (!text) return std::nullopt;
  try {
    return SessionRecord::fromJson(parseJsonDocument(*text));
  } catch (const std::exception&) {
    return std::nullopt;  // not a session record; the item stays for the workspace to replace
  }
}

void SessionKeychain::save(const SessionRecord& record) const { saveText(record.toJson().dump()); }

std::optional<std::string> SessionKeychain::loadText() const {
  glib::CancelAfter bound(answerBound());
  const auto service = connect(bound.cancellable());
  if (!service) return std::nullopt;
  const auto match = attributes(service_, account);
  const auto items = search(service.get(), match.get(), SECRET_SEARCH_LOAD_SECRETS, bound.cancellable());
  if (!items) return std::nullopt;
  for (const auto& item : *items) {
    const SecretValuePtr value(secret_item_get_secret(item.get()));
    if (!value) continue;  // locked: its secret was not loaded
    gsize length = 0;
    const gchar* data = secret_value_get(value.get(), &length);
    return std::string(data, length);
  }
  return std::nullopt;
}

void SessionKeychain::saveText(const std::string& json) const {
  switch (update(json)) {
    case UpdateOutcome::updated: return;
    case UpdateOutcome::missing:
      if (!add(json)) throw VeskError(addFailedSentence);
      return;
    case UpdateOutcome::failed: throw VeskError(updateFailedSentence);
  }
}

SessionKeychain::UpdateOutcome SessionKeychain::update(const std::string& json) const {
  ServicePtr service;
  std::optional<ItemList> items;
  {
    glib::CancelAfter bound(answerBound());
    service = connect(bound.cancellable());
    if (!service) return UpdateOutcome::failed;
    const auto match = attributes(service_, account);
    items = search(service.get(), match.get(), SECRET_SEARCH_ALL, bound.cancellable());
  }
  if (!items) return UpdateOutcome::failed;
  if (items->empty()) return UpdateOutcome::missing;
  if (!unlock(service.get(), lockedAmong(*items))) return UpdateOutcome::failed;

  glib::CancelAfter bound(answerBound());
  const auto value = valueOf(json);
  for (const auto& item : *items) {
    glib::ErrorSlot error;
    if (!secret_item_set_secret_sync(item.get(), value.get(), bound.cancellable(), error.out()))
      return UpdateOutcome::failed;
  }
  return UpdateOutcome::updated;
}

bool SessionKeychain::add(const std::string& json) const {
  ServicePtr service;
  glib::ObjectPtr<SecretCollection> collection;
  {
    glib::CancelAfter bound(answerBound());
    service = connect(bound.cancellable());
    if (!service) return false;
    glib::ErrorSlot error;
    collection = glib::ObjectPtr<SecretCollection>::adopt(secret_collection_for_alias_sync(
        service.get(), SECRET_COLLECTION_DEFAULT, SECRET_COLLECTION_NONE, bound.cancellable(), error.out()));
  }
  if (!collection) return false;
  if (secret_collection_get_locked(collection.get()) && !unlock(service.get(), {collection.get()})) return false;

  glib::CancelAfter bound(answerBound());
  const auto fields = attributes(service_, account);
  glib::ErrorSlot error;
  const auto item = glib::ObjectPtr<SecretItem>::adopt(
      secret_item_create_sync(collection.get(), sessionSchema(), fields.get(), itemLabel, valueOf(json).get(),
                              SECRET_ITEM_CREATE_NONE, bound.cancellable(), error.out()));
  return static_cast<bool>(item);
}

bool SessionKeychain::clear() const {
  // Deleting only what a plain search returns can leave an item of a locked collection
  // behind, and the user would be signed in again at the next start. So unlock first,
  // and afterwards look again.
  ServicePtr service;
  std::optional<ItemList> items;
  const auto match = attributes(service_, nullptr);
  {
    glib::CancelAfter bound(answerBound());
    service = connect(bound.cancellable());
    if (!service) return false;
    items = search(service.get(), match.get(), SECRET_SEARCH_ALL, bound.cancellable());
  }
  if (!items) return false;
  unlock(service.get(), lockedAmong(*items));

  glib::CancelAfter bound(answerBound());
  for (const auto& item : *items) {
    glib::ErrorSlot error;
    secret_item_delete_sync(item.get(), bound.cancellable(), error.out());
  }
  const auto remaining = search(service.get(), match.get(), SECRET_SEARCH_ALL, bound.cancellable());
  return remaining && remaining->empty();
}

}  // namespace vesk
