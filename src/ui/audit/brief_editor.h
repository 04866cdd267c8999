#pragma once
// The brief's multi-line editor: a text view in a scrolled window (wrapping lines, no
// horizontal scrolling, an overlay scrollbar) bound both ways to the workspace's brief.
// Every change of its text writes the whole text back; a change of the brief from
// outside is applied only when it differs from the text shown and no input-method
// composition is under way (it waits for the composition to end). While the text is
// empty and no composition is under way a placeholder shows in the editor's own font,
// line spacing and wrapping.
// Editable exactly while the workspace is not busy. The composer makes one editor per
// draft, so each draft starts with a fresh undo history.
#include "core/workspace/workspace.h"

#include <gtkmm/box.h>
#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textview.h>

#include <memory>

namespace vesk::ui {

class BriefEditor : public Gtk::Box {
 public:
  static constexpr const char* placeholderText = "Paste a URL and add anything Vesk should know…";
  static constexpr const char* accessibleLabel = "Input for Vesk";

  explicit BriefEditor(std::shared_ptr<Workspace> workspace);
  ~BriefEditor() override;

  Gtk::TextView& textView() { return text_; }
  Gtk::ScrolledWindow& scroller() { return scroller_; }
  bool placeholderShown() const { return placeholder_.get_visible(); }
  Gtk::TextView& placeholder() { return placeholder_; }
  bool composing() const { return composing_; }

 private:
  void bufferChanged();
  void briefChanged();
  void preeditChanged(const Glib::ustring& preedit);
  void busyChanged();
  void showPlaceholder();
  static void dress(Gtk::TextView& view);

  std::shared_ptr<Workspace> workspace_;
  Gtk::Overlay overlay_;
  Gtk::ScrolledWindow scroller_;
  Gtk::TextView text_;
  Gtk::TextView placeholder_;
  bool applying_ = false;
  bool composing_ = false;
  sigc::connection briefConnection_;
  sigc::connection busyConnection_;
};

}  // namespace vesk::ui
