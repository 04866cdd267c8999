#pragma once
// The folder of data files that travels with the program: fonts, symbolic icons, the
// wordmark image and the reader page. In the build tree it sits next to the executable; installed, it
// is the "vesk" folder of the prefix's share folder.
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace vesk {

class ResourceBundle {
 public:
  explicit ResourceBundle(std::filesystem::path root) : root_(std::move(root)) {}

  // Looks for the bundle afresh: next to the running executable, then the install
  // prefix relative to it, then the prefix fixed at build time. None found is normal
  // for a bare executable; callers fall back (system fonts, a text wordmark).
  static std::optional<ResourceBundle> locate();

  // The places `locate()` tries, in order, for an executable in `executableFolder`.
  static std::vector<std::filesystem::path> candidateFolders(const std::filesystem::path& executableFolder);

  // The first candidate that is a folder.
  static std::optional<ResourceBundle> firstExisting(std::span<const std::filesystem::path> candidates);

  // A regular file inside the bundle, or nothing when it is absent.
  std::optional<std::filesystem::path> file(std::string_view relativePath) const;
  // A folder inside the bundle, or nothing when it is absent.
  std::optional<std::filesystem::path> folder(std::string_view relativePath) const;

  const std::filesystem::path& root() const { return root_; }

 private:
  std::filesystem::path root_;
};

}  // namespace vesk
