#include "ui/app/shell_services.h"

#include "ui/app/sign_in_desktop.h"

namespace vesk::ui {

ShellServices ShellServices::desktop() {
  return {[](const std::string& address) { openInBrowser(address); }, std::make_shared<NativeFilePanel>()};
}

}  // namespace vesk::ui
