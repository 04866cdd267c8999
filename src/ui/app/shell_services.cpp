#include "ui/app/shell_services.h"

#include "core/shell/mail_link.h"

#include "ui/app/sign_in_desktop.h"

namespace vesk::ui {

ShellServices ShellServices::desktop() {
  ShellServices services;
  services.openLink = [](const std::string& link) {
    if (const auto address = addressToLaunch(link)) openInBrowser(*address);
  };
  services.filePanel = std::make_shared<NativeFilePanel>();
  return services;
}

}  // namespace vesk::ui
