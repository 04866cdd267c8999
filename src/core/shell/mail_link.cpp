#include "core/shell/mail_link.h"

#include <algorithm>
#include <array>

namespace vesk {

namespace {

constexpr std::string_view scheme = "mailto:";

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

char lowered(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowered(x) == lowered(y); });
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = lowered(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Whether the percent-decoded text holds a control character other than those allowed.
bool decodesToControl(std::string_view text, std::string_view allowed = {}) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
      c = static_cast<unsigned char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
      i += 2;
    }
    if (isControl(c) && allowed.find(static_cast<char>(c)) == std::string_view::npos) return true;
  }
  return false;
}

struct KeptField {
  std::string_view name;
  std::string_view allowedControls;
};
// The body is the message's text: its line breaks are its own, not a header's.
constexpr std::array<KeptField, 4> keptFields{{{"subject", ""}, {"body", "\r\n\t"}, {"cc", ""}, {"bcc", ""}}};

const KeptField* keptField(std::string_view name) {
  for (const auto& field : keptFields)
    if (equalsIgnoringCase(name, field.name)) return &field;
  return nullptr;
}

}  // namespace

bool isMailLink(std::string_view link) {
  return link.size() >= scheme.size() && equalsIgnoringCase(link.substr(0, scheme.size()), scheme);
}

std::optional<std::string> mailLinkToLaunch(std::string_view link) {
  if (!isMailLink(link)) return std::nullopt;
  if (std::any_of(link.begin(), link.end(), [](char c) { return isControl(static_cast<unsigned char>(c)); }))
    return std::nullopt;
  const auto rest = link.substr(scheme.size());
  const auto query = rest.find('?');
  const auto address = rest.substr(0, query);
  if (decodesToControl(address)) return std::nullopt;
  std::string kept(scheme);
  kept += address;
  char separator = '?';
  auto fields = query == std::string_view::npos ? std::string_view{} : rest.substr(query + 1);
  // A fragment is no part of the message.
  fields = fields.substr(0, fields.find('#'));
  while (!fields.empty()) {
    const auto end = fields.find('&');
    const auto field = fields.substr(0, end);
    fields = end == std::string_view::npos ? std::string_view{} : fields.substr(end + 1);
    const auto equals = field.find('=');
    if (equals == std::string_view::npos) continue;
    const auto* known = keptField(field.substr(0, equals));
    const auto value = field.substr(equals + 1);
    if (!known || decodesToControl(value, known->allowedControls)) continue;
    kept += separator;
    kept += known->name;
    kept += '=';
    kept += value;
    separator = '&';
  }
  return kept;
}

std::optional<std::string> addressToLaunch(std::string_view link) {
  if (isMailLink(link)) return mailLinkToLaunch(link);
  return std::string(link);
}

}  // namespace vesk
