#include "ui/account/feedback_sheet.h"

#include "build_config.h"
#include "core/style/account_stylesheet.h"
#include "core/style/atelier.h"
#include "ui/account/account_notice.h"
#include "ui/account/account_text.h"
#include "ui/app/shell_commands.h"
#include "ui/base/natural_height_bin.h"
#include "ui/controls/accessible_label.h"
#include "ui/controls/action_footer.h"
#include "ui/style/vesk_typography.h"

#include <glibmm/main.h>
#include <glibmm/markup.h>
#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>

namespace vesk::ui {

namespace {

constexpr const char* prompt = "Tell Vesk what to fix, or what worked.";
constexpr const char* reads = "Marek reads every one.";

Gtk::Widget* flexibleSpace() {
  auto* space = Gtk::make_managed<Gtk::Box>();
  space->set_hexpand(true);
  return space;
}

int lineHeight(Gtk::Widget& widget) {
  auto layout = widget.create_pango_layout("Ag");
  layout->set_font_description(VeskTypography::body(15));
  int width = 0, height = 0;
  layout->get_pixel_size(width, height);
  return height;
}

}  // namespace

FeedbackSheet::FeedbackSheet(std::shared_ptr<Workspace> workspace, std::function<void()> close)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 18),
      workspace_(workspace),
      close_(std::move(close)),
      draft_(std::move(workspace), build::supportAddress),
      changes_([this] { refresh(); }) {
  set_size_request(width, -1);
  set_margin(28);
  append(buildWriting());
  append(buildThanks());
  append(buildFooter());
  for (auto* signal : {&draft_.text.signalChanged(), &draft_.sending.signalChanged(), &draft_.sent.signalChanged(),
                       &draft_.error.signalChanged(), &workspace_->fixture.signalChanged(),
                       &workspace_->account.signalChanged(), &workspace_->reconnectRequired.signalChanged()})
    changes_.follow(*signal);
  // After the sheet layer placed the focus on the sheet's first control.
  note_->signal_map().connect(
      [this] { Glib::signal_idle().connect_once(sigc::track_object([this] { note_->grab_focus(); }, *this)); });
  refresh();
}

Gtk::Widget& FeedbackSheet::buildWriting() {
  auto* box = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 18);
  box->append(*sheetLabel("One thing that stuck out.", displayStyle(28)));

  note_ = Gtk::make_managed<Gtk::TextView>();
  note_->set_wrap_mode(Gtk::WrapMode::WORD_CHAR);
  note_->set_accepts_tab(false);
  note_->set_hexpand(true);
  setAccessibleLabel(*note_, prompt);
  note_->get_buffer()->signal_changed().connect([this] { noteChanged(); });
  const int line = lineHeight(*note_);
  auto* scroller = Gtk::make_managed<Gtk::ScrolledWindow>();
  scroller->set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  scroller->set_has_frame(false);
  scroller->set_propagate_natural_height(true);
  scroller->set_min_content_height(fewestLines * line);
  scroller->set_max_content_height(mostLines * line);
  scroller->set_child(*note_);
  prompt_ = sheetLabel(prompt, bodyStyle(Atelier::muted));
  prompt_->set_valign(Gtk::Align::START);
  prompt_->set_can_target(false);
  prompt_->property_accessible_role() = Gtk::Accessible::Role::PRESENTATION;
  auto* overlay = Gtk::make_managed<Gtk::Overlay>();
  overlay->add_css_class(AccountClasses::noteFrame);
  overlay->set_child(*Gtk::make_managed<NaturalHeightBin>(*scroller));
  overlay->add_overlay(*prompt_);
  box->append(*overlay);

  signInLine_ = sheetLabel("Sign in to send feedback.", bodyStyle(Atelier::muted));
  box->append(*signInLine_);
  // One sentence that wraps at the sheet's width, the support address a link in it.
  error_ = sheetLabel("", bodyStyle(AccountColors::critical()));
  error_->add_css_class(AccountClasses::sentenceLink);
  error_->signal_activate_link().connect(
      [this](const Glib::ustring& address) {
        activate_action(ShellCommands::openMail, Glib::Variant<Glib::ustring>::create(address));
        return true;
      },
      false);
  box->append(*error_);
  reads_ = sheetLabel(reads, bodyStyle(Atelier::muted));
  box->append(*reads_);
  writing_ = box;
  return *box;
}

Gtk::Widget& FeedbackSheet::buildThanks() {
  auto* box = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 18);
  box->append(*sheetLabel("Thanks \u2014 noted.", displayStyle(28)));
  box->append(*sheetLabel(reads, bodyStyle(Atelier::muted)));
  thanks_ = box;
  return *box;
}

Gtk::Widget& FeedbackSheet::buildFooter() {
  cancel_ = accountPill("Cancel", VeskButtonRole::secondary);
  cancel_->signal_clicked().connect([this] { close_(); });
  send_ = accountPill("Send", VeskButtonRole::primary);
  send_->signal_clicked().connect([this] { draft_.submit(); });
  signIn_ = accountPill("Sign in", VeskButtonRole::primary);
  signIn_->signal_clicked().connect([this] { signIn(); });
  done_ = accountPill("Done", VeskButtonRole::primary);
  done_->signal_clicked().connect([this] { close_(); });
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 16);
  row->append(*cancel_);
  row->append(*flexibleSpace());
  row->append(*signIn_);
  row->append(*send_);
  row->append(*done_);
  return *Gtk::make_managed<ActionFooter>(*row);
}

// Cut to the budget at once; the field shows the cut text.
void FeedbackSheet::noteChanged() {
  if (writingBack_) return;
  const auto buffer = note_->get_buffer();
  const std::string typed = buffer->get_text().raw();
  draft_.edit(typed);
  if (*draft_.text != typed) {
    writingBack_ = true;
    buffer->set_text(*draft_.text);
    writingBack_ = false;
  }
  prompt_->set_visible(buffer->get_char_count() == 0);
  refresh();
}

void FeedbackSheet::refresh() {
  const bool sent = *draft_.sent;
  const bool sending = *draft_.sending;
  const bool connected = draft_.connected();
  writing_->set_visible(!sent);
  thanks_->set_visible(sent);
  if (sent && note_->has_focus()) done_->grab_focus();
  if (sent && note_->get_buffer()->get_char_count() > 0) {
    writingBack_ = true;
    note_->get_buffer()->set_text("");
    writingBack_ = false;
  }
  note_->set_sensitive(!sending);
  signInLine_->set_visible(!connected);
  const auto sentence = draft_.errorSentence();
  // The sentence is the client's own; escaped all the same.
  const std::string address = build::supportAddress;
  error_->set_markup(sentence ? Glib::Markup::escape_text(*sentence) + "<a href=\"" +
                                    Glib::Markup::escape_text("mailto:" + address) + "\">" +
                                    Glib::Markup::escape_text(address) + "</a>"
                              : Glib::ustring());
  error_->set_visible(sentence.has_value());
  reads_->set_visible(!sentence);
  cancel_->set_visible(!sent);
  cancel_->set_sensitive(!sending);
  signIn_->set_visible(!sent && !connected);
  signIn_->set_sensitive(!sending);
  send_->set_visible(!sent && connected);
  send_->set_label(sending ? "Sending\u2026" : "Send");
  send_->set_sensitive(draft_.canSend());
  done_->set_visible(sent);
}

// The sheet closes first (which destroys it), then the browser sign-in starts.
void FeedbackSheet::signIn() {
  const auto workspace = workspace_;
  const auto savedWork = FeedbackDraft::signInSavedWork(*workspace);
  const auto close = close_;
  close();
  workspace->connect(savedWork);
}

}  // namespace vesk::ui
