#pragma once
// The report screen: the open run in the reader under a slim header (the run's kind,
// "Local preview" for a sample account, and "Report actions"), veils at the top and the
// bottom, and the two sheets it opens on the window's sheet layer: the actions panel and
// the share sheet. It owns the visit's ReportScreenState and, while it exists, takes the
// window's share and print commands over.
#include "core/report/report_screen_state.h"
#include "ui/app/effect_action.h"
#include "ui/app/screen_context.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/overlay.h>

#include <memory>
#include <optional>

namespace vesk::ui {

class ReportReaderView;
class SheetHost;
class VeskScrollVeil;

class ReportScreen : public Gtk::Widget {
 public:
  static constexpr int leadingMargin = 28;
  static constexpr int trailingMargin = 10;
  static constexpr int headerSideMargin = 30;
  static constexpr int bottomVeilHeight = 32;

  explicit ReportScreen(const ScreenContext& context);
  ~ReportScreen() override;

  ReportScreenState& state() { return *state_; }
  ReportReaderView& reader() { return *reader_; }
  Gtk::Label& kindLabel() { return *kind_; }
  Gtk::Label& localPreviewLabel() { return *localPreview_; }
  Gtk::Button& actionsButton() { return *actionsButton_; }
  Gtk::Box& header() { return *header_; }
  VeskScrollVeil& topVeil() { return *topVeil_; }
  std::optional<double> appliedHeaderInset() const { return appliedInset_; }

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override;
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void size_allocate_vfunc(int width, int height, int baseline) override;

 private:
  Gtk::Widget& buildHeader();
  void hostSheets(const ScreenContext& context);
  void redraw();
  void applyHeaderInset();

  std::unique_ptr<ReportScreenState> state_;
  std::optional<double> appliedInset_;
  sigc::connection insetIdle_;
  // Managed, owned by the screen.
  Gtk::Overlay* overlay_;
  ReportReaderView* reader_;
  VeskScrollVeil* topVeil_;
  Gtk::Box* header_;
  Gtk::Label* kind_;
  Gtk::Label* localPreview_;
  Gtk::Button* actionsButton_;
  std::unique_ptr<SheetHost> panel_;
  std::unique_ptr<SheetHost> share_;
  EffectAction::Ownership shareCommand_;
  EffectAction::Ownership printCommand_;
};

}  // namespace vesk::ui
