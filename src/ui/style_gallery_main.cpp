// vesk-style-gallery: every style of the visual system on one page.
//   vesk-style-gallery                  shows the page in a window
//   vesk-style-gallery --snapshot FILE  saves the page as a PNG and exits (works on Xvfb)
#include "core/style/resource_bundle.h"
#include "core/style/vesk_stylesheet.h"
#include "ui/base/widget_snapshot.h"
#include "ui/gallery/style_gallery.h"
#include "ui/style/style_startup.h"

#include <gdkmm/frameclock.h>
#include <gtkmm/application.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/window.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Options {
  std::optional<std::string> snapshotPath;
  bool valid = true;
};

Options parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--snapshot" && i + 1 < argc) {
      options.snapshotPath = argv[++i];
    } else if (argument.starts_with("--snapshot=")) {
      options.snapshotPath = std::string(argument.substr(11));
    } else {
      options.valid = false;
    }
  }
  return options;
}

// Frames to wait before saving: text views lay out their lines when idle, in between.
constexpr int settleFrames = 12;

struct PendingSnapshot {
  vesk::ui::StyleGallery& gallery;
  std::string path;
  Gtk::Application& app;
  int& status;
  gulong handler = 0;
};

void saveAfterPaint(GdkFrameClock* clock, gpointer data) {
  auto* pending = static_cast<PendingSnapshot*>(data);
  g_signal_handler_disconnect(clock, pending->handler);
  if (vesk::ui::saveWidgetPng(pending->gallery, pending->path)) {
    std::printf("saved %s (%d x %d)\n", pending->path.c_str(), pending->gallery.get_width(),
                pending->gallery.get_height());
  } else {
    std::fprintf(stderr, "vesk-style-gallery: could not save %s\n", pending->path.c_str());
    pending->status = 1;
  }
  pending->app.quit();
}

// Saves the page right after a frame has been drawn, once it has been laid out for a
// few frames in a row (then nothing waits for layout), and quits. `pending` outlives
// the application's run.
void snapshotWhenDrawn(PendingSnapshot& pending) {
  auto settledFrames = std::make_shared<int>(0);
  pending.gallery.add_tick_callback([&pending, settledFrames](const Glib::RefPtr<Gdk::FrameClock>& clock) {
    if (pending.gallery.get_width() <= 0 || ++*settledFrames < settleFrames) return true;
    pending.handler = g_signal_connect(clock->gobj(), "after-paint", G_CALLBACK(saveAfterPaint), &pending);
    return false;
  });
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parse(argc, argv);
  if (!options.valid) {
    std::fprintf(stderr, "usage: vesk-style-gallery [--snapshot FILE]\n");
    return 2;
  }
  auto app = Gtk::Application::create("app.vesk.desktop.StyleGallery", Gio::Application::Flags::NON_UNIQUE);
  std::unique_ptr<Gtk::Window> window;
  vesk::ui::StyleGallery* gallery = nullptr;
  int status = 0;
  std::optional<PendingSnapshot> pending;

  app->signal_startup().connect([] { vesk::ui::startUpVeskStyle(vesk::ResourceBundle::locate()); });
  app->signal_activate().connect([&] {
    if (window) return window->present();
    window = std::make_unique<Gtk::Window>();
    window->set_title("Vesk styles");
    window->set_default_size(1360, 1000);
    window->add_css_class(vesk::VeskStylesheet::canvasClass);
    auto* scroller = Gtk::make_managed<Gtk::ScrolledWindow>();
    gallery = Gtk::make_managed<vesk::ui::StyleGallery>();
    scroller->set_child(*gallery);
    window->set_child(*scroller);
    app->add_window(*window);
    window->present();
    if (options.snapshotPath)
      snapshotWhenDrawn(pending.emplace(PendingSnapshot{*gallery, *options.snapshotPath, *app, status}));
  });
  const int ran = app->run(1, argv);
  return ran != 0 ? ran : status;
}
