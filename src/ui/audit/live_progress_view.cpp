#include "ui/audit/live_progress_view.h"

#include "core/style/audit_stylesheet.h"
#include "ui/audit/audit_page_parts.h"
#include "ui/base/layout_container.h"
#include "ui/controls/accessible_label.h"
#include "ui/controls/choice_pill_layout.h"
#include "ui/style/vesk_typography.h"

namespace vesk::ui {

namespace {

constexpr int panelSpacing = 18;
constexpr int panelInsetX = 28;
constexpr int panelInsetY = 24;
constexpr int percentSpacing = 6;
constexpr double percentSignOpacity = 0.6;
constexpr double lensSpacing = 16;
constexpr int lensPillSpacing = 8;
constexpr const char* closingNote =
    "Each expert audits independently. Vesk checks the evidence before bringing the findings into one report.";

Gtk::Label& centred(Gtk::Label& label) {
  label.set_xalign(0.5);
  label.set_justify(Gtk::Justification::CENTER);
  return label;
}

// The number in display 96 italic with digits of one width (so it does not shift as it
// moves), 6 px apart from a "%" in body 32 medium at 0.6 opacity.
void drawPercent(Gtk::Label& label, int percent) {
  const std::string number = std::to_string(percent);
  const Glib::ustring text = number + "%";
  if (label.get_text() == text) return;
  const auto numberEnd = static_cast<unsigned>(number.size());
  Pango::AttrList attributes;
  const auto range = [&](Pango::Attribute attribute, unsigned start, unsigned end) {
    attribute.set_start_index(start);
    attribute.set_end_index(end);
    attributes.insert(attribute);
  };
  range(Pango::Attribute::create_attr_font_desc(VeskTypography::display(96, FontWeight::regular, true)), 0, numberEnd);
  range(Pango::Attribute::create_attr_font_features("tnum"), 0, numberEnd);
  range(Pango::Attribute::create_attr_letter_spacing(percentSpacing * PANGO_SCALE), numberEnd - 1, numberEnd);
  range(Pango::Attribute::create_attr_font_desc(VeskTypography::body(32, FontWeight::medium)), numberEnd,
        numberEnd + 1);
  range(Pango::Attribute::create_attr_foreground_alpha(static_cast<guint16>(percentSignOpacity * 65535)), numberEnd,
        numberEnd + 1);
  label.set_text(text);
  label.set_attributes(attributes);
}

const char* dotClass(LensPill::Dot dot) {
  switch (dot) {
    case LensPill::Dot::complete: return AuditClasses::lensComplete;
    case LensPill::Dot::skipped: return AuditClasses::lensSkipped;
    case LensPill::Dot::pending: break;
  }
  return AuditClasses::lensPending;
}

}  // namespace

LiveProgressView::LiveProgressView(std::unique_ptr<LiveProgressPresentation> presentation)
    : Gtk::Box(Gtk::Orientation::VERTICAL, panelSpacing), presentation_(std::move(presentation)) {
  set_margin_start(panelInsetX);
  set_margin_end(panelInsetX);
  set_margin_top(panelInsetY);
  set_margin_bottom(panelInsetY);
  changed_ = presentation_->signalChanged().connect([this] { draw(); });
  draw();
}

LiveProgressView::~LiveProgressView() { changed_.disconnect(); }

void LiveProgressView::clear() {
  while (auto* child = get_first_child()) remove(*child);
  quickTitle_ = percent_ = headline_ = subtitle_ = nullptr;
  quickSpinner_ = spinner_ = nullptr;
  percentRow_ = lensRule_ = lensLayout_ = nullptr;
  lensPills_.clear();
  drawnLenses_.clear();
}

void LiveProgressView::draw() {
  const auto& state = presentation_->state();
  const bool quick = state.quickRead.has_value();
  if (builtQuick_ != quick) {
    clear();
    if (quick) {
      buildQuickRead();
    } else {
      buildFullAudit();
    }
    builtQuick_ = quick;
  }
  if (quick) {
    setPlainText(*quickTitle_, state.quickRead->title);
    quickSpinner_->set_visible(state.quickRead->spinner);
  } else {
    drawFullAudit(state.fullAudit);
  }
}

void LiveProgressView::buildQuickRead() {
  const auto& notice = *presentation_->state().quickRead;
  quickTitle_ = &wrappingText("", VeskTypography::display(21, FontWeight::regular, true), AuditClasses::mutedText);
  append(*quickTitle_);
  quickSpinner_ = &smallSpinner(true);
  quickSpinner_->set_halign(Gtk::Align::START);
  append(*quickSpinner_);
  auto& caption = *Gtk::make_managed<Gtk::Label>();
  caption.set_text(notice.caption);
  caption.set_xalign(0);
  caption.add_css_class(AuditClasses::mutedText);
  append(caption);
}

void LiveProgressView::buildFullAudit() {
  auto& timeline = *Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, panelSpacing);
  // One label, so the number and the sign share a baseline.
  percent_ = Gtk::make_managed<Gtk::Label>();
  percent_->set_halign(Gtk::Align::CENTER);
  percent_->add_css_class(AuditClasses::mutedText);
  auto& row = *percent_;
  percentRow_ = &row;
  timeline.append(row);

  headline_ =
      &centred(wrappingText("", VeskTypography::display(21, FontWeight::regular, true), AuditClasses::mutedText));
  timeline.append(*headline_);
  spinner_ = &smallSpinner(true);
  spinner_->set_halign(Gtk::Align::CENTER);
  timeline.append(*spinner_);
  subtitle_ = &centred(wrappingText("", VeskTypography::body(15), AuditClasses::mutedText));
  timeline.append(*subtitle_);
  append(timeline);

  auto& rule = *Gtk::make_managed<Gtk::Box>();
  rule.add_css_class(AuditClasses::rule);
  lensRule_ = &rule;
  append(rule);
  auto* layout = Gtk::make_managed<LayoutContainer>(ChoicePillLayout::create(lensSpacing));
  lensLayout_ = layout;
  append(*layout);
  append(wrappingText(closingNote, VeskTypography::body(15), AuditClasses::mutedText, 6));
}

void LiveProgressView::drawFullAudit(const LiveProgressPresentation::FullAudit& state) {
  drawPercent(*percent_, state.percent);
  setAccessibleLabel(*percent_, state.percentReading);
  setPlainText(*headline_, state.headline);
  spinner_->set_visible(state.spinner);
  setPlainText(*subtitle_, state.subtitle);
  drawLenses(state.lenses);
}

void LiveProgressView::drawLenses(const std::vector<LensPill>& lenses) {
  lensRule_->set_visible(!lenses.empty());
  lensLayout_->set_visible(!lenses.empty());
  if (lenses == drawnLenses_) return;
  auto& layout = static_cast<LayoutContainer&>(*lensLayout_);
  for (auto* pill : lensPills_) layout.remove(*pill);
  lensPills_.clear();
  for (const auto& lens : lenses) {
    auto& pill = *Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, lensPillSpacing);
    auto& dot = *Gtk::make_managed<Gtk::Box>();
    dot.add_css_class(AuditClasses::lensDot);
    dot.add_css_class(dotClass(lens.dot));
    dot.set_valign(Gtk::Align::CENTER);
    auto& name = *Gtk::make_managed<Gtk::Label>();
    name.set_text(lens.text);
    VeskTypography::apply(name, VeskTypography::body(15));
    name.add_css_class(lens.dot == LensPill::Dot::complete ? AuditClasses::inkText : AuditClasses::mutedText);
    pill.append(dot);
    pill.append(name);
    layout.append(pill);
    lensPills_.push_back(&pill);
  }
  drawnLenses_ = lenses;
}

}  // namespace vesk::ui
