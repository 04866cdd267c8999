#include "ui/audit/comparison_block.h"

#include "core/style/composer_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "ui/controls/vesk_pill_style.h"
#include "ui/style/vesk_typography.h"

namespace vesk::ui {

ComparisonBlock::ComparisonBlock(ComposerActions& actions) : Gtk::Box(Gtk::Orientation::VERTICAL, 10) {
  set_halign(Gtk::Align::START);
  for (auto* label : {&heading_, &title_, &date_, &hint_}) {
    label->set_xalign(0);
    label->set_wrap(true);
  }
  VeskTypography::apply(heading_, VeskTypography::body(15, FontWeight::medium));
  VeskTypography::apply(title_, VeskTypography::body(15));
  title_.add_css_class(ShellClasses::secondaryText);
  VeskTypography::apply(date_, VeskTypography::body(14));
  date_.add_css_class(ComposerClasses::muted);
  VeskTypography::apply(hint_, VeskTypography::body(14));
  hint_.add_css_class(ShellClasses::secondaryText);

  auto* buttons = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 16);
  for (auto* button : {&change_, &clear_}) {
    VeskPillStyle(VeskButtonRole::tertiary, PillSize::regular).apply(*button);
    buttons->append(*button);
  }
  change_.signal_clicked().connect([&actions] { actions.changeComparison(); });
  clear_.signal_clicked().connect([&actions] { actions.clearComparison(); });

  append(heading_);
  append(title_);
  append(date_);
  append(*buttons);
  append(hint_);
}

void ComparisonBlock::show(const ComposerPresentation::Comparison& comparison) {
  title_.set_text(comparison.title);
  date_.set_text(comparison.date.value_or(""));
  date_.set_visible(comparison.date.has_value());
}

}  // namespace vesk::ui
