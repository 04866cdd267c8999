// The addresses of browser sign-in: the sign-in page it opens and the callback it accepts.
#include "core/platform/object_ptr.h"
#include "core/records/vesk_error.h"
#include "core/signin/browser_connection.h"
#include "core/signin/query_items.h"
#include "core/signin/sign_in_proof.h"

#include <algorithm>
#include <set>

namespace vesk {

namespace {

[[noreturn]] void refuseReturn() { throw VeskError::message(BrowserConnection::invalidReturnSentence); }

bool isCode(const std::string& code) {
  return code.size() == 43 &&
         std::all_of(code.begin(), code.end(), [](char c) { return g_ascii_isalnum(c) || c == '-' || c == '_'; });
}

// Percent-encodes a query value; "/" and "?" may stay, as they do in a query.
std::string queryValue(const std::string& text) {
  const glib::GFreePtr<char> escaped(g_uri_escape_string(text.c_str(), "/?", FALSE));
  return escaped.get();
}

}  // namespace

std::string BrowserConnection::random() { return secureRandomText(); }

std::string BrowserConnection::issuer(const std::string& origin) {
  const std::size_t end = origin.find_last_not_of('/');
  return end == std::string::npos ? std::string() : origin.substr(0, end + 1);
}

std::string BrowserConnection::signInAddress(const std::string& origin, const std::string& challenge,
                                             const std::string& state, const std::optional<std::string>& application) {
  std::string inner = "/desktop/connect?challenge=" + queryValue(challenge) + "&state=" + queryValue(state);
  if (application) inner += "&app=" + queryValue(*application);
  return issuer(origin) + "/sign-in?redirect_url=" + queryValue(inner);
}

std::string BrowserConnection::validate(const std::string& url, const std::string& state, const std::string& issuer,
                                        const std::string& scheme) {
  // The scheme, host and path must be exactly these, with nothing between them: so no
  // user, password or port either.
  const std::string expected = scheme + "://auth/callback";
  if (scheme.empty() || url.compare(0, expected.size(), expected) != 0) refuseReturn();
  const std::string_view rest = std::string_view(url).substr(expected.size());
  if (rest.find('#') != std::string_view::npos || !rest.starts_with('?')) refuseReturn();

  const auto items = readQueryItems(rest.substr(1));
  if (!items || items->size() != 3) refuseReturn();
  std::set<std::string> names;
  for (const auto& item : *items) names.insert(item.name);
  if (names != std::set<std::string>{"state", "iss", "code"}) refuseReturn();
  if (firstValue(*items, "state") != state || firstValue(*items, "iss") != issuer) refuseReturn();
  auto code = firstValue(*items, "code");
  if (!code || !isCode(*code)) refuseReturn();
  return std::move(*code);
}

}  // namespace vesk
