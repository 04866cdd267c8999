#include "core/style/resource_bundle.h"

#include "build_config.h"

#include <system_error>

namespace vesk {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> runningExecutableFolder() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error || executable.empty()) return std::nullopt;
  return executable.parent_path();
}

}  // namespace

std::vector<fs::path> ResourceBundle::candidateFolders(const fs::path& executableFolder) {
  return {executableFolder / "resources", executableFolder.parent_path() / "share" / "vesk",
          fs::path(build::installDataFolder) / "vesk"};
}

std::optional<ResourceBundle> ResourceBundle::firstExisting(std::span<const fs::path> candidates) {
  for (const auto& candidate : candidates) {
    std::error_code error;
    if (fs::is_directory(candidate, error)) return ResourceBundle(candidate);
  }
  return std::nullopt;
}

std::optional<ResourceBundle> ResourceBundle::locate() {
  const auto folder = runningExecutableFolder();
  if (!folder) {
    const fs::path installed = fs::path(build::installDataFolder) / "vesk";
    return firstExisting(std::span(&installed, 1));
  }
  const auto candidates = candidateFolders(*folder);
  return firstExisting(candidates);
}

std::optional<fs::path> ResourceBundle::file(std::string_view relativePath) const {
  fs::path path = root_ / fs::path(relativePath);
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  return path;
}

std::optional<fs::path> ResourceBundle::folder(std::string_view relativePath) const {
  fs::path path = root_ / fs::path(relativePath);
  std::error_code error;
  if (!fs::is_directory(path, error)) return std::nullopt;
  return path;
}

}  // namespace vesk
