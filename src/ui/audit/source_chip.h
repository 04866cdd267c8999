#pragma once
// One chip of the composer's source strip: a 22 px icon (the file's thumbnail, else the
// "link" or "doc" symbol), the title on one line, the file's size, and a close glyph that
// removes the source. About 280 px wide at most: the title is cut at its end to fit.
#include <gdkmm/texture.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <cstdint>
#include <functional>
#include <optional>

namespace vesk::ui {

class SourceChip : public Gtk::Box {
 public:
  static constexpr int maximumWidth = 280;
  static constexpr int iconSize = 22;

  SourceChip(const Glib::ustring& title, bool isURL, std::optional<std::int64_t> sizeBytes,
             std::function<void()> remove);

  // Shows `image` in place of the symbol, filling the square with rounded corners.
  void setImage(const Glib::RefPtr<Gdk::Texture>& image);
  bool hasImage() const { return hasImage_; }
  Gtk::Label& title() { return title_; }
  Gtk::Button& removeButton() { return remove_; }
  // The size as shown, empty for an address.
  Glib::ustring sizeText() const { return size_.get_text(); }

 private:
  Gtk::Box icon_;
  Gtk::Label title_;
  Gtk::Label size_;
  Gtk::Button remove_;
  bool hasImage_ = false;
};

}  // namespace vesk::ui
