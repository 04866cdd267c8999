#pragma once
// The signed-in account and its allowances.
//
// Every record decodes strictly (see json_fields.h): fromJson() throws vesk::DecodingError.
// Each fromJson() has an rvalue overload that moves texts out of the parsed document.
// Records that the client writes have toJson(), which leaves absent members out.
// Members are in the order of their JSON form; the constructor takes them in that order.
#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>

namespace vesk {

// The quick-read allowance of an account.
struct QuickAccess {
  bool allowed = false;
  std::optional<std::string> reason;
  std::int64_t perDay = 0;
  std::optional<std::int64_t> perMonth;
  std::int64_t remainingToday = 0;
  std::optional<std::int64_t> bonusBalance;
  std::optional<std::int64_t> planRemainingToday;

  QuickAccess() = default;
  QuickAccess(bool allowed, std::optional<std::string> reason, std::int64_t perDay,
              std::optional<std::int64_t> perMonth, std::int64_t remainingToday,
              std::optional<std::int64_t> bonusBalance = std::nullopt,
              std::optional<std::int64_t> planRemainingToday = std::nullopt);

  static QuickAccess fromJson(const nlohmann::json& value);
  static QuickAccess fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  bool operator==(const QuickAccess& other) const = default;
};

// The limits of one run.
struct RunCaps {
  std::int64_t urlsPerRun = 0;

  RunCaps() = default;
  explicit RunCaps(std::int64_t urlsPerRun);

  static RunCaps fromJson(const nlohmann::json& value);
  static RunCaps fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  bool operator==(const RunCaps& other) const = default;
};

// The account's free week; endsAt is the service's time text.
struct FreeWeek {
  bool active = false;
  std::optional<std::string> endsAt;
  std::int64_t daysLeft = 0;

  FreeWeek() = default;
  FreeWeek(bool active, std::optional<std::string> endsAt, std::int64_t daysLeft);

  static FreeWeek fromJson(const nlohmann::json& value);
  static FreeWeek fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  bool operator==(const FreeWeek& other) const = default;
};

// The signed-in account and its allowances.
struct Account {
  std::string email;
  std::int64_t auditBalance = 0;
  std::string plan;
  std::optional<QuickAccess> quick;
  std::optional<RunCaps> caps;
  std::optional<std::string> displayName;
  std::optional<FreeWeek> freeWeek;
  std::optional<bool> membershipActive;
  std::optional<std::string> billingCycle;

  Account() = default;
  Account(std::string email, std::int64_t auditBalance, std::string plan,
          std::optional<QuickAccess> quick = std::nullopt, std::optional<RunCaps> caps = std::nullopt,
          std::optional<std::string> displayName = std::nullopt, std::optional<FreeWeek> freeWeek = std::nullopt,
          std::optional<bool> membershipActive = std::nullopt, std::optional<std::string> billingCycle = std::nullopt);

  static Account fromJson(const nlohmann::json& value);
  static Account fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  bool operator==(const Account& other) const = default;
};

}  // namespace vesk
