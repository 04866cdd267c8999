#pragma once
// The composer's card on its glass: the depth control with its caption and Tips, a
// hairline, the source strip, the address row, the brief editor (a new one per draft),
// the footer, the access notice and the submission notice. Files dragged over the card
// blur it under a "Drop files here" overlay; dropped local files are attached.
#include "core/async/owned_tasks.h"
#include "core/shell/composer_actions.h"
#include "core/shell/composer_presentation.h"

#include <gdkmm/texture.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/droptarget.h>
#include <gtkmm/label.h>
#include <gtkmm/overlay.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vesk::ui {

class AddressRow;
class BriefEditor;
class ComposerFooter;
class DepthControl;
class SourceChip;

class ComposerCard : public Gtk::Overlay {
 public:
  static constexpr int editorHeight = 176;

  ComposerCard(std::shared_ptr<Workspace> workspace, RootViewState& root, ComposerActions& actions);
  ~ComposerCard() override;

  void show(const ComposerPresentation::State& state);
  // Replaces the brief editor (a new draft).
  void renewEditor();

  DepthControl& depth() { return *depth_; }
  Gtk::Label& caption() { return caption_; }
  Gtk::Button& tipsButton() { return tips_; }
  Gtk::Box& strip() { return strip_; }
  std::vector<SourceChip*> chips();
  AddressRow& addressRow() { return *addressRow_; }
  BriefEditor& editor() { return *editor_; }
  ComposerFooter& footer() { return *footer_; }
  Gtk::Box& accessRow() { return accessRow_; }
  Gtk::Label& accessText() { return accessText_; }
  Gtk::Button& seePlans() { return seePlans_; }
  Gtk::Label& submissionNotice() { return notice_; }
  Gtk::Box& content() { return content_; }
  Gtk::Widget& dropOverlay() { return dropOverlay_; }
  const Glib::RefPtr<Gtk::DropTarget>& dropTarget() const { return drop_; }
  // Thumbnails still being decoded.
  std::size_t decoding() const { return tasks_.running(); }

 private:
  void buildTopRow();
  void buildNotices();
  void installDropTarget();
  bool dropped(const Glib::ValueBase& value);
  void showChips(const ComposerPresentation::State& state);
  void decodeThumbnail(const std::string& id);
  static async::Task<void> decodeTask(ComposerCard* self, AuditAttachment attachment);
  void openLink(const std::string& address);

  std::shared_ptr<Workspace> workspace_;
  RootViewState& root_;
  ComposerActions& actions_;
  Gtk::Box content_{Gtk::Orientation::VERTICAL, 0};
  Gtk::Box topRow_{Gtk::Orientation::HORIZONTAL, 16};
  DepthControl* depth_ = nullptr;
  Gtk::Label caption_;
  Gtk::Button tips_;
  Gtk::Box hairline_;
  Gtk::Box strip_;
  AddressRow* addressRow_ = nullptr;
  Gtk::Box editorSlot_{Gtk::Orientation::VERTICAL, 0};
  BriefEditor* editor_ = nullptr;
  ComposerFooter* footer_ = nullptr;
  Gtk::Box accessRow_{Gtk::Orientation::HORIZONTAL, 8};
  Gtk::Label accessText_;
  Gtk::Button seePlans_;
  Gtk::Label notice_;
  Gtk::Box dropOverlay_{Gtk::Orientation::VERTICAL, 0};
  Glib::RefPtr<Gtk::DropTarget> drop_;
  sigc::connection targetedConnection_;
  // What the chips show, to rebuild them only when it changes.
  std::vector<ComposerPresentation::FileChip> shownFiles_;
  std::vector<ComposerPresentation::AddressChip> shownAddresses_;
  bool shownBusy_ = false;
  std::optional<bool> shownURLField_;
  std::string plansAddress_;
  std::string privacyAddress_;
  // Each attachment's thumbnail, decoded once (empty: none can be made).
  std::map<std::string, Glib::RefPtr<Gdk::Texture>> thumbnails_;
  async::OwnedTasks tasks_;
};

}  // namespace vesk::ui
