// Turning a picked or dropped file into an attachment.
#include "core/input/audit_attachment_file.h"

#include "core/async/background.h"
#include "core/async/task.h"
#include "core/platform/object_ptr.h"
#include "core/platform/regular_file.h"
#include "core/records/vesk_error.h"

#include <glib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace vesk {

namespace {

constexpr std::uint64_t imageLimit = 3'670'016;  // 3.5 MiB
constexpr std::uint64_t pdfLimit = 10'485'760;   // 10 MiB
constexpr std::uint64_t textLimit = 512'000;     // 500 KiB

constexpr const char* unsupportedFileSentence = "Choose a PNG, JPG, WebP, GIF, PDF or text file.";
constexpr const char* overLimitOnDiskSuffix = " is too large. Images: 3.5 MB; PDFs: 10 MB; text: 500 KB.";
constexpr const char* overLimitWhenReadSentence = "This file is too large.";

struct FileType {
  std::string_view extension;
  std::string_view mediaType;
};

constexpr std::array<FileType, 8> acceptedFileTypes = {{
    {"png", "image/png"},
    {"jpg", "image/jpeg"},
    {"jpeg", "image/jpeg"},
    {"webp", "image/webp"},
    {"gif", "image/gif"},
    {"pdf", "application/pdf"},
    {"txt", "text/plain"},
    {"md", "text/markdown"},
}};

std::optional<std::string_view> mediaTypeFor(const std::string& filename) {
  const auto dot = filename.rfind('.');
  if (dot == std::string::npos) return std::nullopt;
  std::string extension = filename.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(), [](char c) { return g_ascii_tolower(c); });
  const auto* type = std::find_if(acceptedFileTypes.begin(), acceptedFileTypes.end(),
                                  [&](const FileType& t) { return t.extension == extension; });
  if (type == acceptedFileTypes.end()) return std::nullopt;
  return type->mediaType;
}

std::uint64_t limitFor(std::string_view mediaType) {
  if (mediaType.starts_with("image/")) return imageLimit;
  if (mediaType == "application/pdf") return pdfLimit;
  return textLimit;
}

// The last path component as UTF-8 text (bytes that are not UTF-8 shown as U+FFFD), so
// it can travel in JSON and in a sentence.
std::string displayedFilename(const std::filesystem::path& file) {
  const glib::GFreePtr<char> name(g_filename_display_basename(file.c_str()));
  return name.get();
}

// Standard Base64 without line breaks, written straight into the result.
std::string base64Encoded(std::string_view bytes) {
  std::string encoded((bytes.size() / 3 + 1) * 4 + 4, '\0');
  gint state = 0;
  gint save = 0;
  const auto* input = reinterpret_cast<const guchar*>(bytes.data());
  gsize length = g_base64_encode_step(input, bytes.size(), FALSE, encoded.data(), &state, &save);
  length += g_base64_encode_close(FALSE, encoded.data() + length, &state, &save);
  encoded.resize(length);
  return encoded;
}

// Blocking: runs on a worker thread.
std::string readEncoded(const std::filesystem::path& file, const std::string& filename, std::uint64_t limit,
                        GCancellable* cancellable) {
  const RegularFile opened = RegularFile::open(file);
  if (opened.size() > limit) throw VeskError(filename + overLimitOnDiskSuffix);
  // One byte more than the limit tells a file that grew since it was opened.
  const std::string bytes = opened.readAtMost(limit + 1, cancellable);
  if (bytes.size() > limit) throw VeskError(overLimitWhenReadSentence);
  return base64Encoded(bytes);
}

}  // namespace

async::Task<AuditAttachment> readAuditAttachment(std::filesystem::path file) {
  std::string filename = displayedFilename(file);
  // The type is settled from the name alone, before the file is touched.
  const auto mediaType = mediaTypeFor(filename);
  if (!mediaType) throw VeskError(unsupportedFileSentence);
  const std::uint64_t limit = limitFor(*mediaType);

  const auto context = co_await async::currentContext();
  auto cancellable = glib::ObjectPtr<GCancellable>::retain(context->cancellable());
  // A named awaiter: GCC 12 mishandles awaiters with owning members built inside the
  // co_await expression.
  auto reading = async::inBackground(
      [file, filename, limit, cancellable] { return readEncoded(file, filename, limit, cancellable.get()); });
  std::string data = co_await reading;
  co_return AuditAttachment(std::move(filename), std::string(*mediaType), std::move(data));
}

}  // namespace vesk
