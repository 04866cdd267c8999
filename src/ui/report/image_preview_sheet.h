#pragma once
// The viewer of an archived image (a source's evidence, a project's anchor): its title,
// then the progress label while the image loads, the image scaled to fit with its aspect
// kept, or the failure; "Done" and Escape close it. Driven only by the preview it is
// given with update(); the bytes are decoded off the main loop, by a task that ends with
// the sheet.
#include "core/async/owned_tasks.h"
#include "core/report/report_sheets.h"
#include "core/report/report_source_preview.h"
#include "core/workspace/published.h"

#include <gdkmm/texture.h>
#include "ui/report/sheet_frame.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/picture.h>
#include <gtkmm/spinner.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vesk::ui {

class ImagePreviewSheet : public SheetFrame {
 public:
  // The whole sheet, its margin included.
  static constexpr int width = 800;
  static constexpr int height = 650;
  static constexpr int margin = 28;

  explicit ImagePreviewSheet(std::function<void()> onDismiss);
  ~ImagePreviewSheet() override;

  void update(const std::optional<ReportSourcePreview>& preview);
  // Follows a state's preview for as long as the sheet exists.
  void follow(Published<std::optional<ReportSourcePreview>>& preview);

  const ImagePreviewLook& look() const { return look_; }
  Gtk::Label& title() { return *title_; }
  Gtk::Label& message() { return *message_; }
  Gtk::Picture& picture() { return *picture_; }
  Gtk::Button& doneButton() { return *done_; }

 private:
  static async::Task<void> decode(ImagePreviewSheet* self, std::shared_ptr<const std::string> bytes);
  void decoded(std::shared_ptr<const std::string> bytes, Glib::RefPtr<Gdk::Texture> texture);
  void redraw();

  std::optional<ReportSourcePreview> preview_;
  // The bytes last decoded (or being decoded) and their verdict.
  std::shared_ptr<const std::string> decodedBytes_;
  PreviewDecoding decoding_ = PreviewDecoding::failed;
  ImagePreviewLook look_;
  // Managed, owned by the sheet.
  Gtk::Label* title_;
  Gtk::Box* loading_;
  Gtk::Spinner* spinner_;
  Gtk::Label* loadingLabel_;
  Gtk::Picture* picture_;
  Gtk::Label* message_;
  Gtk::Button* done_;
  // Last, so the decoding ends before anything it writes goes.
  async::OwnedTasks tasks_;
};

}  // namespace vesk::ui
