#include "core/shell/audit_start_time.h"

#include <glib.h>

#include <memory>
#include <string>

namespace vesk {

namespace {

bool digits(std::string_view text, std::size_t at, std::size_t count) {
  if (at + count > text.size()) return false;
  for (std::size_t i = at; i < at + count; ++i)
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

bool isChar(std::string_view text, std::size_t at, char c) { return at < text.size() && text[at] == c; }

// GLib reads more forms than the service's (week dates, no offset, a space for the
// "T"); this admits only the internet form before GLib reads it.
bool hasInternetForm(std::string_view text) {
  if (!(digits(text, 0, 4) && isChar(text, 4, '-') && digits(text, 5, 2) && isChar(text, 7, '-') &&
        digits(text, 8, 2) && isChar(text, 10, 'T') && digits(text, 11, 2) && isChar(text, 13, ':') &&
        digits(text, 14, 2) && isChar(text, 16, ':') && digits(text, 17, 2)))
    return false;
  std::size_t at = 19;
  if (isChar(text, at, '.')) {
    const std::size_t first = ++at;
    while (digits(text, at, 1)) ++at;
    if (at == first) return false;
  }
  if (isChar(text, at, 'Z')) return at + 1 == text.size();
  if (!isChar(text, at, '+') && !isChar(text, at, '-')) return false;
  return digits(text, at + 1, 2) && isChar(text, at + 3, ':') && digits(text, at + 4, 2) && at + 6 == text.size();
}

}  // namespace

std::optional<AuditStartTime> readAuditStartTime(std::string_view text) {
  if (!hasInternetForm(text)) return std::nullopt;
  const std::string copy(text);
  const std::unique_ptr<GDateTime, decltype(&g_date_time_unref)> parsed(
      g_date_time_new_from_iso8601(copy.c_str(), nullptr), &g_date_time_unref);
  if (!parsed) return std::nullopt;  // a month 13, a 25th hour
  const auto seconds = std::chrono::seconds(g_date_time_to_unix(parsed.get()));
  const auto micros = std::chrono::microseconds(g_date_time_get_microsecond(parsed.get()));
  return AuditStartTime(seconds + micros);
}

double secondsBetween(AuditStartTime from, AuditStartTime to) {
  return std::chrono::duration<double>(to - from).count();
}

}  // namespace vesk
