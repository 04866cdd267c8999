// The account's settings, archive, clearing and deletion, billing and feedback.
#include "core/records/json_fields.h"
#include "demo/demo_rig.h"
#include "demo_service/demo_documents.h"

#include <gtest/gtest.h>

#include <map>

using namespace vesk;
using namespace vesk::testing;

namespace {

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | std::uint8_t(bytes.at(at + std::size_t(i)));
  return value;
}

// The entries of a ZIP archive with stored files, read through its central directory.
std::map<std::string, std::string> zipEntries(const std::string& archive) {
  const auto end = archive.rfind(std::string("PK\x05\x06", 4));
  EXPECT_NE(end, std::string::npos);
  const auto count = littleEndian(archive, end + 10, 2);
  std::size_t at = littleEndian(archive, end + 16, 4);
  std::map<std::string, std::string> entries;
  for (std::uint32_t i = 0; i < count; ++i) {
    EXPECT_EQ(littleEndian(archive, at, 4), 0x02014b50u);
    const auto crc = littleEndian(archive, at + 16, 4);
    const auto size = littleEndian(archive, at + 20, 4);
    const auto nameLength = littleEndian(archive, at + 28, 2);
    const auto local = littleEndian(archive, at + 42, 4);
    const std::string name = archive.substr(at + 46, nameLength);
    EXPECT_EQ(littleEndian(archive, local, 4), 0x04034b50u);
    const std::string data = archive.substr(local + 30 + littleEndian(archive, local + 26, 2), size);
    EXPECT_EQ(demo::crc32Of(data), crc) << name;
    entries[name] = data;
    at += 46 + nameLength;
  }
  return entries;
}

}  // namespace

TEST(DemoAccount, SettingsChangeWhatTheAccountShows) {
  DemoRig rig;
  const auto client = rig.signedInClient();
  auto settings = rig.get(client, "settings");
  JsonFields fields(settings, "settings");
  EXPECT_EQ(fields.text("displayName"), "Demo Newcomer");
  EXPECT_EQ(fields.text("email"), "newcomer@example.com");
  EXPECT_EQ(settings["entitlements"]["auditBalance"], 3);
  const std::string policy = fields.text("consentPolicyVersion");
  EXPECT_TRUE(fields.flag("collectionActive"));

  runTask(client.raw("settings", JsonObject{{"displayName", "Ada"}}, "PATCH", Auth::bearer));
  EXPECT_EQ(rig.get(client, "me")["account"]["displayName"], "Ada");
  EXPECT_EQ(rig.failure(client, "settings", JsonObject{{"displayName", std::string(61, 'a')}}, "PATCH").status(), 422);

  const auto consent = runTask(client.raw(
      "settings/audit-improvement", JsonObject{{"enabled", true}, {"policyVersion", policy}}, "PATCH", Auth::bearer));
  EXPECT_EQ(nlohmann::json::parse(consent), nlohmann::json({{"enabled", true}}));
  EXPECT_EQ(rig.get(client, "settings/audit-improvement"), nlohmann::json({{"enabled", true}}));
  const auto stale = rig.failure(client, "settings/audit-improvement",
                                 JsonObject{{"enabled", false}, {"policyVersion", "1999-01"}}, "PATCH");
  EXPECT_EQ(stale.status(), 409);

  EXPECT_TRUE(rig.post(client, "billing/portal", JsonObject{})["url"].get<std::string>().starts_with("https://"));
  EXPECT_EQ(rig.post(client, "feedback", JsonObject{{"body", "Lovely demo."}, {"fromPath", "/linux/report"}}),
            nlohmann::json({{"ok", true}}));
  EXPECT_EQ(rig.failure(client, "feedback", JsonObject{{"body", "ok"}, {"fromPath", "/linux/report"}}).status(), 422);
}

TEST(DemoAccount, TheArchiveHoldsEveryReportAndClearingEmptiesTheLibrary) {
  DemoRig rig;
  const auto client = rig.signedInClient();
  const auto archive = runTask(client.raw("settings/export", std::nullopt, std::nullopt, Auth::bearer));
  ASSERT_TRUE(archive.starts_with("PK"));
  const auto entries = zipEntries(archive);
  ASSERT_TRUE(entries.contains("README.txt"));
  EXPECT_EQ(entries.at("README.txt"),
            "Your Vesk demo archive: 5 projects and 129 runs, written by the loopback demo service.\n");
  const auto northwind =
      rig.libraryRun(client, [](const auto& run) { return run["projectName"] == "Northwind Coffee"; });
  EXPECT_EQ(entries.at("reports/" + northwind["id"].get<std::string>() + ".md"), northwind["output"]);

  const auto cleared =
      nlohmann::json::parse(runTask(client.raw("settings/runs", std::nullopt, "DELETE", Auth::bearer)));
  EXPECT_EQ(cleared, nlohmann::json({{"ok", true}, {"deletedRuns", 129}}));
  EXPECT_TRUE(rig.get(client, "library")["runs"].empty());
  EXPECT_EQ(rig.get(client, "projects")["projects"].size(), 5u) << "projects stay";
  runTask(client.raw("settings/workspace", std::nullopt, "DELETE", Auth::bearer));
  EXPECT_TRUE(rig.get(client, "projects")["projects"].empty());
}
