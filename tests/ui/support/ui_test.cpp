#include "ui/support/ui_test.h"

#include "support/run_loop.h"
#include "ui/base/widget_snapshot.h"
#include "ui/style/style_startup.h"
#include "ui/support/next_frame.h"

#include <gdkmm/clipboard.h>
#include <gdkmm/display.h>
#include <gtk/gtk.h>

#include <cmath>
#include <cstdlib>
#include <mutex>

namespace vesk::testing {

namespace {

constexpr std::string_view webKitWithoutGL = "Disabled hardware acceleration because GTK failed to initialize GL";

std::mutex warningsMutex;
std::vector<std::string> warnings;

GLogWriterOutput recordAndPrint(GLogLevelFlags level, const GLogField* fields, gsize count, gpointer) {
  if (level & (G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_ERROR)) {
    for (gsize i = 0; i < count; ++i) {
      if (std::string_view(fields[i].key) != "MESSAGE") continue;
      // WebKit's note that the tests' display has no GL (GDK_DEBUG=gl-disable) is the
      // test setup speaking, not a fault.
      if (std::string_view(static_cast<const char*>(fields[i].value)).starts_with(webKitWithoutGL)) continue;
      const std::lock_guard lock(warningsMutex);
      warnings.emplace_back(static_cast<const char*>(fields[i].value));
    }
  }
  return g_log_writer_default(level, fields, count, nullptr);
}

}  // namespace

void recordGLibWarnings() { g_log_set_writer_func(recordAndPrint, nullptr, nullptr); }

std::vector<std::string> takeGLibWarnings() {
  const std::lock_guard lock(warningsMutex);
  return std::exchange(warnings, {});
}

ResourceBundle testResources() { return ResourceBundle(VESK_TEST_RESOURCE_DIR); }

void UiTest::SetUp() {
  static std::once_flag once;
  std::call_once(once, [] { ui::startUpVeskStyle(testResources()); });
  takeGLibWarnings();
}

void UiTest::TearDown() {
  runPending();  // let queued redraws and idle work run
  for (const auto& warning : takeGLibWarnings()) ADD_FAILURE() << "GLib warning: " << warning;
}

ShownWindow::ShownWindow(Gtk::Widget& content, int width, int height) : window_(std::make_unique<Gtk::Window>()) {
  window_->set_default_size(width, height);
  window_->set_child(content);
  window_->present();
  const bool shown = runUntil([&] { return content.get_mapped() && content.get_width() > 0; });
  EXPECT_TRUE(shown) << "the window never showed its content";
  settleFrame(content);
}

ShownWindow::~ShownWindow() {
  window_->unset_child();
  window_->destroy();
}

int Pixel::distance(const Pixel& other) const {
  return std::max({std::abs(red - other.red), std::abs(green - other.green), std::abs(blue - other.blue)});
}

Pixels::Pixels(const Glib::RefPtr<Gdk::Texture>& texture) {
  if (!texture) return;
  width_ = texture->get_width();
  height_ = texture->get_height();
  bytes_.resize(static_cast<std::size_t>(width_) * height_ * 4);
  gdk_texture_download(texture->gobj(), bytes_.data(), static_cast<gsize>(width_) * 4);
}

// Cairo's ARGB32: premultiplied, one native-endian 32-bit word per pixel.
Pixel Pixels::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    ADD_FAILURE() << "pixel (" << x << ", " << y << ") lies outside " << width_ << " x " << height_;
    return {};
  }
  const std::uint8_t* p = &bytes_[(static_cast<std::size_t>(y) * width_ + x) * 4];
  const std::uint32_t word = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  const int alpha = static_cast<int>(word >> 24);
  const auto unpremultiply = [alpha](std::uint32_t c) {
    return alpha == 0 ? 0 : static_cast<int>(std::lround(static_cast<double>(c & 0xFF) * 255.0 / alpha));
  };
  return {unpremultiply(word >> 16), unpremultiply(word >> 8), unpremultiply(word), alpha};
}

Box boundsIn(const Gtk::Widget& widget, const Gtk::Widget& ancestor) {
  graphene_rect_t bounds;
  const bool found = gtk_widget_compute_bounds(const_cast<GtkWidget*>(widget.gobj()),
                                               const_cast<GtkWidget*>(ancestor.gobj()), &bounds);
  EXPECT_TRUE(found);
  return {static_cast<int>(std::lround(bounds.origin.x)), static_cast<int>(std::lround(bounds.origin.y)),
          static_cast<int>(std::lround(bounds.size.width)), static_cast<int>(std::lround(bounds.size.height))};
}

Glib::RefPtr<Gdk::Texture> renderNextFrame(Gtk::Widget& widget) {
  struct Pending {
    Gtk::Widget& widget;
    Glib::RefPtr<Gdk::Texture> texture;
    bool done = false;
  } pending{widget, {}, false};
  GdkFrameClock* clock = gtk_widget_get_frame_clock(widget.gobj());
  EXPECT_NE(clock, nullptr) << "the widget is not shown";
  if (!clock) return {};
  const auto afterPaint = +[](GdkFrameClock*, gpointer data) {
    auto* p = static_cast<Pending*>(data);
    if (p->done) return;
    p->texture = ui::renderWidget(p->widget);
    p->done = true;
  };
  const gulong handler = g_signal_connect(clock, "after-paint", G_CALLBACK(afterPaint), &pending);
  widget.queue_draw();
  EXPECT_TRUE(runUntil([&] { return pending.done; })) << "no frame was drawn";
  g_signal_handler_disconnect(clock, handler);
  return pending.texture;
}

Pixels renderStill(Gtk::Widget& widget) {
  Pixels last = render(widget);
  const bool still = runUntil([&] {
    Pixels next = render(widget);
    const bool same = next == last;
    last = std::move(next);
    return same;
  });
  EXPECT_TRUE(still) << "the widget never stopped changing";
  return last;
}

Pixels renderAndKeep(Gtk::Widget& widget, const std::string& artefactName) {
  const auto texture = renderNextFrame(widget);
  EXPECT_TRUE(texture) << "nothing rendered";
  if (texture)
    gdk_texture_save_to_png(texture->gobj(), (std::string(VESK_TEST_ARTIFACT_DIR) + "/" + artefactName).c_str());
  return Pixels(texture);
}

std::optional<std::string> clipboardText() {
  std::optional<std::string> text;
  bool done = false;
  auto clipboard = Gdk::Display::get_default()->get_clipboard();
  clipboard->read_text_async([&](const Glib::RefPtr<Gio::AsyncResult>& result) {
    try {
      text = std::string(clipboard->read_text_finish(result));
    } catch (const Glib::Error&) {
    }
    done = true;
  });
  runUntil([&] { return done; }, std::chrono::seconds(5));
  return text;
}

}  // namespace vesk::testing
