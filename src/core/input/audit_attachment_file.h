#pragma once
// Turning a picked or dropped file into an attachment.
#include "core/async/task.h"
#include "core/records/audit_records.h"

#include <filesystem>

namespace vesk {

// Reads a PNG, JPEG, WebP, GIF, PDF, text or Markdown file within its type's size limit,
// off the main loop. Fails with a VeskError for a file of another type or too large, with
// async::PlatformError when the file cannot be opened or read (a FIFO or device is refused
// as not a regular file).
async::Task<AuditAttachment> readAuditAttachment(std::filesystem::path file);

}  // namespace vesk
