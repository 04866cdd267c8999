#pragma once
// The panel in which the user chooses where a file is saved. The application shows the
// desktop's native file chooser; tests answer with a path of their own.
#include "core/async/task.h"

#include <optional>
#include <string>

namespace vesk {

// What a save panel is asked to save, which decides the files it lists.
enum class SavedFileKind { plainText, anyFile };

class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  // Asks for a PDF destination, proposing `suggestedName`; nothing when the user cancels.
  virtual async::Task<std::optional<std::string>> choosePdfDestination(std::string suggestedName) = 0;
  // Asks for the destination of a text or any other file, proposing `suggestedName`;
  // nothing when the user cancels.
  virtual async::Task<std::optional<std::string>> chooseDestination(std::string suggestedName, SavedFileKind kind) = 0;
};

}  // namespace vesk
