#pragma once
// The progress panel of a live run. A quick read shows its notice and a red spinner; a
// full audit shows the creeping estimated percent, the headline, the spinner, the
// remaining-time sentence, one pill per expert perspective and the closing note. It
// draws LiveProgressPresentation, which it owns: the presentation's tick and clocks end
// with this view.
#include "core/shell/live_progress_presentation.h"

#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/spinner.h>

#include <memory>
#include <vector>

namespace vesk::ui {

class LiveProgressView : public Gtk::Box {
 public:
  explicit LiveProgressView(std::unique_ptr<LiveProgressPresentation> presentation);
  ~LiveProgressView() override;

  LiveProgressPresentation& presentation() { return *presentation_; }
  // For tests: the full audit's parts (null while the quick-read layout shows).
  Gtk::Widget* percentRow() { return percentRow_; }
  Gtk::Label* percent() { return percent_; }
  Gtk::Label* headline() { return headline_; }
  Gtk::Label* subtitle() { return subtitle_; }
  Gtk::Spinner* spinner() { return spinner_; }
  Gtk::Widget* lensRule() { return lensRule_; }
  const std::vector<Gtk::Widget*>& lensPills() const { return lensPills_; }
  Gtk::Label* quickTitle() { return quickTitle_; }

 private:
  void draw();
  void clear();
  void buildQuickRead();
  void buildFullAudit();
  void drawFullAudit(const LiveProgressPresentation::FullAudit& state);
  void drawLenses(const std::vector<LensPill>& lenses);

  std::unique_ptr<LiveProgressPresentation> presentation_;
  std::optional<bool> builtQuick_;
  std::vector<LensPill> drawnLenses_;
  // Managed children of this box, of the layout built last.
  Gtk::Label* quickTitle_ = nullptr;
  Gtk::Spinner* quickSpinner_ = nullptr;
  Gtk::Widget* percentRow_ = nullptr;
  Gtk::Label* percent_ = nullptr;
  Gtk::Label* headline_ = nullptr;
  Gtk::Spinner* spinner_ = nullptr;
  Gtk::Label* subtitle_ = nullptr;
  Gtk::Widget* lensRule_ = nullptr;
  Gtk::Widget* lensLayout_ = nullptr;
  std::vector<Gtk::Widget*> lensPills_;
  sigc::connection changed_;
};

}  // namespace vesk::ui
