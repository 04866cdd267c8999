#pragma once
// The account settings side of the service on the fake: "settings" (read, and a new
// profile name), "settings/audit-improvement" (read and change the improvement consent
// under the current policy version), "settings/export" (the account archive, a small
// real ZIP file), "settings/runs" and "settings/workspace" (deletions) and "feedback".
// Every call must carry the account's bearer token, else it is answered 401. Tests
// change the stored state directly, or replace a route with FakeService::reply to script
// a failure.
#include "fake_service/fake_service.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk::testing {

struct FeedbackNote {
  std::string body;
  std::string fromPath;
};

class FakeSettings {
 public:
  struct Account {
    std::string displayName = "Ada Lovelace";
    std::string email = "ada@example.com";
    std::optional<bool> consent = false;  // none: the service asks no consent of this account
    std::string policyVersion = "2024-06";
    bool collectionActive = true;
    std::int64_t auditBalance = 7;
    std::int64_t runs = 3;
    std::string archive = emptyZip();
    std::vector<FeedbackNote> feedback;
    // How the service stores a name it is sent (as sent, unless a test says otherwise).
    std::function<std::string(const std::string&)> storedName = [](const std::string& name) { return name; };
  };

  FakeSettings(FakeService& service, std::string token);

  Account& account() { return state_->account; }
  // The settings reply for the stored account.
  nlohmann::json settingsJson() const;
  static nlohmann::json settingsJson(const Account& account);

  // A ZIP archive without entries: its end record alone, 22 bytes beginning "PK".
  static std::string emptyZip();

 private:
  struct State {
    std::string token;
    Account account;
  };
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace vesk::testing
