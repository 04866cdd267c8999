#include "ui/sidebar/account_footer.h"

#include "core/style/sidebar_stylesheet.h"
#include "ui/app/shell_commands.h"
#include "ui/controls/accessible_label.h"
#include "ui/controls/symbol_image.h"
#include "ui/sidebar/account_menu.h"

namespace vesk::ui {

namespace {

Gtk::Label* label(const char* cssClass, const Glib::ustring& text = "") {
  auto* made = Gtk::make_managed<Gtk::Label>(text);
  made->add_css_class(cssClass);
  made->set_xalign(0);
  // Wraps within the footer's width rather than widening the sidebar.
  made->set_wrap(true);
  made->set_wrap_mode(Pango::WrapMode::WORD_CHAR);
  return made;
}

}  // namespace

AccountFooter::AccountFooter(SidebarModel& model) : Gtk::Box(Gtk::Orientation::VERTICAL, 0), model_(model) {
  buildOffer();
  buildSession();
}

// The popover goes with the toggle after this object: it must not call back into it.
AccountFooter::~AccountFooter() {
  shownConnection_.disconnect();
  closedConnection_.disconnect();
}

void AccountFooter::buildOffer() {
  offer_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 0);
  offer_->append(*label(SidebarClasses::offerTitle, "Try Vesk for 7 days."));
  auto* noCard = label(SidebarClasses::mutedText, "No card needed.");
  noCard->set_margin_top(5);
  offer_->append(*noCard);
  signIn_ = Gtk::make_managed<Gtk::Button>("Sign in");
  signIn_->add_css_class(SidebarClasses::signIn);
  signIn_->set_margin_top(22);
  signIn_->set_hexpand(true);
  signIn_->signal_clicked().connect([this] { model_.signIn(); });
  offer_->append(*signIn_);
  append(*offer_);
}

void AccountFooter::buildSession() {
  session_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 0);
  session_->append(*buildAllowance());
  auto* row = buildAccountRow();
  row->set_margin_top(24);
  session_->append(*row);
  append(*session_);
}

Gtk::Box* AccountFooter::buildAllowance() {
  auto* block = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 0);
  block->set_size_request(-1, 49);
  block->set_valign(Gtk::Align::START);
  setAccessibleLabel(*block, "Audit access");

  summaryBlock_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 0);
  auto* headline = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 10);
  headline->set_baseline_position(Gtk::BaselinePosition::TOP);
  plan_ = label(SidebarClasses::plan);
  plan_->set_wrap(false);
  plan_->set_valign(Gtk::Align::BASELINE);
  plan_->set_hexpand(true);
  plan_->set_ellipsize(Pango::EllipsizeMode::END);
  detail_ = label(SidebarClasses::detail);
  detail_->set_wrap(false);
  detail_->set_valign(Gtk::Align::BASELINE);
  headline->append(*plan_);
  headline->append(*detail_);
  summaryBlock_->append(*headline);
  balance_ = label(SidebarClasses::mutedText);
  balance_->set_margin_top(5);
  summaryBlock_->append(*balance_);
  bonus_ = label(SidebarClasses::mutedText);
  summaryBlock_->append(*bonus_);
  block->append(*summaryBlock_);

  status_ = label(SidebarClasses::mutedText);
  block->append(*status_);
  retry_ = Gtk::make_managed<Gtk::Button>();
  auto* retryTitle = Gtk::make_managed<Gtk::Label>();
  // Underlined through Pango attributes, so the title itself stays plain text.
  Pango::AttrList underlined;
  auto underline = Pango::Attribute::create_attr_underline(Pango::Underline::SINGLE);
  underlined.insert(underline);
  retryTitle->set_attributes(underlined);
  retry_->set_child(*retryTitle);
  retry_->add_css_class(SidebarClasses::retry);
  retry_->set_halign(Gtk::Align::START);
  retry_->set_margin_top(6);
  retry_->signal_clicked().connect([this] { model_.retryAccount(); });
  block->append(*retry_);
  return block;
}

Gtk::Box* AccountFooter::buildAccountRow() {
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 10);

  auto* face = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 7);
  name_ = label(SidebarClasses::plan);
  name_->set_wrap(false);
  name_->set_ellipsize(Pango::EllipsizeMode::END);
  name_->set_single_line_mode(true);
  face->append(*name_);
  if (auto* chevron = makeSymbolImage("chevron.down", 10)) {
    chevron->add_css_class(SidebarClasses::chevron);
    face->append(*chevron);
  }
  toggle_ = Gtk::make_managed<Gtk::MenuButton>();
  toggle_->add_css_class(SidebarClasses::accountToggle);
  toggle_->set_child(*face);
  toggle_->set_direction(Gtk::ArrowType::UP);
  toggle_->set_has_frame(false);
  toggle_->set_tooltip_text("Account menu");
  toggle_->set_hexpand(true);
  toggle_->set_halign(Gtk::Align::START);

  // The menu and its popover are built when the menu first opens.
  toggle_->set_create_popup_func([this] { buildMenu(); });
  row->append(*toggle_);

  auto* icons = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 2);
  icons->set_valign(Gtk::Align::CENTER);
  settings_ = iconButton("slider.vertical.3", "Settings (" + shortcutLabel(ShellCommands::settings) + ")", "Settings");
  settings_->signal_clicked().connect([this] { model_.openSettings(); });
  signOut_ = iconButton("power", "Sign out", "Sign out");
  signOut_->signal_clicked().connect([this] { model_.signOut(); });
  icons->append(*settings_);
  icons->append(*signOut_);
  row->append(*icons);
  return row;
}

void AccountFooter::buildMenu() {
  if (popover_) return;
  menu_ = Gtk::make_managed<AccountMenu>(AccountMenu::Actions{
      [this] { model_.choosePricing(); }, [this] { model_.chooseAbout(); }, [this] { popover_->popdown(); }});
  if (shownMenu_) menu_->show(shownMenu_->pricingLabel, shownMenu_->loading, shownMenu_->error);
  popover_ = Gtk::make_managed<Gtk::Popover>();
  popover_->add_css_class(SidebarClasses::menuPopover);
  popover_->set_child(*menu_);
  popover_->set_position(Gtk::PositionType::TOP);
  toggle_->set_popover(*popover_);
  shownConnection_ = popover_->signal_map().connect([this] { menuShown(); });
  closedConnection_ = popover_->signal_closed().connect([this] { menuClosed(); });
}

Gtk::Popover& AccountFooter::menuPopover() {
  buildMenu();
  return *popover_;
}

AccountMenu& AccountFooter::menu() {
  buildMenu();
  return *menu_;
}

Gtk::Button* AccountFooter::iconButton(const char* symbol, const Glib::ustring& help, const Glib::ustring& name) {
  auto* button = Gtk::make_managed<Gtk::Button>();
  button->add_css_class(SidebarClasses::iconButton);
  button->set_size_request(30, 30);
  if (auto* image = makeSymbolImage(symbol, 15)) button->set_child(*image);
  button->set_tooltip_text(help);
  setAccessibleLabel(*button, name);
  return button;
}

// The menu starts with nothing hovered and the pricing item focused.
void AccountFooter::menuShown() {
  model_.setShowingAccountMenu(true);
  showExpanded(true);
  menu_->focusFirst();
}

void AccountFooter::menuClosed() {
  model_.setShowingAccountMenu(false);
  showExpanded(false);
  toggle_->grab_focus();
}

// The toggle's name and expanded state, on the toggle and on the button inside it that
// takes the focus.
void AccountFooter::showExpanded(bool expanded) {
  for (Gtk::Widget* target : {static_cast<Gtk::Widget*>(toggle_), toggle_->get_first_child()}) {
    if (!target) continue;
    setAccessibleLabel(*target, accessibleName_);
    gtk_accessible_update_state(GTK_ACCESSIBLE(target->gobj()), GTK_ACCESSIBLE_STATE_EXPANDED, expanded ? TRUE : FALSE,
                                -1);
  }
}

void AccountFooter::draw(const SidebarModel::State& state) {
  const bool offer = state.face == SidebarFooterFace::offer;
  offer_->set_visible(offer);
  session_->set_visible(!offer);
  signIn_->set_label(state.signInTitle);
  signIn_->set_sensitive(state.canNavigate);
  drawAllowance(state);

  // A long name ellipsizes; its full text stays in the tooltip and the accessible name.
  name_->set_text(state.accountName);
  name_->set_tooltip_text(state.accountName);
  accessibleName_ = state.accountName + ", account menu";
  signOut_->set_sensitive(state.signOutEnabled);
  shownMenu_ = MenuState{state.pricingLabel, state.billingLoading, state.billingError};
  if (menu_) menu_->show(state.pricingLabel, state.billingLoading, state.billingError);

  const bool open = popover_ && popover_->get_visible();
  if (offer && open) {
    popover_->popdown();
  } else if (!state.showingAccountMenu && open) {
    popover_->popdown();
  } else if (state.showingAccountMenu && !open && !offer && toggle_->get_mapped()) {
    toggle_->popup();
  }
  showExpanded(popover_ && popover_->get_visible());
}

void AccountFooter::drawAllowance(const SidebarModel::State& state) {
  const auto& summary = state.summary;
  const bool withSummary = state.face == SidebarFooterFace::summary && summary;
  summaryBlock_->set_visible(withSummary);
  if (withSummary) {
    plan_->set_text(summary->plan);
    detail_->set_text(summary->detail.value_or(""));
    detail_->set_visible(summary->detail.has_value());
    balance_->set_text(summary->balance);
    bonus_->set_text(summary->bonusBalance.value_or(""));
    bonus_->set_visible(summary->bonusBalance.has_value());
  }
  const bool loading = state.face == SidebarFooterFace::loading;
  status_->set_visible(!withSummary);
  status_->set_text(loading ? "Loading your account\u2026" : "Account details unavailable.");
  retry_->set_visible(state.face == SidebarFooterFace::failed);
  static_cast<Gtk::Label*>(retry_->get_child())->set_text(state.retryTitle);
}

}  // namespace vesk::ui
