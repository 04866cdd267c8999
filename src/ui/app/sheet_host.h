#pragma once
// Presents a sheet while a flag of the root's state is set, and clears the flag when the
// sheet closes, however it closed. Setting the flag again while the sheet shows changes
// nothing.
#include "core/workspace/published.h"
#include "ui/app/sheet_layer.h"

#include <sigc++/trackable.h>

#include <functional>
#include <memory>
#include <optional>

namespace vesk::ui {

class SheetHost : public sigc::trackable {
 public:
  // Builds the sheet's content each time it opens.
  using Content = std::function<std::unique_ptr<Gtk::Widget>()>;
  // Whether Escape may close the sheet now, asked of its content; empty: always.
  using EscapeRule = std::function<bool(Gtk::Widget& content)>;

  SheetHost(SheetLayer& layer, Published<bool>& flag, Content content, EscapeRule escapeCloses = {});
  ~SheetHost();
  SheetHost(const SheetHost&) = delete;
  SheetHost& operator=(const SheetHost&) = delete;

  bool presented() const { return sheet_.has_value(); }

 private:
  void flagChanged();

  SheetLayer& layer_;
  WeakWidget liveLayer_{&layer_};  // the same layer, for the destructor
  Published<bool>& flag_;
  Content content_;
  EscapeRule escapeCloses_;
  std::optional<SheetLayer::SheetId> sheet_;
};

}  // namespace vesk::ui
