#include "support/fake_browser.h"

#include "core/async/errors.h"
#include "core/async/gio_call.h"

#include <libsoup/soup.h>

#include <stdexcept>

namespace vesk::testing {

namespace {

bool isWebAddress(const std::string& address) {
  return address.starts_with("http://") || address.starts_with("https://");
}

std::string resolve(const std::string& base, const std::string& location) {
  if (location.find("://") != std::string::npos) return location;  // absolute: as sent
  glib::ErrorSlot error;
  const glib::GFreePtr<char> resolved(
      g_uri_resolve_relative(base.c_str(), location.c_str(), G_URI_FLAGS_ENCODED, error.out()));
  if (!resolved) throw std::runtime_error("unresolvable redirect " + location);
  return resolved.get();
}

}  // namespace

async::Task<std::string> followToCallback(std::string address) {
  auto session = glib::ObjectPtr<SoupSession>::adopt(soup_session_new());
  for (int hop = 0; hop < 10 && isWebAddress(address); ++hop) {
    auto message = glib::ObjectPtr<SoupMessage>::adopt(soup_message_new("GET", address.c_str()));
    if (!message) throw std::runtime_error("the browser cannot open " + address);
    soup_message_add_flags(message.get(), SOUP_MESSAGE_NO_REDIRECT);
    auto result = co_await async::gioCall([&](GCancellable* c, GAsyncReadyCallback cb, gpointer d) {
      soup_session_send_and_read_async(session.get(), message.get(), G_PRIORITY_DEFAULT, c, cb, d);
    });
    glib::ErrorSlot error;
    glib::BytesPtr body(soup_session_send_and_read_finish(session.get(), result.get(), error.out()));
    if (error) async::throwError(error.get());
    const char* location = soup_message_headers_get_one(soup_message_get_response_headers(message.get()), "Location");
    if (!SOUP_STATUS_IS_REDIRECTION(soup_message_get_status(message.get())) || !location)
      throw std::runtime_error("no redirect from " + address);
    address = resolve(address, location);
  }
  co_return address;
}

}  // namespace vesk::testing
