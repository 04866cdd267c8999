#pragma once
// One print of the reader's web view: the print dialog (or, for tests, straight into a
// PDF file), then the wait until the job has finished or failed. A dialog the user
// cancels ends the task at once.
#include "core/async/task.h"
#include "core/platform/object_ptr.h"

#include <webkit/webkit.h>

#include <filesystem>
#include <optional>

namespace vesk::ui {

async::Task<void> runPrintJob(glib::ObjectPtr<WebKitWebView> view, glib::ObjectPtr<GtkWindow> parent,
                              std::optional<std::filesystem::path> file);

}  // namespace vesk::ui
