// vesk-style-gallery: every style of the visual system on one page.
//   vesk-style-gallery                  shows the page in a window
//   vesk-style-gallery --snapshot FILE  saves the page as a PNG and exits (works on Xvfb)
#include "core/style/resource_bundle.h"
#include "core/style/vesk_stylesheet.h"
#include "ui/style/gallery/style_gallery.h"
#include "ui/style/style_startup.h"
#include "ui/style/widget_snapshot.h"

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

// Saves the page once it has been laid out for a few frames in a row, then quits.
void snapshotWhenDrawn(vesk::ui::StyleGallery& gallery, const std::string& path, Gtk::Application& app,
                       int& status) {
  auto settledFrames = std::make_shared<int>(0);
  gallery.add_tick_callback([&gallery, &app, &status, path, settledFrames](const Glib::RefPtr<Gdk::FrameClock>&) {
    if (gallery.get_width() <= 0 || ++*settledFrames < 3) return true;
    if (vesk::ui::saveWidgetPng(gallery, path)) {
      std::printf("saved %s (%d x %d)\n", path.c_str(), gallery.get_width(), gallery.get_height());
    } else {
      std::fprintf(stderr, "vesk-style-gallery: could not save %s\n", path.c_str());
      status = 1;
    }
    app.quit();
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
    if (options.snapshotPath) snapshotWhenDrawn(*gallery, *options.snapshotPath, *app, status);
  });
  const int ran = app->run(1, argv);
  return ran != 0 ? ran : status;
}
