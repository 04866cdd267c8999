#include "core/signin/session_keychain.h"
#include "core/platform/object_ptr.h"

#include <gtest/gtest.h>
#include <libsecret/secret.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <string>
#include <vector>

using vesk::SessionKeychain;
using vesk::SessionRecord;
using namespace std::chrono_literals;

namespace {

// Writes and counts items the way another program would, beside the class under test.
const SecretSchema* plainSchema() {
  static const SecretSchema schema = [] {
    SecretSchema s{};
    s.name = "org.example.Plain";
    s.flags = SECRET_SCHEMA_DONT_MATCH_NAME;
    s.attributes[0] = {"service", SECRET_SCHEMA_ATTRIBUTE_STRING};
    s.attributes[1] = {"account", SECRET_SCHEMA_ATTRIBUTE_STRING};
    return s;
  }();
  return &schema;
}

// The secret is stored byte for byte, NUL bytes included.
void storeItem(const std::string& service, const std::string& account, const std::string& secret) {
  vesk::glib::ErrorSlot error;
  SecretValue* value = secret_value_new(secret.data(), static_cast<gssize>(secret.size()), "text/plain");
  const bool stored =
      secret_password_store_binary_sync(plainSchema(), SECRET_COLLECTION_DEFAULT, "test item", value, nullptr,
                                        error.out(), "service", service.c_str(), "account", account.c_str(), nullptr);
  secret_value_unref(value);
  ASSERT_TRUE(stored) << error.message();
}

// The secrets of every item matching the service (and the account, when given).
std::vector<std::string> secretsOf(const std::string& service, const char* account = nullptr) {
  GHashTable* match = g_hash_table_new(g_str_hash, g_str_equal);
  g_hash_table_insert(match, const_cast<char*>("service"), const_cast<char*>(service.c_str()));
  if (account) g_hash_table_insert(match, const_cast<char*>("account"), const_cast<char*>(account));
  vesk::glib::ErrorSlot error;
  GList* found = secret_password_searchv_sync(
      plainSchema(), match, static_cast<SecretSearchFlags>(SECRET_SEARCH_ALL | SECRET_SEARCH_LOAD_SECRETS), nullptr,
      error.out());
  g_hash_table_unref(match);
  EXPECT_FALSE(error) << error.message();
  std::vector<std::string> secrets;
  for (GList* link = found; link; link = link->next) {
    SecretValue* value = secret_retrievable_retrieve_secret_sync(SECRET_RETRIEVABLE(link->data), nullptr, nullptr);
    gsize length = 0;
    secrets.emplace_back(value ? secret_value_get(value, &length) : "", length);
    if (value) secret_value_unref(value);
  }
  g_list_free_full(found, g_object_unref);
  return secrets;
}

}  // namespace

SessionRecord session(const std::string& token) {
  return SessionRecord(token, "https://vesk.app", std::chrono::system_clock::time_point(1'800'000'000s));
}

TEST(SessionKeychain, LoadsNothingWithoutAnItemOrFromAnItemThatIsNotASession) {
  EXPECT_EQ(SessionKeychain("test.none").load(), std::nullopt);

  const std::string valid = R"({"token":"t","origin":"https://vesk.app","expires":0})";
  for (const std::string& stored :
       {std::string("not json"), std::string(R"({"token":"t","origin":"o"})"),
        std::string(R"({"token":"t","origin":"o","expires":"2030-01-01"})"), valid + '\0' + "{}", valid + '\0'}) {
    SCOPED_TRACE(nlohmann::json(stored).dump());
    storeItem("test.unreadable", "desktop", stored);
    EXPECT_EQ(SessionKeychain("test.unreadable").load(), std::nullopt);
    EXPECT_EQ(secretsOf("test.unreadable"), std::vector<std::string>{stored}) << "the item stays";
  }
  storeItem("test.unreadable", "desktop", valid + " \n");
  EXPECT_TRUE(SessionKeychain("test.unreadable").load()) << "white space after the record is no fault";
}

TEST(SessionKeychain, SavingTwiceLeavesOneItemHoldingTheSecond) {
  const SessionKeychain keychain("test.twice");
  keychain.save(session("A"));
  ASSERT_EQ(secretsOf("test.twice", "desktop").size(), 1u);
  EXPECT_EQ(nlohmann::json::parse(secretsOf("test.twice").front()),
            nlohmann::json::parse(R"({"token":"A","origin":"https://vesk.app","expires":821692800.0})"))
      << "the record's own JSON, its expiry in seconds since 2001";
  keychain.save(session("B"));
  const auto stored = secretsOf("test.twice");
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(nlohmann::json::parse(stored.front())["token"], "B");
  EXPECT_EQ(keychain.load(), session("B"));
}

TEST(SessionKeychain, ClearRemovesEveryAccountOfTheServiceAndNothingElse) {
  const SessionKeychain keychain("test.clear");
  keychain.save(session("mine"));
  storeItem("test.clear", "someone-else", "also mine");
  storeItem("test.clear.other", "desktop", "not mine");
  storeItem("test.clea", "desktop", "not mine either");
  ASSERT_EQ(secretsOf("test.clear").size(), 2u);

  EXPECT_TRUE(keychain.clear());
  EXPECT_TRUE(secretsOf("test.clear").empty());
  EXPECT_EQ(keychain.load(), std::nullopt);
  EXPECT_EQ(secretsOf("test.clear.other"), std::vector<std::string>{"not mine"});
  EXPECT_EQ(secretsOf("test.clea"), std::vector<std::string>{"not mine either"});
  EXPECT_TRUE(keychain.clear()) << "clearing nothing succeeds";
}
