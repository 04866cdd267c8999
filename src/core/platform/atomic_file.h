#pragma once
// Writing a whole file in one step: the bytes go to a new file beside it, which then
// replaces the destination, so a reader sees the old file or the new one and an
// interrupted write leaves no half file. The new file has a short name of its own (so
// any name the folder takes can be written); one that a crash left there earlier,
// untouched for some minutes, is removed first. Blocking: call it off the main loop.
#include <functional>
#include <string>
#include <string_view>

namespace vesk {

// Whose the written file is.
enum class FileAccess {
  // A replaced file keeps its permissions; a new one gets the usual ones (0666 less the
  // umask).
  keepExisting,
  // Readable and writable by the user alone, whatever was there before.
  ownerOnly,
};

// Throws async::PlatformError naming the destination ("Could not save “name”: …") when
// the file cannot be written.
void writeFileAtomically(const std::string& path, std::string_view bytes, FileAccess access = FileAccess::keepExisting);

// The same with the bytes `produce` gives its sink, piece by piece, so that a long file is
// never whole in memory. Each piece is written as it comes: give pieces of some size. An
// exception from `produce` ends the write and leaves the destination as it was.
using PieceProducer = std::function<void(const std::function<void(std::string_view piece)>& sink)>;
void writeFileAtomicallyInPieces(const std::string& path, const PieceProducer& produce,
                                 FileAccess access = FileAccess::keepExisting);

// The same with what the open file `source` holds, read from its start.
void copyFileAtomically(int source, const std::string& path, FileAccess access = FileAccess::keepExisting);

}  // namespace vesk
