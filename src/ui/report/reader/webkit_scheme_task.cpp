#include "ui/report/reader/webkit_scheme_task.h"

#include <libsoup/soup.h>

#include <memory>

namespace vesk::ui {

WebKitSchemeTask::WebKitSchemeTask(WebKitURISchemeRequest* request)
    : request_(glib::ObjectPtr<WebKitURISchemeRequest>::retain(request)) {}

std::string WebKitSchemeTask::url() const {
  const char* uri = webkit_uri_scheme_request_get_uri(request_.get());
  return uri ? uri : "";
}

void WebKitSchemeTask::respond(const std::string& mimeType, std::shared_ptr<const std::string> bytes) {
  if (std::exchange(answered_, true) || !bytes) return;
  const auto length = static_cast<gint64>(bytes->size());
  // The body is read from the shared buffer itself, which lives while the stream needs it.
  const std::string& text = *bytes;
  auto owner = std::make_unique<std::shared_ptr<const std::string>>(std::move(bytes));
  glib::BytesPtr body(g_bytes_new_with_free_func(
      text.data(), text.size(), [](gpointer held) { delete static_cast<std::shared_ptr<const std::string>*>(held); },
      owner.release()));
  auto stream = glib::ObjectPtr<GInputStream>::adopt(g_memory_input_stream_new_from_bytes(body.get()));
  auto response = glib::ObjectPtr<WebKitURISchemeResponse>::adopt(webkit_uri_scheme_response_new(stream.get(), length));
  webkit_uri_scheme_response_set_status(response.get(), 200, nullptr);
  webkit_uri_scheme_response_set_content_type(response.get(), mimeType.c_str());
  // The response takes the headers over.
  SoupMessageHeaders* headers = soup_message_headers_new(SOUP_MESSAGE_HEADERS_RESPONSE);
  soup_message_headers_append(headers, "Cache-Control", "no-store");
  webkit_uri_scheme_response_set_http_headers(response.get(), headers);
  webkit_uri_scheme_request_finish_with_response(request_.get(), response.get());
}

void WebKitSchemeTask::fail(const SchemeFailure& failure) {
  if (std::exchange(answered_, true)) return;
  const auto error = errorFor(failure);
  webkit_uri_scheme_request_finish_error(request_.get(), error.get());
}

glib::ErrorPtr WebKitSchemeTask::errorFor(const SchemeFailure& failure) {
  int code = WEBKIT_NETWORK_ERROR_FAILED;
  switch (failure.kind) {
    case SchemeFailureKind::unsupportedURL: code = WEBKIT_NETWORK_ERROR_UNKNOWN_PROTOCOL; break;
    case SchemeFailureKind::cancelled: code = WEBKIT_NETWORK_ERROR_CANCELLED; break;
    case SchemeFailureKind::cannotDecodeContentData:
    case SchemeFailureKind::download: code = WEBKIT_NETWORK_ERROR_FAILED; break;
  }
  return glib::ErrorPtr(g_error_new_literal(WEBKIT_NETWORK_ERROR, code, failure.message.c_str()));
}

}  // namespace vesk::ui
