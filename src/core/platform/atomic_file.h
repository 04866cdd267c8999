#pragma once
// Writing a whole file in one step: the bytes go to a temporary file beside it, which
// then replaces the destination, so a reader sees the old file or the new one and an
// interrupted write leaves no half file. Blocking: call it off the main loop.
#include <string>
#include <string_view>

namespace vesk {

// Throws async::PlatformError worded by GLib when the file cannot be written.
void writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace vesk
