// The few web pages of the demo origin: the pages the application links to (pricing,
// privacy, help) answer with a note that this is the demo, and a share link shows its
// report as plain text.
#include "demo_service/demo_core.h"

#include "core/platform/object_ptr.h"

#include <glib.h>

namespace vesk::demo {

namespace {

std::string escaped(const std::string& text) {
  const glib::GFreePtr<gchar> markup(g_markup_escape_text(text.c_str(), -1));
  return markup.get();
}

Reply page(int status, const std::string& title, const std::string& body) {
  Reply reply =
      Reply::json("<!doctype html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" + escaped(title) +
                      "</title></head>\n<body style=\"font-family: sans-serif; max-width: 46em; margin: 3em "
                      "auto; line-height: 1.5\">\n<h1>" +
                      escaped(title) + "</h1>\n" + body + "\n</body></html>\n",
                  status);
  reply.contentType = "text/html; charset=utf-8";
  return reply;
}

}  // namespace

Reply webPage(const DemoState& state, const RecordedRequest& request) {
  if (request.method != "GET") return failure(404, "The Vesk demo service does not offer this address.", "not_found");
  if (request.path.starts_with("/c/")) {
    const std::string slug = request.path.substr(3);
    for (const auto& run : state.runs)
      if (run.sharedSlug == slug)
        return page(200, "A shared Vesk report",
                    "<pre style=\"white-space: pre-wrap\">" + escaped(run.output) + "</pre>");
    return page(404, "This link no longer opens a report", "<p>Its owner may have revoked it.</p>");
  }
  return page(200, "Vesk demo service",
              "<p>This is the loopback demo of the Vesk service that <code>scripts/run</code> starts beside the "
              "application. The real service would show <code>" +
                  escaped(request.path) +
                  "</code> here.</p>\n<p>Everything it holds was made up when it started and is forgotten when it "
                  "stops.</p>");
}

}  // namespace vesk::demo
