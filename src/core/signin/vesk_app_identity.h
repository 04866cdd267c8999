#pragma once
// Who the application is: the values that follow from the application id fixed in the
// build. They name the keyring service, the callback URL scheme of browser sign-in and
// the folder under the user's data directory.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

struct VeskAppIdentity {
  // The id of a release build. Lower case, so browsers hand the callback scheme back
  // unchanged.
  static constexpr std::string_view releaseIdentifier = "app.vesk.desktop";
  // The id used when the build fixes none: that of the earlier prototype build.
  static constexpr std::string_view fallbackIdentifier = "app.vesk.desktop.prototype";
  static constexpr std::string_view developmentCallbackScheme = "veskmac";

  std::string bundleIdentifier;
  std::string sessionService;
  // Announced to the service at sign-in; only a release build has one.
  std::optional<std::string> connectionApplication;
  std::string callbackScheme;
  std::string supportFolderName;

  // The values for a given application id; an empty id takes the fallback.
  static VeskAppIdentity forIdentifier(std::string_view applicationId);
  // The values of this build, computed once.
  static const VeskAppIdentity& current();

  // The support folder under the XDG data directory ($XDG_DATA_HOME).
  std::filesystem::path supportFolder() const;
};

}  // namespace vesk
