#pragma once
// The picture of an image attachment for its chip: its Base64 data decoded strictly (no
// character ignored) and its bytes decoded only as PNG, JPEG, WebP or GIF, within the
// preview limits. Nothing for any other media type or for data that fails either step.
#include "core/platform/object_ptr.h"
#include "core/records/audit_records.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// Standard Base64 with its padding, every character checked; nothing when malformed.
std::optional<std::string> strictBase64Decode(std::string_view text);

// Blocking: call it off the main loop.
glib::ObjectPtr<GdkPixbuf> attachmentThumbnail(const AuditAttachment& attachment);

}  // namespace vesk
