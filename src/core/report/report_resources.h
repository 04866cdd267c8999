#pragma once
// Serves a run's evidence images to the reader page through the "vesk-resource" scheme.
// The page never sees the bearer token: links to the service's evidence are rewritten to
// "vesk-resource://report/<kind>/<index>" before the Markdown reaches the page, and each
// such request is downloaded here with the reader's connection and handed to the web view.
//
// One handler belongs to one reader and serves only the run and connection it was last
// configured with. Lives on the main thread. Its downloads hold it weakly: destroying it
// cancels nothing, and a download that ends after it is gone delivers nothing.
#include "core/api/desktop_api.h"
#include "core/async/spawn.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// Why a scheme request failed; the adapter maps each to a GError.
enum class SchemeFailureKind { unsupportedURL, cannotDecodeContentData, cancelled, download };

// `message`: for `download`, the user-facing sentence of the download's error; for the
// others a short fixed text.
struct SchemeFailure {
  SchemeFailureKind kind;
  std::string message;
};

// One request of the page for a "vesk-resource:" URL, as the web view hands it over.
class SchemeTask {
 public:
  virtual ~SchemeTask() = default;
  virtual std::string url() const = 0;  // the requested URL ("" when none)
  // Final answers; the handler makes at most one of them per task, and none after stop().
  virtual void respond(const std::string& mimeType, std::string bytes) = 0;  // type, length, whole body, finish
  virtual void fail(const SchemeFailure& failure) = 0;
};

class ReportResources : public std::enable_shared_from_this<ReportResources> {
 public:
  static constexpr std::string_view scheme = "vesk-resource";
  static constexpr std::size_t longestRunID = 160;  // UTF-8 bytes
  static constexpr std::size_t largestImage = 10'485'760;

  // Not empty, at most 160 bytes, only ASCII letters, digits, "_" and "-".
  static bool validRunID(std::string_view text);
  // The service path ("runs/<run>/<kind>/<index>") of an evidence URL of `runID`, or
  // nothing when the URL is not one the page may load for that run.
  static std::optional<std::string> resourcePath(std::string_view url, const std::optional<std::string>& runID);
  // `markdown` with every link to the run's evidence ("(" or "<", "/api/<kind>/<run>/<index>")
  // pointing at the scheme instead; unchanged without a valid run id.
  static std::string rewrite(const std::string& markdown, const std::optional<std::string>& runID);
  // The served media type: lowercased, cut at the first ";" (empty pieces dropped), not
  // trimmed.
  static std::string normalisedMimeType(std::string_view mimeType);
  // Whether an image of that normalised type and size may go to the page: one of the four
  // image types and 1 to 10,485,760 bytes.
  static bool servable(std::string_view normalisedType, std::size_t byteCount);

  ReportResources() = default;
  ReportResources(const ReportResources&) = delete;
  ReportResources& operator=(const ReportResources&) = delete;

  // Takes a new connection and run (no connection for a local sample). Returns true when
  // either differs (run id, origin or token); the pending requests are then ended first.
  bool configure(std::optional<DesktopAPI> api, std::optional<std::string> runID);
  // Ends every pending request with `cancelled`.
  void invalidate();
  // The web view asks for one URL; refused at once unless it is evidence of the run.
  void start(std::shared_ptr<SchemeTask> task);
  // The web view gave the request up: its download is cancelled, nothing is sent.
  void stop(const SchemeTask* task);
  std::size_t pendingCount() const { return pending_.size(); }

 private:
  // A request in flight. A result is delivered only while the entry under its task still
  // carries the nonce the download started with.
  struct Pending {
    std::uint64_t nonce = 0;
    async::TaskRef operation;
    std::shared_ptr<SchemeTask> schemeTask;
  };

  static async::Task<void> download(std::weak_ptr<ReportResources> handler, DesktopAPI api, std::string path,
                                    const SchemeTask* key, std::uint64_t nonce);
  // The entry's scheme task, removed from `pending_`, when it still carries `nonce`.
  std::shared_ptr<SchemeTask> take(const SchemeTask* key, std::uint64_t nonce);

  std::optional<DesktopAPI> api_;
  std::optional<std::string> runID_;
  std::map<const SchemeTask*, Pending> pending_;
  std::uint64_t lastNonce_ = 0;
};

}  // namespace vesk
