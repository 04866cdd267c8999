#include "core/workspace/uuid_text.h"

#include "core/platform/object_ptr.h"

#include <glib.h>

namespace vesk {

std::string freshUUID() {
  glib::GFreePtr<char> text(g_uuid_string_random());
  return text.get();
}

}  // namespace vesk
