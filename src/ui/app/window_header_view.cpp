#include "ui/app/window_header_view.h"

#include "ui/app/header_band.h"
#include "ui/app/header_toolbar.h"
#include "ui/app/shell_actions.h"
#include "ui/style/vesk_typography.h"

namespace vesk::ui {

WindowHeaderView::WindowHeaderView(HeaderBand& band, std::shared_ptr<Workspace> workspace, RootViewState& root,
                                   ShellActions& actions)
    : model_(std::move(workspace), root),
      actions_(actions),
      title_(Gtk::make_managed<Gtk::Label>()),
      toolbar_(Gtk::make_managed<HeaderToolbar>([this](HeaderItem item) { activate(item); })) {
  title_->set_single_line_mode(true);
  title_->set_ellipsize(Pango::EllipsizeMode::END);
  title_->set_xalign(0);
  VeskTypography::apply(*title_, VeskTypography::body(titleSize));
  band.titleSlot().set_margin_start(titleLeadingPadding);
  band.titleSlot().append(*title_);
  band.toolbarSlot().append(*toolbar_);
  back_ = actions_.back().own([this] { model_.goBack(); });
  addFiles_ = actions_.addFiles().own([this] { model_.addFiles(); });
  draw();
  model_.signalChanged().connect([this] { draw(); });
}

WindowHeaderView::~WindowHeaderView() {
  actions_.back().action()->set_enabled(false);
  actions_.addFiles().action()->set_enabled(false);
}

void WindowHeaderView::draw() {
  const auto& state = model_.state();
  title_->set_text(state.title.value_or(""));  // plain text: a project's name is the user's
  title_->set_visible(state.title.has_value());
  toolbar_->show(state.buttons);
  actions_.back().action()->set_enabled(state.works(HeaderItem::back));
  actions_.addFiles().action()->set_enabled(state.works(HeaderItem::addFiles));
}

void WindowHeaderView::activate(HeaderItem item) {
  switch (item) {
    case HeaderItem::toggleSidebar: model_.toggleSidebar(); break;
    case HeaderItem::back: model_.goBack(); break;
    case HeaderItem::addFiles: model_.addFiles(); break;
    case HeaderItem::exportPDF: model_.exportPDF(); break;
    case HeaderItem::shareReport: actions_.shareReport().action()->activate(); break;
    case HeaderItem::print: actions_.print().action()->activate(); break;
    case HeaderItem::newAudit: model_.newAudit(); break;
    case HeaderItem::separator: break;
  }
}

}  // namespace vesk::ui
