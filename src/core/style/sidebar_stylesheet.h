#pragma once
// The stylesheet rules of the sidebar: the "New audit" button's gradients, the recent
// rows and their status dots, the footer band with its offer card, allowance block and
// account row, and the account menu.
#include <string>

namespace vesk {

struct SidebarClasses {
  SidebarClasses() = delete;

  static constexpr const char* sidebar = "vesk-sidebar";
  static constexpr const char* wordmark = "vesk-sidebar-wordmark";
  static constexpr const char* wordmarkText = "vesk-sidebar-wordmark-text";
  static constexpr const char* newAudit = "vesk-sidebar-new-audit";
  static constexpr const char* heading = "vesk-sidebar-heading";
  static constexpr const char* row = "vesk-sidebar-row";
  static constexpr const char* active = "active";
  static constexpr const char* dot = "vesk-sidebar-dot";
  static constexpr const char* dotFaint = "faint";
  static constexpr const char* dotRing = "ring";
  static constexpr const char* dotMuted = "muted";
  static constexpr const char* dotRed = "red";
  static constexpr const char* more = "vesk-sidebar-more";
  static constexpr const char* footer = "vesk-sidebar-footer";
  static constexpr const char* offerTitle = "vesk-sidebar-offer-title";
  static constexpr const char* mutedText = "vesk-sidebar-muted";
  static constexpr const char* signIn = "vesk-sidebar-sign-in";
  static constexpr const char* plan = "vesk-sidebar-plan";
  static constexpr const char* detail = "vesk-sidebar-detail";
  static constexpr const char* retry = "vesk-sidebar-retry";
  static constexpr const char* accountToggle = "vesk-sidebar-account-toggle";
  static constexpr const char* chevron = "vesk-sidebar-chevron";
  static constexpr const char* iconButton = "vesk-sidebar-icon";
  static constexpr const char* menuPopover = "vesk-account-popover";
  static constexpr const char* menu = "vesk-account-menu";
  static constexpr const char* menuItem = "vesk-account-menu-item";
  static constexpr const char* menuError = "vesk-account-menu-error";
};

struct SidebarStylesheet {
  SidebarStylesheet() = delete;

  static constexpr double pressedBrightness = -0.035;
  static constexpr double disabledOpacity = 0.44;
  static constexpr double hoverSeconds = 0.15;
  static constexpr double wordmarkWidth = 52;
  static constexpr double wordmarkHeight = 25.178947368421053;
  static constexpr int menuWidth = 216;

  static std::string text();
};

}  // namespace vesk
