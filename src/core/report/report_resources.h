#pragma once
// Serves a run's evidence images to the reader page through the "vesk-resource" scheme.
// The page never sees the bearer token: links to the service's evidence are rewritten to
// "vesk-resource://report/<kind>/<index>" before the Markdown reaches the page, and each
// such request is answered here with the reader's connection.
//
// Each evidence address of the run is downloaded once per run and connection: every
// request for it waits on that one download and is answered from its buffer, which is
// kept (shared, never copied) for the later requests of the run. At most
// `mostDownloads` run at once, the rest wait their turn; a download that no request
// waits for any more is cancelled. The web view copies every body it is handed, so at
// most `mostBodies` answers are out at once: the next request is answered when the web
// view lets go of an earlier body (a page with 300 copies of one image would otherwise
// hold 300 copies of it in this process at once).
//
// One handler belongs to one reader and serves only the run and connection it was last
// configured with. Lives on the main thread. Its downloads hold it weakly: destroying it
// cancels nothing, and a download that ends after it is gone delivers nothing.
#include "core/api/desktop_api.h"
#include "core/async/spawn.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
  // `bytes` is the whole body, shared with every other request for the same address.
  virtual void respond(const std::string& mimeType, std::shared_ptr<const std::string> bytes) = 0;
  virtual void fail(const SchemeFailure& failure) = 0;
};

class ReportResources : public std::enable_shared_from_this<ReportResources> {
 public:
  static constexpr std::string_view scheme = "vesk-resource";
  static constexpr std::size_t longestRunID = 160;  // UTF-8 bytes
  static constexpr std::size_t largestImage = 10'485'760;
  static constexpr std::size_t mostDownloads = 3;
  static constexpr std::size_t mostBodies = 4;

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
  // either differs (run id, origin or token); the pending requests are then ended first
  // and the run's kept images dropped.
  bool configure(std::optional<DesktopAPI> api, std::optional<std::string> runID);
  // Ends every pending request with `cancelled` and cancels the downloads; the images
  // already fetched stay for the run.
  void invalidate();
  // The web view asks for one URL; refused at once unless it is evidence of the run.
  void start(std::shared_ptr<SchemeTask> task);
  // The web view gave the request up: it gets no answer, and its download is cancelled
  // when no other request waits for it.
  void stop(const SchemeTask* task);
  std::size_t pendingCount() const { return waiting_.size() + answering_.size(); }
  // Bodies handed out that the web view still holds.
  std::size_t bodiesOut() const { return *bodiesOut_; }
  // A body came back: the next waiting request may be answered.
  void answerWaiting() { answerNext(); }
  // Downloads started since the handler was made, for tests and benchmarks.
  std::size_t downloadsStarted() const { return downloadsStarted_; }

 private:
  struct Image {
    std::string mimeType;
    std::shared_ptr<const std::string> bytes;
  };
  // One address of the run being fetched. Its result is delivered only while the entry
  // under its path still carries the nonce the download started with.
  struct Download {
    std::uint64_t nonce = 0;
    async::TaskRef operation;  // empty while it waits for its turn
    bool running = false;
    std::vector<std::shared_ptr<SchemeTask>> waiting;
  };
  // What a download ends with: an image to keep or the failure for its requests.
  struct Outcome {
    std::optional<Image> image;
    SchemeFailure failure{SchemeFailureKind::download, ""};
  };

  static async::Task<void> download(std::weak_ptr<ReportResources> handler, DesktopAPI api, std::string path,
                                    std::uint64_t nonce);
  static Outcome checked(EvidenceImage image);
  void startNext();
  // Answers `task` with `image` now or, when too many bodies are out, in its turn.
  void answer(std::shared_ptr<SchemeTask> task, const Image& image);
  void answerNext();
  // The image's bytes, shared, counted among the bodies out until the last holder lets go.
  std::shared_ptr<const std::string> countedBody(const Image& image);
  void finish(const std::string& path, std::uint64_t nonce, Outcome outcome);

  std::optional<DesktopAPI> api_;
  std::optional<std::string> runID_;
  std::map<std::string, Image> fetched_;              // by service path, for the run and connection
  std::map<std::string, Download> downloads_;         // by service path
  std::map<const SchemeTask*, std::string> waiting_;  // each waiting request's path
  std::deque<std::string> queued_;                    // paths whose download waits for its turn
  // Requests whose image is here, waiting for a body to come back.
  std::deque<std::pair<std::shared_ptr<SchemeTask>, Image>> answering_;
  // Shared with the bodies' release hooks, which may run after the handler went.
  std::shared_ptr<std::size_t> bodiesOut_ = std::make_shared<std::size_t>(0);
  bool answeringNow_ = false;  // answerNext() is handing out answers
  std::uint64_t lastNonce_ = 0;
  std::size_t downloadsStarted_ = 0;
};

}  // namespace vesk
