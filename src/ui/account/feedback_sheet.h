#pragma once
// The feedback sheet: a note of up to 4,000 UTF-16 units sent to the service with the
// screen it was written on. Signed out, on a preview account or with an expired session
// it offers sign-in instead of Send; a failure names the support address as a mail link;
// a delivered note turns the sheet into its thank-you state. Nothing closes it while the
// note is being sent.
#include "core/account/feedback_draft.h"
#include "core/shell/change_coalescer.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/textview.h>

#include <functional>
#include <memory>

namespace vesk::ui {

class FeedbackSheet : public Gtk::Box {
 public:
  static constexpr int width = 500;
  static constexpr int fewestLines = 5;
  static constexpr int mostLines = 9;

  // `close` closes the sheet (whoever presented it).
  FeedbackSheet(std::shared_ptr<Workspace> workspace, std::function<void()> close);

  // Whether Escape may close the sheet now.
  bool dismissible() const { return !*draft_.sending; }

  FeedbackDraft& draft() { return draft_; }
  Gtk::TextView& note() { return *note_; }
  Gtk::Button& cancelButton() { return *cancel_; }
  Gtk::Button& sendButton() { return *send_; }
  Gtk::Button& signInButton() { return *signIn_; }
  Gtk::Button& doneButton() { return *done_; }
  Gtk::Label& errorLabel() { return *error_; }
  Gtk::Label& signInLine() { return *signInLine_; }

 private:
  Gtk::Widget& buildWriting();
  Gtk::Widget& buildThanks();
  Gtk::Widget& buildFooter();
  void noteChanged();
  void refresh();
  void signIn();

  std::shared_ptr<Workspace> workspace_;
  std::function<void()> close_;
  FeedbackDraft draft_;
  bool writingBack_ = false;
  // Managed, owned by the sheet.
  Gtk::Widget* writing_ = nullptr;
  Gtk::Widget* thanks_ = nullptr;
  Gtk::TextView* note_ = nullptr;
  Gtk::Label* prompt_ = nullptr;
  Gtk::Label* signInLine_ = nullptr;
  Gtk::Label* error_ = nullptr;
  Gtk::Label* reads_ = nullptr;
  Gtk::Button* cancel_ = nullptr;
  Gtk::Button* send_ = nullptr;
  Gtk::Button* signIn_ = nullptr;
  Gtk::Button* done_ = nullptr;
  ChangeCoalescer changes_;
};

}  // namespace vesk::ui
