#include "core/signin/vesk_app_identity.h"

#include "build_config.h"

#include <glib.h>

namespace vesk {

VeskAppIdentity VeskAppIdentity::forIdentifier(std::string_view applicationId) {
  VeskAppIdentity identity;
  identity.bundleIdentifier = applicationId.empty() ? std::string(fallbackIdentifier) : std::string(applicationId);
  identity.sessionService = identity.bundleIdentifier;
  const bool release = identity.bundleIdentifier == releaseIdentifier;
  if (release) identity.connectionApplication = identity.bundleIdentifier;
  identity.callbackScheme = identity.connectionApplication.value_or(std::string(developmentCallbackScheme));
  identity.supportFolderName = release ? "Vesk" : "Vesk Prototype";
  return identity;
}

const VeskAppIdentity& VeskAppIdentity::current() {
  static const VeskAppIdentity identity = forIdentifier(build::applicationId);
  return identity;
}

std::filesystem::path VeskAppIdentity::supportFolder() const {
  return std::filesystem::path(g_get_user_data_dir()) / supportFolderName;
}

}  // namespace vesk
