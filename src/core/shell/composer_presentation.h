#pragma once
// What the composer screen draws: the depth pills and caption, the chips of the source
// strip, the address row's state, the submit button, the access notice, which notices
// show, the comparison block and the addresses of its two links. Changes once per
// main-loop turn (see ChangeCoalescer); the attachments' identities are worked out only
// when the attachments change, never for a keystroke in the brief.
#include "core/shell/change_coalescer.h"
#include "core/shell/composer_rules.h"
#include "core/shell/root_view_state.h"
#include "core/workspace/workspace.h"

#include <sigc++/signal.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

class ComposerPresentation {
 public:
  struct FileChip {
    std::string id;
    std::string filename;
    std::string mediaType;
    std::int64_t sizeBytes = 0;
    bool operator==(const FileChip&) const = default;
  };
  struct AddressChip {
    std::string entry;  // also the chip's tooltip
    std::string title;
    bool operator==(const AddressChip&) const = default;
  };
  struct Comparison {
    std::string title;
    std::optional<std::string> date;
    bool operator==(const Comparison&) const = default;
  };
  struct State {
    std::array<DepthPill, 2> pills;
    std::string caption;
    std::vector<FileChip> files;
    std::vector<AddressChip> addresses;
    bool busy = false;
    bool showingURLField = false;
    // The address row's "Add": something besides white space is typed.
    bool canAddURL = false;
    std::string submitTitle;
    bool submitDisabled = false;
    // The access notice row's text, while the row shows.
    std::optional<std::string> accessNotice;
    bool showsSubmissionNotice = true;
    bool showsPreviewNotice = false;
    std::optional<Comparison> comparison;
    std::string plansAddress;
    std::string privacyAddress;
    bool operator==(const State&) const = default;
  };

  ComposerPresentation(std::shared_ptr<Workspace> workspace, RootViewState& root);
  ~ComposerPresentation();
  ComposerPresentation(const ComposerPresentation&) = delete;
  ComposerPresentation& operator=(const ComposerPresentation&) = delete;

  const State& state() const { return state_; }
  // The state as it reads now, before the next turn's change.
  State current() const { return read(); }
  // Emitted after state() changed.
  sigc::signal<void()>& signalChanged() { return changed_; }

 private:
  State read() const;
  void refresh();
  void attachmentsChanged();

  std::shared_ptr<Workspace> workspace_;
  RootViewState& root_;
  std::vector<FileChip> files_;
  sigc::connection attachmentsConnection_;
  State state_;
  sigc::signal<void()> changed_;
  ChangeCoalescer changes_;
};

}  // namespace vesk
