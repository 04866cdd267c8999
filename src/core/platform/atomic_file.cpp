#include "core/platform/atomic_file.h"

#include "core/async/errors.h"
#include "core/platform/object_ptr.h"

#include <glib.h>

namespace vesk {

void writeFileAtomically(const std::string& path, std::string_view bytes) {
  glib::ErrorSlot error;
  if (!g_file_set_contents_full(path.c_str(), bytes.data(), static_cast<gssize>(bytes.size()),
                                G_FILE_SET_CONTENTS_CONSISTENT, 0666, error.out()))
    throw async::PlatformError(error.get());
}

}  // namespace vesk
