#pragma once
// What the demo service holds while it runs: the account, its projects and runs, share
// links and settings. Plain data, created fresh at start and forgotten when it stops.
#include "core/records/audit_records.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vesk::demo {

using Clock = std::chrono::steady_clock;

// Which account "me" describes: a live one, or a local-preview (fixture) one with which
// the client runs its built-in sample flow.
enum class AccountKind { live, preview };

struct DemoAccount {
  std::string email = "newcomer@example.com";
  std::string displayName = "Demo Newcomer";
  std::string plan = "free";
  std::int64_t auditBalance = 3;
  std::int64_t quickPerDay = 5;
  std::int64_t quickRemainingToday = 5;
  std::int64_t freeWeekDaysLeft = 5;
  std::string freeWeekEndsAt;
  bool improvementConsent = false;
};

struct DemoProject {
  std::string id;
  std::string name;
  std::string brief;
  std::optional<std::string> kind;    // "landing" or "dashboard"
  std::optional<std::string> intent;  // "redesign" or "new"
  std::string createdAt;
  std::optional<std::string> contextUrl;
  std::optional<AuditAttachment> anchor;
  bool failsFullAudits = false;  // the scripted project whose full audits fail with a refund
};

// One discovery question as the service words it, with the id the report's blocks use.
struct DemoQuestion {
  std::string id;
  std::string text;
  std::vector<std::string> options;
};

struct DemoRun {
  std::string id;
  std::string projectId;
  std::string mode;    // "quick", "full" or "followup"
  std::string status;  // "discovery", "running", "complete" or "failed"
  std::string agent = "vesk";
  std::string input;
  std::vector<std::string> urls;
  std::vector<AuditAttachment> attachments;
  std::map<std::string, std::vector<std::string>> answers;  // by question id
  std::map<std::string, std::string> refinedFindings;       // by finding heading
  std::string output;
  std::string createdAt;
  std::int64_t runNumber = 1;
  std::optional<Clock::time_point> startedAt;  // when the answers arrived
  std::optional<std::string> auditStartedAt;   // the same moment as ISO 8601 text
  std::optional<std::string> baselineRunId;
  std::optional<std::string> inheritedFromRunId;
  std::optional<std::string> sharedSlug;
  bool scriptedFailure = false;  // a full audit of the scripted project: it fails part-way
  bool refundConfirmed = false;
  bool partial = false;
};

struct DemoState {
  AccountKind kind = AccountKind::live;
  DemoAccount account;
  std::string consentPolicyVersion = "2024-09";
  std::vector<DemoProject> projects;  // in creation order
  std::vector<DemoRun> runs;          // in creation order
  std::set<std::string> revokedTokens;

  DemoProject* project(const std::string& id);
  DemoRun* run(const std::string& id);
  std::vector<const DemoRun*> runsOf(const std::string& projectId) const;
  // The runs newest first, as the library lists them.
  std::vector<const DemoRun*> newestFirst() const;
  std::int64_t nextRunNumber(const std::string& projectId) const;
};

// The service's time text for a moment: ISO 8601 in UTC.
std::string isoTime(std::chrono::system_clock::time_point moment);
std::string isoTimeAgo(std::chrono::seconds age);
// A fresh identifier: the prefix and twelve lowercase hexadecimal digits.
std::string freshId(const std::string& prefix);

// The JSON forms the client reads.
nlohmann::json savedRunJson(const DemoRun& run, const DemoState& state);
nlohmann::json projectJson(const DemoProject& project, const DemoState& state);
nlohmann::json accountJson(const DemoState& state);

}  // namespace vesk::demo
