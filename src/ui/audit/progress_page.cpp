#include "ui/audit/progress_page.h"

#include "core/style/audit_stylesheet.h"
#include "ui/audit/audit_page_parts.h"
#include "ui/audit/panel_width_cap.h"
#include "ui/controls/action_footer.h"
#include "ui/controls/symbol_image.h"
#include "ui/style/vesk_typography.h"

namespace vesk::ui {

namespace {

constexpr int pageSpacing = 24;
constexpr int footerSpacing = 15;
constexpr int stageSpacing = 18;
constexpr int stageInsetX = 28;
constexpr int stageInsetY = 24;
constexpr int stageRowSpacing = 17;
constexpr int stageSymbolSize = 16;
constexpr double toComeSymbolOpacity = 0.4;
constexpr int panelMaxWidth = 620;

const char* symbolFor(StageRow::Mark mark) {
  switch (mark) {
    case StageRow::Mark::done: return "checkmark.circle.fill";
    case StageRow::Mark::current: return "circle.inset.filled";
    case StageRow::Mark::toCome: break;
  }
  return "circle";
}

Gtk::Widget& stageRow(const StageRow& row) {
  auto& box = *Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, stageRowSpacing);
  const bool toCome = row.mark == StageRow::Mark::toCome;
  if (auto* symbol = makeSymbolImage(symbolFor(row.mark), stageSymbolSize)) {
    symbol->set_valign(Gtk::Align::CENTER);
    symbol->add_css_class(toCome ? AuditClasses::mutedText : AuditClasses::redMark);
    if (toCome) symbol->set_opacity(toComeSymbolOpacity);
    box.append(*symbol);
  }
  auto& text = *Gtk::make_managed<Gtk::Label>();
  text.set_text(row.text);
  text.set_xalign(0);
  text.set_hexpand(true);
  text.add_css_class(toCome ? AuditClasses::mutedText : AuditClasses::inkText);
  box.append(text);
  if (row.spinner) box.append(smallSpinner());
  return box;
}

}  // namespace

ProgressPage::ProgressPage(std::shared_ptr<Workspace> workspace)
    : Gtk::Box(Gtk::Orientation::VERTICAL, pageSpacing), workspace_(workspace), presentation_(std::move(workspace)) {
  eyebrow_ = &pageEyebrow("");
  append(*eyebrow_);
  paragraph_ = &pageParagraph("");
  append(*paragraph_);
  body_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL);
  append(*body_);

  auto& row = *Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, footerSpacing);
  leave_ = &textPill("", VeskButtonRole::secondary, [this] { presentation_.leave(); });
  connection_ = &textPill("", VeskButtonRole::secondary, [this] { presentation_.toggleConnection(); });
  check_ = &textPill("Check saved audit", VeskButtonRole::primary, [this] { presentation_.checkStatus(); });
  retry_ = &textPill("Retry quick read", VeskButtonRole::accent, [this] { presentation_.retry(); });
  for (auto* button : {leave_, connection_, check_, retry_}) row.append(*button);
  append(*Gtk::make_managed<ActionFooter>(row));

  changed_ = presentation_.signalChanged().connect([this] { draw(); });
  draw();
}

ProgressPage::~ProgressPage() { changed_.disconnect(); }

void ProgressPage::draw() {
  const auto& state = presentation_.state();
  eyebrow_->set_visible(state.eyebrow.has_value());
  setPlainText(*eyebrow_, state.eyebrow.value_or(""));
  setPlainText(*paragraph_, state.paragraph);
  if (builtPreview_ != state.preview) buildBody(state.preview);
  if (state.preview) drawStages();

  leave_->set_label(state.leaveTitle);
  connection_->set_visible(state.connectionToggleTitle.has_value());
  if (state.connectionToggleTitle) connection_->set_label(*state.connectionToggleTitle);
  check_->set_visible(state.showsCheckStatus);
  retry_->set_visible(state.showsRetry);
  retry_->set_sensitive(state.retryEnabled);
}

void ProgressPage::buildBody(bool preview) {
  while (auto* child = body_->get_first_child()) body_->remove(*child);
  live_ = nullptr;
  stageList_ = stageRows_ = nullptr;
  stageNote_ = nullptr;
  drawnStages_.clear();
  if (preview) {
    stageList_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, stageSpacing);
    stageList_->set_margin_start(stageInsetX);
    stageList_->set_margin_end(stageInsetX);
    stageList_->set_margin_top(stageInsetY);
    stageList_->set_margin_bottom(stageInsetY);
    stageRows_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, stageSpacing);
    stageList_->append(*stageRows_);
    stageNote_ = &wrappingText("", VeskTypography::body(15), AuditClasses::mutedText, 6);
    stageList_->append(*stageNote_);
    body_->append(*Gtk::make_managed<PanelWidthCap>(*stageList_, panelMaxWidth));
  } else {
    live_ = Gtk::make_managed<LiveProgressView>(std::make_unique<LiveProgressPresentation>(workspace_));
    body_->append(*Gtk::make_managed<PanelWidthCap>(*live_, panelMaxWidth));
  }
  builtPreview_ = preview;
}

void ProgressPage::drawStages() {
  const auto& state = presentation_.state();
  setPlainText(*stageNote_, state.stageNote);
  if (state.stages == drawnStages_) return;
  while (auto* child = stageRows_->get_first_child()) stageRows_->remove(*child);
  for (const auto& row : state.stages) stageRows_->append(stageRow(row));
  drawnStages_ = state.stages;
}

std::unique_ptr<Gtk::Widget> makeProgressPage(const ScreenContext& context) {
  return std::make_unique<ProgressPage>(context.workspace);
}

}  // namespace vesk::ui
