#include "ui/audit/composer_card.h"

#include "core/async/background.h"
#include "core/input/attachment_thumbnail.h"
#include "core/style/composer_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "ui/app/shell_commands.h"
#include "ui/app/tips_trigger.h"
#include "ui/audit/address_row.h"
#include "ui/audit/brief_editor.h"
#include "ui/audit/composer_footer.h"
#include "ui/audit/depth_control.h"
#include "ui/audit/source_chip.h"
#include "ui/controls/action_footer.h"
#include "ui/controls/choice_pill_layout.h"
#include "ui/controls/vesk_pill_style.h"
#include "ui/style/vesk_glass_surface.h"
#include "ui/style/vesk_typography.h"

#include <gdk/gdk.h>
#include <gdkmm/pixbuf.h>
#include <glibmm/markup.h>
#include <pangomm/attrlist.h>

namespace vesk::ui {

namespace {

constexpr const char* submissionSentence =
    "Vesk uses Anthropic to process your submissions. Only share material you have permission to provide. ";

void pad(Gtk::Widget& widget, int horizontal, int top, int bottom) {
  widget.set_margin_start(horizontal);
  widget.set_margin_end(horizontal);
  widget.set_margin_top(top);
  widget.set_margin_bottom(bottom);
}

Gtk::Label* underlined(const Glib::ustring& text) {
  auto* label = Gtk::make_managed<Gtk::Label>(text);
  auto attributes = Pango::AttrList();
  auto underline = Pango::Attribute::create_attr_underline(Pango::Underline::SINGLE);
  attributes.insert(underline);
  label->set_attributes(attributes);
  return label;
}

}  // namespace

ComposerCard::ComposerCard(std::shared_ptr<Workspace> workspace, RootViewState& root, ComposerActions& actions)
    : workspace_(std::move(workspace)), root_(root), actions_(actions) {
  content_.add_css_class(ComposerClasses::card);
  buildTopRow();
  content_.append(topRow_);
  hairline_.add_css_class(ComposerClasses::hairline);
  content_.append(hairline_);

  strip_.set_layout_manager(ChoicePillLayout::create(8));
  pad(strip_, 20, 12, 0);
  content_.append(strip_);
  addressRow_ = Gtk::make_managed<AddressRow>(root_, actions_);
  pad(*addressRow_, 20, 12, 0);
  content_.append(*addressRow_);

  editorSlot_.set_size_request(-1, editorHeight);
  pad(editorSlot_, 24, 24, 24);
  content_.append(editorSlot_);
  renewEditor();

  footer_ = Gtk::make_managed<ComposerFooter>(root_, actions_);
  auto* footer = Gtk::make_managed<ActionFooter>(*footer_);
  pad(*footer, 20, 0, 12);
  content_.append(*footer);
  buildNotices();

  auto* glass = Gtk::make_managed<VeskGlassSurface>(24, VeskGlassRole::composer);
  glass->set_child(content_);
  set_child(*glass);
  installDropTarget();
}

// The root's state outlives the card.
ComposerCard::~ComposerCard() { targetedConnection_.disconnect(); }

void ComposerCard::buildTopRow() {
  pad(topRow_, 20, 12, 12);
  depth_ = Gtk::make_managed<DepthControl>(workspace_);
  topRow_.append(*depth_);
  caption_.add_css_class(ShellClasses::secondaryText);
  VeskTypography::apply(caption_, VeskTypography::body(15));
  topRow_.append(caption_);
  auto* spacer = Gtk::make_managed<Gtk::Box>();
  spacer->set_hexpand(true);
  topRow_.append(*spacer);
  tips_.set_child(*underlined("Tips"));
  VeskPillStyle(VeskButtonRole::tertiary, PillSize::regular).apply(tips_);
  tips_.set_valign(Gtk::Align::CENTER);
  tips_.signal_clicked().connect([this] { root_.showingTips = true; });
  bindTipsTrigger(tips_, root_);
  topRow_.append(tips_);
}

void ComposerCard::buildNotices() {
  accessText_.add_css_class(ShellClasses::secondaryText);
  accessText_.set_wrap(true);
  accessText_.set_xalign(0);
  accessRow_.append(accessText_);
  seePlans_.set_child(*underlined("See plans"));
  seePlans_.add_css_class(ComposerClasses::plainButton);
  seePlans_.signal_clicked().connect([this] { openLink(plansAddress_); });
  accessRow_.append(seePlans_);
  pad(accessRow_, 20, 0, 14);
  content_.append(accessRow_);

  notice_.set_wrap(true);
  notice_.set_xalign(0);
  notice_.add_css_class(ShellClasses::secondaryText);
  notice_.add_css_class(ComposerClasses::notice);
  notice_.signal_activate_link().connect(
      [this](const Glib::ustring& uri) {
        openLink(uri.raw());
        return true;
      },
      false);
  pad(notice_, 20, 0, 14);
  content_.append(notice_);
}

// Files dragged anywhere over the card, the editor included: the capture phase takes a
// file list before the editor's own drop target could insert its addresses as text.
void ComposerCard::installDropTarget() {
  dropOverlay_.add_css_class(ComposerClasses::dropOverlay);
  auto* words = Gtk::make_managed<Gtk::Label>("Drop files here");
  VeskTypography::apply(*words, VeskTypography::display(22, FontWeight::regular, true));
  words->set_vexpand(true);
  words->set_valign(Gtk::Align::CENTER);
  dropOverlay_.append(*words);
  dropOverlay_.set_can_target(false);
  dropOverlay_.set_visible(false);
  add_overlay(dropOverlay_);

  drop_ = Gtk::DropTarget::create(GDK_TYPE_FILE_LIST, Gdk::DragAction::COPY);
  drop_->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
  drop_->signal_enter().connect(
      [this](double, double) {
        root_.targeted = true;
        return Gdk::DragAction::COPY;
      },
      false);
  drop_->signal_leave().connect([this] { root_.targeted = false; });
  drop_->signal_drop().connect(
      [this](const Glib::ValueBase& value, double, double) {
        root_.targeted = false;
        return dropped(value);
      },
      false);
  add_controller(drop_);
  targetedConnection_ = root_.targeted.signalChanged().connect([this] {
    const bool targeted = *root_.targeted;
    dropOverlay_.set_visible(targeted);
    if (targeted) {
      content_.add_css_class(ComposerClasses::targeted);
    } else {
      content_.remove_css_class(ComposerClasses::targeted);
    }
  });
}

bool ComposerCard::dropped(const Glib::ValueBase& value) {
  if (!G_VALUE_HOLDS(value.gobj(), GDK_TYPE_FILE_LIST)) return false;
  auto* list = static_cast<GdkFileList*>(g_value_get_boxed(value.gobj()));
  std::vector<std::optional<std::string>> paths;
  if (list != nullptr) {
    GSList* files = gdk_file_list_get_files(list);
    for (GSList* item = files; item != nullptr; item = item->next) {
      auto* file = G_FILE(item->data);
      char* path = g_file_is_native(file) ? g_file_get_path(file) : nullptr;
      paths.push_back(path ? std::optional<std::string>(path) : std::nullopt);
      g_free(path);
    }
    g_slist_free(files);
  }
  return actions_.dropFiles(paths);
}

void ComposerCard::renewEditor() {
  if (editor_) editorSlot_.remove(*editor_);
  editor_ = Gtk::make_managed<BriefEditor>(workspace_);
  editorSlot_.append(*editor_);
}

std::vector<SourceChip*> ComposerCard::chips() {
  std::vector<SourceChip*> found;
  for (auto* child = strip_.get_first_child(); child; child = child->get_next_sibling())
    if (auto* chip = dynamic_cast<SourceChip*>(child)) found.push_back(chip);
  return found;
}

void ComposerCard::show(const ComposerPresentation::State& state) {
  depth_->show(state.pills);
  caption_.set_text(state.caption);
  showChips(state);
  addressRow_->set_visible(state.showingURLField);
  addressRow_->show(state.busy, state.canAddURL);
  if (state.showingURLField && shownURLField_ != true) addressRow_->focusSoon();
  shownURLField_ = state.showingURLField;
  footer_->show(state);
  accessRow_.set_visible(state.accessNotice.has_value());
  accessText_.set_text(state.accessNotice.value_or(""));
  plansAddress_ = state.plansAddress;
  if (privacyAddress_ != state.privacyAddress || notice_.get_text().empty()) {
    privacyAddress_ = state.privacyAddress;
    // Fixed words; only the address is inserted, escaped.
    notice_.set_markup(Glib::ustring("<span line_height=\"1.5\">") + submissionSentence + "<a href=\"" +
                       Glib::Markup::escape_text(privacyAddress_) + "\">Privacy</a></span>");
  }
  notice_.set_visible(state.showsSubmissionNotice);
}

void ComposerCard::showChips(const ComposerPresentation::State& state) {
  strip_.set_visible(!state.files.empty() || !state.addresses.empty());
  if (state.files == shownFiles_ && state.addresses == shownAddresses_ && state.busy == shownBusy_) return;
  shownFiles_ = state.files;
  shownAddresses_ = state.addresses;
  shownBusy_ = state.busy;
  while (auto* child = strip_.get_first_child()) strip_.remove(*child);
  for (const auto& file : state.files) {
    auto* chip = Gtk::make_managed<SourceChip>(file.filename, false, file.sizeBytes,
                                               [this, id = file.id] { actions_.removeAttachment(id); });
    chip->set_name(file.id);
    chip->removeButton().set_sensitive(!state.busy);
    strip_.append(*chip);
    decodeThumbnail(file.id);
    if (const auto found = thumbnails_.find(file.id); found != thumbnails_.end() && found->second)
      chip->setImage(found->second);
  }
  for (const auto& address : state.addresses) {
    auto* chip = Gtk::make_managed<SourceChip>(address.title, true, std::nullopt,
                                               [this, entry = address.entry] { actions_.removeAddress(entry); });
    chip->set_tooltip_text(address.entry);
    chip->removeButton().set_sensitive(!state.busy);
    strip_.append(*chip);
  }
}

void ComposerCard::decodeThumbnail(const std::string& id) {
  if (thumbnails_.contains(id)) return;
  thumbnails_[id] = {};
  for (const auto& attachment : *workspace_->attachments) {
    if (attachment.id() != id) continue;
    if (attachment.mediaType.starts_with("image/")) tasks_.add(async::spawn(decodeTask(this, attachment)));
    return;
  }
}

// Decoded off the main loop; the card's tasks end with it, so `self` is alive whenever
// the task resumes.
async::Task<void> ComposerCard::decodeTask(ComposerCard* self, AuditAttachment attachment) {
  const auto& held = attachment;
  auto decoding = async::inBackground([&held] { return attachmentThumbnail(held); });
  const auto pixbuf = co_await std::move(decoding);
  if (!pixbuf.get()) co_return;
  const auto texture = Gdk::Texture::create_for_pixbuf(Glib::wrap(pixbuf.get(), true));
  const auto id = attachment.id();
  self->thumbnails_[id] = texture;
  for (auto* chip : self->chips())
    if (chip->get_name().raw() == id) chip->setImage(texture);
}

void ComposerCard::openLink(const std::string& address) {
  activate_action(ShellCommands::openAddress.detailedName(), Glib::Variant<Glib::ustring>::create(address));
}

}  // namespace vesk::ui
