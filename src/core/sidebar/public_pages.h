#pragma once
// The addresses the account menu opens in the browser: the service's public pages and
// the billing portal the service hands out.
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// `path` resolved against the origin with a trailing "/": "pricing" gives
// "<origin>/pricing", "" the origin's root page. Nothing when no address results.
std::optional<std::string> publicPageURL(std::string_view origin, std::string_view path);

// Whether a billing-portal address may be opened: an absolute URL whose scheme is
// written exactly "https", with a host and without user information.
bool billingURLAcceptable(std::string_view text);

}  // namespace vesk
