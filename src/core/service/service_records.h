#pragma once
// The records the client exchanges with the service and the session it keeps.
//
// Every record decodes strictly (see json_fields.h): fromJson() throws vesk::DecodingError.
// Each fromJson() has an rvalue overload that moves texts out of the parsed document.
// Records that the client writes have toJson(), which leaves absent members out.
// Members are in the order of their JSON form; the constructor takes them in that order.
#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vesk::async {
template <class T>
class Task;
}

namespace vesk {

// One question of a run's discovery step and the answers offered, in the service's order
// (repeats included).
struct DiscoveryQuestion {
  std::string text;
  std::vector<std::string> options;

  DiscoveryQuestion() = default;
  DiscoveryQuestion(std::string text, std::vector<std::string> options);

  static DiscoveryQuestion fromJson(const nlohmann::json& value);
  static DiscoveryQuestion fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  // Texts compare by canonical equivalence; options position by position.
  bool operator==(const DiscoveryQuestion& other) const;

  // The options without repeats: each text where it first occurs. Defined in
  // discovery_question_options.cpp.
  std::vector<std::string> uniqueOptions() const;
};

// A file that goes with a run: its name, media type and content as standard Base64.
struct AuditAttachment {
  std::string filename;
  std::string mediaType;
  std::string data;

  AuditAttachment() = default;
  AuditAttachment(std::string filename, std::string mediaType, std::string data);

  // The identity in the composer's list: filename, ":", then a decimal 64-bit hash of
  // data. Stable while the program runs; never stored.
  std::string id() const;

  static AuditAttachment fromJson(const nlohmann::json& value);
  static AuditAttachment fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  bool operator==(const AuditAttachment& other) const = default;

  // Reads a PNG, JPEG, WebP, GIF, PDF, text or Markdown file within its type's size
  // limit, off the main loop. Fails with a VeskError for a file of another type or too
  // large, with async::PlatformError when the file cannot be opened or read (a FIFO or
  // device is refused as not a regular file). Defined in audit_attachment_file.cpp.
  static async::Task<AuditAttachment> read(std::filesystem::path file);
  // The size in bytes of the file that `data` carries, from the Base64 length.
  std::int64_t sizeBytes() const;
};

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
  QuickAccess(bool allowed, std::optional<std::string> reason, std::int64_t perDay, std::optional<std::int64_t> perMonth,
              std::int64_t remainingToday, std::optional<std::int64_t> bonusBalance = std::nullopt,
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
  Account(std::string email, std::int64_t auditBalance, std::string plan, std::optional<QuickAccess> quick = std::nullopt,
          std::optional<RunCaps> caps = std::nullopt, std::optional<std::string> displayName = std::nullopt,
          std::optional<FreeWeek> freeWeek = std::nullopt, std::optional<bool> membershipActive = std::nullopt,
          std::optional<std::string> billingCycle = std::nullopt);

  static Account fromJson(const nlohmann::json& value);
  static Account fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  bool operator==(const Account& other) const = default;
};

// One run as the client keeps it: in the saved-run list, as the open run and on disk.
// Its identity is id.
struct SavedAudit {
  std::string id;
  std::string projectId;
  std::string projectName;
  std::string status;
  std::string output;  // the report as Markdown; empty until there is one
  std::optional<std::string> auditMode;
  std::optional<bool> fixture;
  std::optional<std::string> createdAt;
  std::optional<bool> partial;
  std::optional<std::string> input;
  std::optional<std::int64_t> runNumber;
  std::optional<std::string> agent;

  SavedAudit() = default;
  SavedAudit(std::string id, std::string projectId, std::string projectName, std::string status, std::string output,
             std::optional<std::string> auditMode = std::nullopt, std::optional<bool> fixture = std::nullopt,
             std::optional<std::string> createdAt = std::nullopt, std::optional<bool> partial = std::nullopt,
             std::optional<std::string> input = std::nullopt, std::optional<std::int64_t> runNumber = std::nullopt,
             std::optional<std::string> agent = std::nullopt);

  static SavedAudit fromJson(const nlohmann::json& value);
  static SavedAudit fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  // All twelve members; texts by canonical equivalence. Two values of one run with
  // different statuses or outputs differ.
  bool operator==(const SavedAudit& other) const;
};

// A run as the service reports it when it is created or read. Only ever received.
struct RunState {
  std::string id;
  std::string status;
  std::string output;
  std::vector<DiscoveryQuestion> questions;  // the key is required, empty when none
  std::optional<bool> refundConfirmed;
  std::optional<std::string> auditMode;
  std::optional<bool> retryable;
  std::optional<bool> partial;
  std::optional<std::string> agent;

  RunState() = default;
  RunState(std::string id, std::string status, std::string output, std::vector<DiscoveryQuestion> questions,
           std::optional<bool> refundConfirmed = std::nullopt, std::optional<std::string> auditMode = std::nullopt,
           std::optional<bool> retryable = std::nullopt, std::optional<bool> partial = std::nullopt,
           std::optional<std::string> agent = std::nullopt);

  static RunState fromJson(const nlohmann::json& value);
  static RunState fromJson(nlohmann::json&& value);
  bool operator==(const RunState& other) const = default;
};

// The reply of the token exchange that ends browser sign-in. Only ever received; its
// member names are its JSON keys.
struct TokenResponse {
  std::string access_token;
  std::int64_t expires_in = 0;  // seconds from now

  TokenResponse() = default;
  TokenResponse(std::string access_token, std::int64_t expires_in);

  static TokenResponse fromJson(const nlohmann::json& value);
  static TokenResponse fromJson(nlohmann::json&& value);
  bool operator==(const TokenResponse& other) const = default;
};

// The session kept in the keyring. "expires" is stored as a JSON number of seconds since
// 2001-01-01 00:00:00 UTC; a double of that size carries microseconds exactly, so the
// expiry is kept to the microsecond and survives a round trip unchanged.
struct SessionRecord {
  std::string token;
  std::string origin;
  std::chrono::system_clock::time_point expires;

  SessionRecord() = default;
  SessionRecord(std::string token, std::string origin, std::chrono::system_clock::time_point expires);

  static SessionRecord fromJson(const nlohmann::json& value);
  static SessionRecord fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  bool operator==(const SessionRecord& other) const = default;
};

}  // namespace vesk
