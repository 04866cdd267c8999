#include "ui/report/report_reader_placeholder.h"

namespace vesk::ui {

ReportReaderPlaceholder::ReportReaderPlaceholder() : text_(Gtk::make_managed<Gtk::Label>()) {
  set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  text_->set_xalign(0);
  text_->set_yalign(0);
  text_->set_wrap(true);
  text_->set_wrap_mode(Pango::WrapMode::WORD_CHAR);
  // Not selectable: a selectable label takes the focus and selects all of itself.
  text_->set_selectable(false);
  text_->set_margin_end(30);
  text_->set_margin_bottom(40);
  set_child(*text_);
}

void ReportReaderPlaceholder::setArguments(const ReaderArguments& arguments) {
  if (arguments.markdown != arguments_.markdown) text_->set_text(arguments.markdown);
  if (arguments.topInset != arguments_.topInset) text_->set_margin_top(arguments.topInset);
  arguments_ = arguments;
}

}  // namespace vesk::ui
