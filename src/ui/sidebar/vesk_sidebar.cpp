#include "ui/sidebar/vesk_sidebar.h"

#include "build_config.h"
#include "core/style/sidebar_stylesheet.h"
#include "ui/controls/accessible_label.h"
#include "ui/controls/control_state_binding.h"
#include "ui/sidebar/account_footer.h"
#include "ui/sidebar/project_row.h"
#include "ui/sidebar/wordmark.h"

#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>

namespace vesk::ui {

VeskSidebar::VeskSidebar(std::shared_ptr<Workspace> workspace, SidebarModel::LinkOpener openLink)
    : VeskSidebar(std::move(workspace), std::move(openLink), bundledWordmark()) {}

VeskSidebar::VeskSidebar(std::shared_ptr<Workspace> workspace, SidebarModel::LinkOpener openLink,
                         std::optional<std::filesystem::path> wordmark)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 0),
      model_(std::make_unique<SidebarModel>(std::move(workspace), std::move(openLink),
                                            std::string(build::serviceOrigin))) {
  add_css_class(SidebarClasses::sidebar);
  set_vexpand(true);
  set_overflow(Gtk::Overflow::HIDDEN);

  wordmark_ = Gtk::make_managed<Gtk::Button>();
  wordmark_->add_css_class(SidebarClasses::wordmark);
  wordmark_->set_child(*makeWordmark(wordmark));
  wordmark_->set_halign(Gtk::Align::START);
  wordmark_->set_margin_start(24);
  wordmark_->set_margin_end(24);
  wordmark_->set_margin_top(32);
  wordmark_->set_margin_bottom(24);
  setAccessibleLabel(*wordmark_, "Vesk app");
  wordmark_->signal_clicked().connect([this] { model_->newAudit(); });
  append(*wordmark_);

  auto* scroller = Gtk::make_managed<Gtk::ScrolledWindow>();
  scroller->set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::EXTERNAL);  // scrolls, shows no bar
  scroller->set_vexpand(true);
  auto* content = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 0);
  content->set_margin_start(16);
  content->set_margin_end(16);
  content->set_margin_top(8);
  buildList(*content);
  scroller->set_child(*content);
  append(*scroller);

  footerBand_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 0);
  footerBand_->add_css_class(SidebarClasses::footer);
  footerBand_->set_margin_top(20);
  setAccessibleLabel(*footerBand_, "Your account");
  footer_ = Gtk::make_managed<AccountFooter>(*model_);
  footerBand_->append(*footer_);
  append(*footerBand_);

  modelConnection_ = model_->signalChanged().connect([this] { draw(); });
  draw();
}

// The children are gone by now (the box disposed of them), so none of their handlers can
// reach the model after it.
VeskSidebar::~VeskSidebar() { modelConnection_.disconnect(); }

void VeskSidebar::measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural,
                                int& minimumBaseline, int& naturalBaseline) const {
  Gtk::Box::measure_vfunc(orientation, forSize, minimum, natural, minimumBaseline, naturalBaseline);
  if (orientation == Gtk::Orientation::HORIZONTAL) natural = minimum;
}

void VeskSidebar::buildList(Gtk::Box& content) {
  newAudit_ = Gtk::make_managed<Gtk::Button>("New audit");
  newAudit_->add_css_class(SidebarClasses::newAudit);
  newAudit_->set_margin_start(8);
  newAudit_->set_margin_end(8);
  newAudit_->set_margin_bottom(12);
  ControlStateBinding::of(*newAudit_);  // hover (only while enabled) and Reduce Motion
  newAudit_->signal_clicked().connect([this] { model_->newAudit(); });
  content.append(*newAudit_);

  auto* heading = Gtk::make_managed<Gtk::Label>("RECENT");
  heading->add_css_class(SidebarClasses::heading);
  heading->set_xalign(0);
  heading->set_margin_start(12);
  heading->set_margin_top(28);
  heading->set_margin_bottom(12);
  content.append(*heading);

  rows_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 2);
  content.append(*rows_);

  more_ = Gtk::make_managed<Gtk::Button>("More\u2026");
  more_->add_css_class(SidebarClasses::more);
  more_->set_halign(Gtk::Align::START);
  more_->set_margin_start(28);
  more_->set_margin_top(10);
  setAccessibleLabel(*more_, "More history");
  more_->signal_clicked().connect([this] { model_->openMore(); });
  content.append(*more_);
}

void VeskSidebar::draw() {
  const auto& state = model_->state();
  wordmark_->set_sensitive(state.canNavigate);
  newAudit_->set_sensitive(state.canNavigate);
  more_->set_visible(state.showsMore);
  more_->set_sensitive(state.canNavigate);
  drawRows(state.rows);
  footer_->draw(state);
}

// Rebuilt only when a row changed, so a row under the pointer stays put otherwise.
void VeskSidebar::drawRows(const std::vector<SidebarModel::Row>& rows) {
  if (drawnRows_ == rows) return;
  drawnRows_ = rows;
  while (auto* child = rows_->get_first_child()) rows_->remove(*child);
  const ProjectRow::Actions actions{[this](const std::string& id) { model_->openProject(id); },
                                    [this](const std::string& id) { model_->openRun(id); }};
  for (const auto& row : rows) rows_->append(*Gtk::make_managed<ProjectRow>(row, actions));
}

std::vector<ProjectRow*> VeskSidebar::rows() const {
  std::vector<ProjectRow*> found;
  for (auto* child = rows_->get_first_child(); child; child = child->get_next_sibling())
    if (auto* row = dynamic_cast<ProjectRow*>(child)) found.push_back(row);
  return found;
}

}  // namespace vesk::ui
