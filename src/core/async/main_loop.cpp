#include "core/async/main_loop.h"

#include "core/async/errors.h"

#include <gio/gio.h>

#include <memory>

namespace vesk::async {

void post(std::function<void()> work) {
  auto* boxed = new std::function<void()>(std::move(work));  // owned by the source below
  GSource* source = g_idle_source_new();
  g_source_set_priority(source, G_PRIORITY_DEFAULT);
  g_source_set_callback(
      source,
      [](gpointer data) -> gboolean {
        (*static_cast<std::function<void()>*>(data))();
        return G_SOURCE_REMOVE;
      },
      boxed, [](gpointer data) { delete static_cast<std::function<void()>*>(data); });
  GMainContext* context = g_main_context_ref_thread_default();
  g_source_attach(source, context);
  g_main_context_unref(context);
  g_source_unref(source);
}

void throwError(const GError* error) {
  if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED)) throw Cancelled();
  throw PlatformError(error);
}

}  // namespace vesk::async
