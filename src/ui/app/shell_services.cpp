#include "ui/app/shell_services.h"

#include "ui/app/sign_in_desktop.h"

namespace vesk::ui {

ShellServices ShellServices::desktop() {
  ShellServices services;
  services.openLink = [](const std::string& address) { openInBrowser(address); };
  services.filePanel = std::make_shared<NativeFilePanel>();
  return services;
}

}  // namespace vesk::ui
