#pragma once
// The report's discussion field: a plain multi-line field of two to five lines, bounded to
// 2,000 UTF-16 units (a paste that would pass the bound is cut at the last whole character
// that fits), with its counter and the send hint below. The send button lives in the
// panel's footer and reads the text as typed.
#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/textview.h>

#include <functional>
#include <string>

namespace vesk::ui {

class DiscussionBox : public Gtk::Box {
 public:
  static constexpr int lineHeight = 21;

  explicit DiscussionBox(std::function<void()> onChanged);
  ~DiscussionBox() override;

  std::string text() const;
  // Replaces the text, bounded as an edit is.
  void setText(const std::string& text);
  void setStrings(const std::string& heading, const std::string& placeholder);
  void setEditable(bool editable);
  void setCounter(const std::string& counter);

  Gtk::TextView& field() { return *field_; }
  Gtk::Label& counter() { return *counter_; }
  Gtk::Label& heading() { return *heading_; }
  Gtk::Label& placeholder() { return *placeholder_; }

 private:
  void edited();
  void cutToBound();

  std::function<void()> onChanged_;
  sigc::connection cut_;
  // Managed, owned by the box.
  Gtk::Label* heading_;
  Gtk::TextView* field_;
  Gtk::Label* placeholder_;
  Gtk::Label* counter_;
};

}  // namespace vesk::ui
