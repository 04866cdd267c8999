#include "ui/report/image_preview_sheet.h"

#include "core/async/background.h"
#include "core/async/spawn.h"
#include "core/platform/preview_image.h"
#include "core/style/shell_stylesheet.h"
#include "ui/controls/action_footer.h"
#include "ui/controls/vesk_spinner.h"
#include "ui/report/report_widgets.h"

#include <gdkmm/pixbuf.h>
#include <sigc++/adaptors/track_obj.h>

namespace vesk::ui {

ImagePreviewSheet::ImagePreviewSheet(std::function<void()> onDismiss) : SheetFrame(width, height, margin, 20) {
  title_ = &report::displayTitle("", 30);
  append(*title_);

  loading_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 10);
  spinner_ = Gtk::make_managed<VeskSpinner>();
  loadingLabel_ = Gtk::make_managed<Gtk::Label>();
  loading_->append(*spinner_);
  loading_->append(*loadingLabel_);
  loading_->set_valign(Gtk::Align::CENTER);
  loading_->set_halign(Gtk::Align::CENTER);
  picture_ = Gtk::make_managed<Gtk::Picture>();
  picture_->set_content_fit(Gtk::ContentFit::CONTAIN);
  picture_->set_can_shrink(true);
  message_ = Gtk::make_managed<Gtk::Label>();
  message_->set_wrap(true);
  message_->add_css_class(ShellClasses::secondaryText);
  message_->set_justify(Gtk::Justification::CENTER);
  for (Gtk::Widget* body : {static_cast<Gtk::Widget*>(loading_), static_cast<Gtk::Widget*>(picture_),
                            static_cast<Gtk::Widget*>(message_)}) {
    body->set_vexpand(true);
    body->set_hexpand(true);
    append(*body);
  }

  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 8);
  row->append(report::flexibleSpace());
  done_ = &report::pill("Done", VeskButtonRole::primary, PillSize::regular, std::move(onDismiss));
  row->append(*done_);
  append(*Gtk::make_managed<ActionFooter>(*row));
  update(std::nullopt);
}

ImagePreviewSheet::~ImagePreviewSheet() { tasks_.cancelAll(); }

void ImagePreviewSheet::update(const std::optional<ReportSourcePreview>& preview) {
  preview_ = preview;
  const auto bytes = preview ? preview->data : nullptr;
  if (bytes != decodedBytes_) {
    decodedBytes_ = bytes;
    picture_->set_paintable({});
    tasks_.cancelAll();
    decoding_ = PreviewDecoding::failed;
    if (bytes) {
      decoding_ = PreviewDecoding::pending;
      tasks_.add(async::spawn(decode(this, bytes)));
    }
  }
  redraw();
}

void ImagePreviewSheet::follow(Published<std::optional<ReportSourcePreview>>& preview) {
  preview.signalChanged().connect(sigc::track_object([this, &preview] { update(*preview); }, *this));
  update(*preview);
}

// Touches nothing of `self` once cancelled: the sheet may be gone.
async::Task<void> ImagePreviewSheet::decode(ImagePreviewSheet* self, std::shared_ptr<const std::string> bytes) {
  Glib::RefPtr<Gdk::Texture> texture;
  try {
    auto decoding = async::inBackground([bytes] { return decodePreviewImage(*bytes); });
    auto pixbuf = co_await std::move(decoding);
    texture = Gdk::Texture::create_for_pixbuf(Glib::wrap(pixbuf.get(), true));
  } catch (const async::Cancelled&) {
    co_return;
  } catch (const std::exception&) {
    // An image that does not decode shows the message.
  }
  self->decoded(bytes, texture);
}

void ImagePreviewSheet::decoded(std::shared_ptr<const std::string> bytes, Glib::RefPtr<Gdk::Texture> texture) {
  if (bytes != decodedBytes_) return;
  decoding_ = texture ? PreviewDecoding::decoded : PreviewDecoding::failed;
  picture_->set_paintable(texture);
  redraw();
}

void ImagePreviewSheet::redraw() {
  using Body = ImagePreviewLook::Body;
  look_ = imagePreviewLook(preview_, decoding_);
  title_->set_text(look_.title);
  loading_->set_visible(look_.body == Body::loading);
  spinner_->set_spinning(look_.body == Body::loading);
  loadingLabel_->set_text(look_.body == Body::loading ? look_.text : "");
  picture_->set_visible(look_.body == Body::image);
  picture_->set_alternative_text(look_.title);
  message_->set_visible(look_.body == Body::message);
  message_->set_text(look_.body == Body::message ? look_.text : "");
}

}  // namespace vesk::ui
