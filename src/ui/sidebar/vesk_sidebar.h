#pragma once
// The sidebar column: the wordmark, "New audit", the "RECENT" projects with "More…",
// and the account footer band. It draws the sidebar model and hands clicks back to it;
// it stays alive while the column is hidden, so a request it started finishes into it.
#include "core/sidebar/sidebar_model.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace vesk::ui {

class AccountFooter;
class ProjectRow;

class VeskSidebar : public Gtk::Box {
 public:
  // `wordmark` is the image file to show, if any (the bundle's by default).
  VeskSidebar(std::shared_ptr<Workspace> workspace, SidebarModel::LinkOpener openLink,
              std::optional<std::filesystem::path> wordmark);
  VeskSidebar(std::shared_ptr<Workspace> workspace, SidebarModel::LinkOpener openLink);
  ~VeskSidebar() override;

  SidebarModel& model() { return *model_; }
  Gtk::Button& wordmark() { return *wordmark_; }
  Gtk::Button& newAuditButton() { return *newAudit_; }
  Gtk::Button& moreButton() { return *more_; }
  Gtk::Box& footerBand() { return *footerBand_; }
  AccountFooter& footer() { return *footer_; }
  std::vector<ProjectRow*> rows() const;

 protected:
  // As wide as the column makes it: long names are cut short or wrapped, never widen it.
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;

 private:
  void buildList(Gtk::Box& content);
  void draw();
  void drawRows(const std::vector<SidebarModel::Row>& rows);

  std::unique_ptr<SidebarModel> model_;
  std::optional<std::vector<SidebarModel::Row>> drawnRows_;
  sigc::connection modelConnection_;
  // Managed, owned by the sidebar's widget tree.
  Gtk::Button* wordmark_ = nullptr;
  Gtk::Button* newAudit_ = nullptr;
  Gtk::Box* rows_ = nullptr;
  Gtk::Button* more_ = nullptr;
  Gtk::Box* footerBand_ = nullptr;
  AccountFooter* footer_ = nullptr;
};

}  // namespace vesk::ui
