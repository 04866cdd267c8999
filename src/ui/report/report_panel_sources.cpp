// ReportActionsPanel: the scrolling area with the notice, "Sources & context", the link to
// the earlier audit and the discussion box.
#include "core/style/report_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "ui/controls/symbol_image.h"
#include "ui/controls/vesk_spinner.h"
#include "ui/report/report_panel.h"
#include "ui/report/report_widgets.h"
#include "ui/style/vesk_scroll_edges.h"
#include "ui/style/vesk_typography.h"

#include <gtkmm/scrolledwindow.h>

namespace vesk::ui {

Gtk::Widget& ReportActionsPanel::buildScrollingArea() {
  auto* content = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 22);
  content->set_margin_top(10);
  content->set_margin_bottom(10);
  notice_ = &report::textLabel("", ReportClasses::mutedText);
  content->append(*notice_);

  auto* heading = Gtk::make_managed<Gtk::Label>("Sources & context");
  VeskTypography::apply(*heading, VeskTypography::body(17, FontWeight::semibold));
  sources_ = Gtk::make_managed<Gtk::Expander>();
  sources_->set_label_widget(*heading);
  sourceList_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 14);
  sourceList_->set_margin_top(14);
  sources_->set_child(*sourceList_);
  content->append(*sources_);

  openOriginal_ = &report::pill("Open the original audit", VeskButtonRole::secondary, PillSize::regular,
                                [this] { state_.openOriginal(callbacks_.onOpenRun); });
  openOriginal_->set_halign(Gtk::Align::START);
  content->append(*openOriginal_);

  discussion_ = Gtk::make_managed<DiscussionBox>([this] { redrawDiscussion(); });
  content->append(*discussion_);

  auto* scroller = Gtk::make_managed<Gtk::ScrolledWindow>();
  scroller->set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  scroller->set_vexpand(true);
  scroller->set_child(*content);
  auto* edges = Gtk::make_managed<VeskScrollEdges>(*scroller);
  edges->set_vexpand(true);
  return *edges;
}

void ReportActionsPanel::redrawSources() {
  for (auto* row : sourceRows_) sourceList_->remove(*row);
  sourceRows_.clear();
  const auto add = [this](Gtk::Widget& row) {
    sourceList_->append(row);
    sourceRows_.push_back(&row);
  };
  if (look_.input) {
    auto& input = report::textLabel(*look_.input);
    input.set_selectable(true);
    add(input);
  }
  for (std::size_t i = 0; i < look_.sources.size(); ++i) add(sourceRow(look_.sources[i], static_cast<long>(i)));
  for (std::size_t i = 0; i < look_.attachments.size(); ++i)
    add(attachmentRow(look_.attachments[i], static_cast<long>(i)));
  if (look_.loadingSources) {
    auto* loading = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 10);
    auto* spinner = Gtk::make_managed<VeskSpinner>();
    spinner->set_spinning(true);
    loading->append(*spinner);
    loading->append(report::textLabel("Loading saved sources…"));
    add(*loading);
  }
  if (look_.noSources) add(report::textLabel(*look_.noSources, ReportClasses::mutedText));
}

Gtk::Widget& ReportActionsPanel::sourceRow(const PanelSourceRow& row, long index) {
  auto* box = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 4);
  auto* link = Gtk::make_managed<Gtk::Button>();
  link->set_child(report::textLabel(row.linkText));
  link->add_css_class(ReportClasses::plainButton);
  link->add_css_class(ReportClasses::sourceLink);
  link->set_halign(Gtk::Align::START);
  link->set_sensitive(row.linkEnabled);
  link->signal_clicked().connect([this, url = row.url] {
    if (const auto address = openableSourceAddress(url); address && callbacks_.openLink) callbacks_.openLink(*address);
  });
  box->append(*link);
  if (row.detail) box->append(report::textLabel(*row.detail, ReportClasses::mutedText));
  if (row.capturedPage) {
    const std::string title = row.linkText;
    auto& view = report::pill("View captured page", VeskButtonRole::secondary, PillSize::compact,
                              [this, index, title] { state_.previewSource("url-shot", index, title); });
    view.set_halign(Gtk::Align::START);
    view.set_sensitive(row.capturedPageEnabled);
    box->append(view);
  }
  if (row.fetched) {
    auto& fetched = report::textLabel(*row.fetched, ReportClasses::mutedText);
    fetched.set_selectable(true);
    box->append(fetched);
  }
  if (row.screenshotError) box->append(report::textLabel(*row.screenshotError, ReportClasses::mutedText));
  return *box;
}

Gtk::Widget& ReportActionsPanel::attachmentRow(const PanelAttachmentRow& row, long index) {
  auto* box = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 8);
  if (auto* clip = makeSymbolImage("paperclip", 16)) box->append(*clip);
  auto& name = report::textLabel(row.filename);
  name.set_selectable(true);
  name.set_hexpand(true);
  box->append(name);
  const std::string filename = row.filename;
  if (row.viewImage) {
    auto& view = report::pill("View image", VeskButtonRole::secondary, PillSize::compact,
                              [this, index, filename] { state_.previewSource("attachments", index, filename); });
    view.set_sensitive(row.buttonsEnabled);
    box->append(view);
  }
  auto& save = report::pill("Save file…", VeskButtonRole::secondary, PillSize::compact,
                            [this, index, filename] { state_.exportAttachment(index, filename); });
  save.set_sensitive(row.buttonsEnabled);
  box->append(save);
  return *box;
}

}  // namespace vesk::ui
