#include "core/workspace/saved_run_writer.h"

#include "core/platform/sha256.h"

#include <glib.h>

#include <array>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace vesk {

namespace {

using List = SavedRunFile::List;
constexpr std::array<List, 2> lists = {List::live, List::sample};

// The workers of every writer in the process. Never destroyed: a worker may still touch
// it while the process ends.
struct Workers {
  std::mutex mutex;
  std::condition_variable ended;
  int running = 0;
};

Workers& workers() {
  static auto* const all = new Workers;
  return *all;
}

// Made on the first write; its destructor runs at exit and waits for the writes under way.
struct FinishWritesAtExit {
  FinishWritesAtExit() = default;
  FinishWritesAtExit(const FinishWritesAtExit&) = delete;
  FinishWritesAtExit& operator=(const FinishWritesAtExit&) = delete;
  ~FinishWritesAtExit() { SavedRunWriter::finishAllWrites(); }
};

struct MainContextDeleter {
  void operator()(GMainContext* context) const { g_main_context_unref(context); }
};

// Runs `work` once from `context`'s loop.
void invokeOn(GMainContext* context, std::function<void()> work) {
  auto* boxed = new std::function<void()>(std::move(work));  // owned by the source below
  GSource* source = g_idle_source_new();
  g_source_set_priority(source, G_PRIORITY_DEFAULT);
  g_source_set_callback(
      source,
      [](gpointer data) -> gboolean {
        (*static_cast<std::function<void()>*>(data))();
        return G_SOURCE_REMOVE;
      },
      boxed, [](gpointer data) { delete static_cast<std::function<void()>*>(data); });
  g_source_attach(source, context);
  g_source_unref(source);
}

}  // namespace

struct SavedRunWriter::Shared {
  Shared(std::string folder, FailureHandler handler)
      : file(std::move(folder)), mainContext(g_main_context_ref_thread_default()), onFailure(std::move(handler)) {}

  const SavedRunFile file;
  const std::unique_ptr<GMainContext, MainContextDeleter> mainContext;
  // Read and cleared on the main loop only.
  FailureHandler onFailure;

  std::mutex mutex;
  // Guarded by `mutex`: the newest state of each list not yet taken by the worker, and
  // whether a worker is taking them.
  std::array<std::optional<std::vector<SavedAudit>>, lists.size()> waiting;
  bool draining = false;
  // Only the one draining worker reads and writes these: the digest of each list's last
  // successful write.
  std::array<std::optional<glib::Sha256Digest>, lists.size()> written;
};

namespace {

std::size_t indexOf(List list) { return list == List::live ? 0 : 1; }

// The helpers below are templates so they need not name the writer's private state.
template <class Shared>
void report(const std::shared_ptr<Shared>& shared, std::string failure) {
  invokeOn(shared->mainContext.get(), [shared, failure = std::move(failure)] {
    if (shared->onFailure) shared->onFailure(failure);
  });
}

// Writes one state unless it equals the list's last write. Nothing may escape: this
// runs on a thread of its own.
template <class Shared>
void writeState(const std::shared_ptr<Shared>& shared, const std::vector<SavedAudit>& runs, std::size_t index) {
  try {
    // Encoded twice, digest first, rather than held whole: a list of long reports would
    // otherwise cost several times their size in memory.
    glib::Sha256Stream stream;
    SavedRunFile::encodeInPieces(runs, [&stream](std::string_view piece) { stream.update(piece); });
    const auto digest = stream.finish();
    if (shared->written[index] == digest) return;
    shared->file.write(runs, lists[index]);
    shared->written[index] = digest;
  } catch (const std::exception& failure) {
    shared->written[index].reset();
    report(shared, failure.what());
  }
}

// Takes and writes the waiting states until none is left.
template <class Shared>
void drain(const std::shared_ptr<Shared>& shared) {
  while (true) {
    std::optional<std::vector<SavedAudit>> runs;
    std::size_t index = 0;
    {
      const std::lock_guard lock(shared->mutex);
      while (index < lists.size() && !shared->waiting[index]) ++index;
      if (index == lists.size()) {
        shared->draining = false;
        return;
      }
      runs = std::exchange(shared->waiting[index], std::nullopt);
    }
    writeState(shared, *runs, index);
  }
}

}  // namespace

SavedRunWriter::SavedRunWriter(std::string folder, FailureHandler onFailure)
    : shared_(std::make_shared<Shared>(std::move(folder), std::move(onFailure))) {}

SavedRunWriter::~SavedRunWriter() { shared_->onFailure = nullptr; }

const std::string& SavedRunWriter::folder() const { return shared_->file.folder(); }

void SavedRunWriter::write(std::vector<SavedAudit> runs, SavedRunFile::List list) {
  std::optional<std::vector<SavedAudit>> superseded;
  {
    const std::lock_guard lock(shared_->mutex);
    superseded = std::exchange(shared_->waiting[indexOf(list)], std::move(runs));
    if (shared_->draining) return;
    shared_->draining = true;
  }
  static FinishWritesAtExit finishAtExit;
  {
    const std::lock_guard lock(workers().mutex);
    ++workers().running;
  }
  const auto ended = [] {
    const std::lock_guard lock(workers().mutex);
    --workers().running;
    workers().ended.notify_all();
  };
  try {
    std::thread([shared = shared_, ended]() mutable {
      drain(shared);
      shared.reset();
      ended();
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: write here rather than lose the change.
    drain(shared_);
    ended();
  }
}

bool SavedRunWriter::isIdle() const {
  const std::lock_guard lock(shared_->mutex);
  return !shared_->draining;
}

void SavedRunWriter::finishAllWrites() {
  std::unique_lock lock(workers().mutex);
  workers().ended.wait(lock, [] { return workers().running == 0; });
}

}  // namespace vesk
