#include "ui/app/vesk_application.h"

#include "core/signin/vesk_app_identity.h"
#include "ui/app/pdf_save_dialog.h"
#include "ui/app/sign_in_desktop.h"
#include "ui/app/vesk_window.h"
#include "ui/style/style_startup.h"

namespace vesk::ui {

Glib::RefPtr<VeskApplication> VeskApplication::create(ResourceLookup findResources,
                                                      std::shared_ptr<BrowserConnection> browserConnection) {
  if (!browserConnection) browserConnection = BrowserConnection::create(&signInAnchor, &openInBrowser);
  return Glib::make_refptr_for_instance<VeskApplication>(
      new VeskApplication(std::move(findResources), std::move(browserConnection)));
}

VeskApplication::VeskApplication(ResourceLookup findResources, std::shared_ptr<BrowserConnection> browserConnection)
    : Gtk::Application(VeskAppIdentity::current().bundleIdentifier, Gio::Application::Flags::HANDLES_OPEN),
      findResources_(std::move(findResources)),
      browserConnection_(std::move(browserConnection)) {}

VeskApplication::~VeskApplication() = default;

// Fonts and styles are in place before the first widget is built, so no view's text
// depends on which view happened to draw first.
void VeskApplication::on_startup() {
  Gtk::Application::on_startup();
  resources_ = findResources_();
  startUpVeskStyle(resources_);
  auto saveDialog = std::make_shared<PdfSaveDialog>([this]() -> Gtk::Window* { return window_.get(); });
  workspace_ = Workspace::create(Workspace::defaultEnvironment(browserConnection_, std::move(saveDialog)),
                                 Workspace::SavedSession::restore);
}

void VeskApplication::on_activate() {
  if (!window_) {
    auto services = ShellServices::desktop();
    if (resources_) services.readerPage = resources_->file(readerPageFile);
    window_ = std::make_unique<VeskWindow>(workspace_, std::move(services));
  }
  // A hidden window leaves the application; a later activation brings it back.
  if (!window_->get_application()) add_window(*window_);
  window_->present();
}

void VeskApplication::on_open(const type_vec_files& files, const Glib::ustring&) {
  // The addresses arrive as the browser gave them; sign-in takes the one it waits for.
  for (const auto& file : files) browserConnection_->receiveCallback(file->get_uri());
  activate();
}

}  // namespace vesk::ui
