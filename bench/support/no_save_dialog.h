#pragma once
// A save panel that is never answered: the benchmarks save nothing.
#include "core/workspace/save_dialog.h"

namespace vesk::bench {

class NoSaveDialog : public SaveDialog {
 public:
  async::Task<std::optional<std::string>> choosePdfDestination(std::string) override { co_return std::nullopt; }
  async::Task<std::optional<std::string>> chooseDestination(std::string, SavedFileKind) override {
    co_return std::nullopt;
  }
};

}  // namespace vesk::bench
