// libFuzzer target: reply bytes through every strict decoder, the way the client reads a
// reply (parsed, then the record's fromJson on the parsed document), and through the
// availability probe, an error reply's reading and the keyring item's read.
//
// Besides the sanitizers it checks that a decode fails only with DecodingError, that the
// copying and the moving decode agree, and that a record that decodes comes back equal
// from its own JSON.
#include "core/api/desktop_api.h"
#include "core/records/account_records.h"
#include "core/records/audit_records.h"
#include "core/records/json_fields.h"
#include "core/records/library_records.h"
#include "core/records/run_records.h"
#include "core/records/session_records.h"
#include "core/workspace/audit_progress_snapshot.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

[[noreturn]] void fault(const char* what, const char* record) {
  std::fprintf(stderr, "%s: %s\n", record, what);
  std::abort();
}

// The moving decode, as a caller that hands the document over makes it.
template <class Record>
std::optional<Record> decodeMoving(const std::string& bytes) {
  try {
    return Record::fromJson(vesk::parseJsonDocument(bytes));
  } catch (const vesk::DecodingError&) {
  } catch (const nlohmann::json::exception&) {  // turned into DecodingError on the reply path too
  }
  return std::nullopt;
}

template <class Record>
void decodeAs(const std::string& bytes, const char* name) {
  std::optional<Record> copied;
  try {
    copied = vesk::DesktopAPI::decode<Record>(bytes);
  } catch (const vesk::DecodingError&) {
  }
  const std::optional<Record> moved = decodeMoving<Record>(bytes);
  if (copied.has_value() != moved.has_value()) fault("only one of the two decodes accepted the reply", name);
  if (!copied) return;
  if (!(*copied == *moved)) fault("the copying and moving decodes differ", name);
  if constexpr (requires { copied->toJson(); }) {
    const std::string encoded = copied->toJson().dump();
    std::optional<Record> again;
    try {
      again = vesk::DesktopAPI::decode<Record>(encoded);
    } catch (const vesk::DecodingError&) {
      fault("the record's own JSON does not decode", name);
    }
    if (!(*again == *copied)) fault("the record's own JSON decodes to another record", name);
  }
}

// The workspace's list replies.
template <class Record>
struct ListReply {
  std::vector<Record> items;
  static ListReply fromJson(const nlohmann::json& value) {
    return {vesk::JsonFields(value, "list reply").list<Record>("items")};
  }
  static ListReply fromJson(nlohmann::json&& value) {
    return {vesk::JsonFields(std::move(value), "list reply").list<Record>("items")};
  }
  bool operator==(const ListReply&) const = default;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  decodeAs<vesk::SavedAudit>(bytes, "SavedAudit");
  decodeAs<vesk::RunState>(bytes, "RunState");
  decodeAs<vesk::Account>(bytes, "Account");
  decodeAs<vesk::QuickAccess>(bytes, "QuickAccess");
  decodeAs<vesk::RunCaps>(bytes, "RunCaps");
  decodeAs<vesk::FreeWeek>(bytes, "FreeWeek");
  decodeAs<vesk::DiscoveryQuestion>(bytes, "DiscoveryQuestion");
  decodeAs<vesk::AuditAttachment>(bytes, "AuditAttachment");
  decodeAs<vesk::LibraryProject>(bytes, "LibraryProject");
  decodeAs<vesk::LibraryAnchor>(bytes, "LibraryAnchor");
  decodeAs<vesk::LibraryContextURLMeta>(bytes, "LibraryContextURLMeta");
  decodeAs<vesk::LibraryLastRun>(bytes, "LibraryLastRun");
  decodeAs<vesk::ReportBaseline>(bytes, "ReportBaseline");
  decodeAs<vesk::TokenResponse>(bytes, "TokenResponse");
  decodeAs<vesk::SessionRecord>(bytes, "SessionRecord");  // also the keyring item's read
  decodeAs<vesk::AuditProgressSnapshot>(bytes, "AuditProgressSnapshot");
  decodeAs<ListReply<vesk::SavedAudit>>(bytes, "runs list");
  decodeAs<ListReply<vesk::LibraryProject>>(bytes, "projects list");

  try {
    const auto snapshot = vesk::DesktopAPI::decode<vesk::AuditProgressSnapshot>(bytes);
    (void)snapshot.phrase();
  } catch (const vesk::DecodingError&) {
  }

  try {
    vesk::DesktopAPI::validateConnectionAvailability(bytes);
  } catch (const vesk::VeskError&) {
  }

  if (vesk::DesktopAPI::failure(500, bytes).status() != 500) fault("the status was not kept", "failure");
  return 0;
}
