#include "ui/audit/discovery_page.h"

#include "core/style/shell_stylesheet.h"
#include "ui/audit/audit_page_parts.h"
#include "ui/base/layout_container.h"
#include "ui/controls/accessible_label.h"
#include "ui/controls/action_footer.h"
#include "ui/controls/choice_pill_layout.h"
#include "ui/controls/vesk_choice_pill_style.h"
#include "ui/style/vesk_typography.h"

namespace vesk::ui {

namespace {

constexpr int pageSpacing = 24;
constexpr int waitingSpacing = 12;
constexpr int groupSpacing = 10;
constexpr double pillSpacing = 8;

void setPressed(Gtk::Widget& widget, bool pressed) {
  gtk_accessible_update_state(GTK_ACCESSIBLE(widget.gobj()), GTK_ACCESSIBLE_STATE_PRESSED,
                              pressed ? GTK_ACCESSIBLE_TRISTATE_TRUE : GTK_ACCESSIBLE_TRISTATE_FALSE, -1);
}

}  // namespace

DiscoveryPage::DiscoveryPage(std::shared_ptr<Workspace> workspace)
    : Gtk::Box(Gtk::Orientation::VERTICAL, pageSpacing), presentation_(std::move(workspace)) {
  waitingRow_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, waitingSpacing);
  waitingSpinner_ = &smallSpinner();
  waitingText_ = &wrappingText("", VeskTypography::body(15), ShellClasses::secondaryText);
  waitingText_->set_hexpand(true);
  waitingRow_->append(*waitingSpinner_);
  waitingRow_->append(*waitingText_);
  append(*waitingRow_);

  lead_ = &wrappingText(DiscoveryPresentation::leadText, VeskTypography::body(15), ShellClasses::secondaryText);
  append(*lead_);
  groupList_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, pageSpacing);
  append(*groupList_);

  footerRow_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 6);
  back_ = &backPill("", [this] { presentation_.back(); });
  footerRow_->append(*back_);
  auto* spacer = Gtk::make_managed<Gtk::Box>();
  spacer->set_hexpand(true);
  footerRow_->append(*spacer);
  footerSpinner_ = &smallSpinner();
  footerRow_->append(*footerSpinner_);
  append(*Gtk::make_managed<ActionFooter>(*footerRow_));

  addRunShortcut(*this, [this] { presentation_.run(); });
  changed_ = presentation_.signalChanged().connect([this] { draw(); });
  draw();
}

DiscoveryPage::~DiscoveryPage() { changed_.disconnect(); }

void DiscoveryPage::draw() {
  const auto& state = presentation_.state();
  const bool answering = state.phase == DiscoveryPresentation::Phase::answering;
  waitingRow_->set_visible(!answering);
  waitingSpinner_->set_visible(state.busy);
  setPlainText(*waitingText_, state.waitingText);
  lead_->set_visible(answering);

  if (!sameQuestions()) rebuildGroups();
  for (std::size_t g = 0; g < groups_.size(); ++g) {
    const auto& group = state.groups[g];
    for (std::size_t p = 0; p < group.pills.size(); ++p) drawPill(*groups_[g].pills[p], group.pills[p]);
    groups_[g].note->set_visible(group.showsNote);
  }
  drawnGroups_ = state.groups;

  // The back pill's label is its second child's: rebuild it only when the title moves.
  auto* label = dynamic_cast<Gtk::Label*>(back_->get_child()->get_last_child());
  if (label && label->get_text().raw() != state.backTitle) {
    label->set_text(state.backTitle);
    setAccessibleLabel(*back_, state.backTitle);
  }
  footerSpinner_->set_visible(state.busy);
  drawRunButton();
}

bool DiscoveryPage::sameQuestions() const {
  const auto& groups = presentation_.state().groups;
  if (groups.size() != drawnGroups_.size() || groups_.size() != groups.size()) return false;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    if (groups[g].question != drawnGroups_[g].question) return false;
    if (groups[g].pills.size() != drawnGroups_[g].pills.size()) return false;
    for (std::size_t p = 0; p < groups[g].pills.size(); ++p)
      if (groups[g].pills[p].option != drawnGroups_[g].pills[p].option) return false;
  }
  return true;
}

void DiscoveryPage::rebuildGroups() {
  for (auto& group : groups_) groupList_->remove(*group.box);
  groups_.clear();
  for (const auto& group : presentation_.state().groups) {
    GroupWidgets widgets;
    widgets.box = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, groupSpacing);
    setAccessibleLabel(*widgets.box, group.question);
    widgets.question = &wrappingText(group.question, VeskTypography::display(18, FontWeight::regular, true));
    widgets.box->append(*widgets.question);
    auto* pills = Gtk::make_managed<LayoutContainer>(ChoicePillLayout::create(pillSpacing));
    for (const auto& pill : group.pills) {
      auto& button = *Gtk::make_managed<Gtk::Button>();
      auto& text = *Gtk::make_managed<Gtk::Label>();
      text.set_text(pill.option);
      text.set_wrap(true);
      text.set_wrap_mode(Pango::WrapMode::WORD_CHAR);
      button.set_child(text);
      setAccessibleLabel(button, pill.option);
      gtk_accessible_update_property(GTK_ACCESSIBLE(button.gobj()), GTK_ACCESSIBLE_PROPERTY_DESCRIPTION,
                                     DiscoveryPresentation::pillHint, -1);
      button.signal_clicked().connect(
          [this, index = group.index, option = pill.option] { presentation_.choose(index, option); });
      pills->append(button);
      widgets.pills.push_back(&button);
    }
    widgets.box->append(*pills);
    widgets.note =
        &wrappingText(DiscoveryPresentation::fullNote, VeskTypography::body(14), ShellClasses::secondaryText);
    widgets.box->append(*widgets.note);
    groupList_->append(*widgets.box);
    groups_.push_back(widgets);
  }
  drawnGroups_.clear();
}

void DiscoveryPage::drawPill(Gtk::Button& pill, const DiscoveryPresentation::Pill& state) {
  VeskChoicePillStyle(state.selected ? ChipSelection::selected : ChipSelection::unselected,
                      VeskChoicePillTreatment::answer, state.dimmed ? ChipEmphasis::dimmed : ChipEmphasis::normal)
      .apply(pill);
  pill.set_sensitive(!state.disabled);
  setPressed(pill, state.selected);
}

void DiscoveryPage::drawRunButton() {
  const auto& state = presentation_.state();
  if (!run_ || run_->title().raw() != state.runTitle || run_->role() != state.runRole) {
    if (run_) footerRow_->remove(*run_);
    run_ = Gtk::make_managed<PrimaryButton>(state.runTitle, "arrow.right", !state.runEnabled, state.runRole,
                                            [this] { presentation_.run(); });
    footerRow_->append(*run_);
  }
  run_->set_sensitive(state.runEnabled);
}

std::unique_ptr<Gtk::Widget> makeDiscoveryPage(const ScreenContext& context) {
  return std::make_unique<DiscoveryPage>(context.workspace);
}

}  // namespace vesk::ui
