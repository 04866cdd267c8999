#include "ui/library/library_page.h"

#include "core/shell/library_callbacks.h"
#include "core/shell/mail_link.h"

#include "ui/app/pdf_save_dialog.h"
#include "ui/app/root_view.h"
#include "ui/library/project_library_view.h"

#include <gtkmm/window.h>
#include <sigc++/adaptors/track_obj.h>

namespace vesk::ui {

namespace {

// The screen's five reports, answered on the workspace.
LibraryScreenCallbacks workspaceCallbacks(const std::shared_ptr<Workspace>& workspace) {
  auto shell = std::make_shared<LibraryCallbacks>(workspace);
  LibraryScreenCallbacks callbacks;
  callbacks.onOpenRun = [shell](const SavedAudit& run) { shell->onOpenRun(run); };
  callbacks.onNewReview = [shell](const LibraryProject& project) { shell->onNewReview(project); };
  callbacks.onDismiss = [shell] { shell->onDismiss(); };
  callbacks.onLibraryChanged = [shell] { shell->onLibraryChanged(); };
  callbacks.onProjectSelected = [shell](const std::optional<std::string>& id) { shell->onProjectSelected(id); };
  return callbacks;
}

}  // namespace

std::unique_ptr<Gtk::Widget> makeLibraryPage(const ScreenContext& context) {
  Workspace& workspace = *context.workspace;
  RootView* root = context.rootView;
  LibraryScreenModel::Inputs inputs{workspace.api(), *workspace.fixture, *workspace.reports,
                                    *workspace.libraryProjectID};
  ProjectLibraryView::Services services;
  services.sheets = &root->sheets();
  services.saveDialog =
      std::make_shared<PdfSaveDialog>([root] { return dynamic_cast<Gtk::Window*>(root->get_root()); });
  services.anchorFiles = std::make_shared<NativeAnchorFilePanel>();
  services.openLink = [root](const std::string& link) {
    const auto address = addressToLaunch(link);
    if (auto* window = dynamic_cast<Gtk::Window*>(root->get_root()); window && address) {
      gtk_show_uri(window->gobj(), address->c_str(), GDK_CURRENT_TIME);
    }
  };
  auto view = std::make_unique<ProjectLibraryView>(std::move(inputs), workspaceCallbacks(context.workspace),
                                                   std::move(services));
  auto* page = view.get();
  // Both follow the workspace only while the page exists.
  workspace.libraryProjectID.signalChanged().connect(
      sigc::track_obj([page, &workspace] { page->model().setInitialProjectID(*workspace.libraryProjectID); }, *page));
  const auto followClient = [page, &workspace] { page->model().setAPI(workspace.api()); };
  workspace.account.signalChanged().connect(sigc::track_obj(followClient, *page));
  workspace.originText.signalChanged().connect(sigc::track_obj(followClient, *page));
  workspace.connectionRevision.signalChanged().connect(sigc::track_obj(followClient, *page));
  return view;
}

}  // namespace vesk::ui
