#include "core/api/call_limits.h"

#include <array>

namespace vesk {

namespace {

using namespace std::chrono_literals;

constexpr std::size_t MiB = 1024 * 1024;

enum class Family { libraryOrReport, download, other };

struct Row {
  Family family;
  std::size_t replyBytes;
  std::chrono::seconds deadline;
};

// The one table. Library pages and reports carry whole Markdown reports, a hundred at a
// time (about 5 MB in a real library), so they get room to spare; every other reply is
// a small record. The deadlines leave room for the longest idle time-out (a write may
// think for 14 minutes); a download may take long on a slow line, but not for ever.
constexpr std::array<Row, 3> table{{
    {Family::libraryOrReport, 64 * MiB, 20min},
    {Family::download, 64 * MiB, 2h},
    {Family::other, 1 * MiB, 20min},
}};

// The part of an operation before its query.
std::string_view pathOf(std::string_view operation) { return operation.substr(0, operation.find('?')); }

bool isUnder(std::string_view path, std::string_view collection) {
  return path == collection ||
         (path.starts_with(collection) && path.size() > collection.size() && path[collection.size()] == '/');
}

Family familyOf(std::string_view operation, std::string_view method) {
  const auto path = pathOf(operation);
  if (method == "GET" && (operation == "settings/export" || operation.ends_with("/pdf"))) return Family::download;
  if (isUnder(path, "library") || isUnder(path, "projects")) return Family::libraryOrReport;
  // A run and what is asked of its report (answers, a follow-up) come back with the
  // report; its progress, share link and continuation are small records, and so is one
  // refined finding.
  if (isUnder(path, "runs") && !path.ends_with("/lenses") && !path.ends_with("/share") &&
      !path.ends_with("/continue") && !path.ends_with("/refine-finding"))
    return Family::libraryOrReport;
  return Family::other;
}

}  // namespace

CallLimits CallLimits::forOperation(std::string_view operation, std::string_view method) {
  const Family family = familyOf(operation, method);
  for (const Row& row : table)
    if (row.family == family) return {row.replyBytes, row.deadline};
  return {table.back().replyBytes, table.back().deadline};
}

}  // namespace vesk
