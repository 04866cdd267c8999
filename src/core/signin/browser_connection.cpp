// Running one sign-in attempt: probe, browser, callback, token exchange.
#include "core/signin/browser_connection.h"

#include "core/api/desktop_api.h"
#include "core/async/main_loop.h"
#include "core/async/sleep.h"
#include "core/async/timing.h"
#include "core/records/vesk_error.h"
#include "core/signin/query_items.h"
#include "core/signin/sign_in_proof.h"

namespace vesk {

// Suspends the attempt until finish() hands it the callback address or an error.
class BrowserConnection::CallbackWait {
 public:
  CallbackWait(std::shared_ptr<BrowserConnection> owner, AttemptId id, std::string state, std::string address)
      : owner(std::move(owner)), id(id), state(std::move(state)), address(std::move(address)) {}

  bool await_ready() const noexcept { return false; }
  template <async::TaskPromise P>
  void await_suspend(std::coroutine_handle<P> self) {
    owner->beginWait(*this, self, self.promise().context->cancellable());
  }
  std::string await_resume() {
    cancelHook.reset();
    if (auto* error = std::get_if<std::exception_ptr>(&outcome)) std::rethrow_exception(*error);
    return std::get<std::string>(std::move(outcome));
  }

  std::shared_ptr<BrowserConnection> owner;
  AttemptId id;
  std::string state;
  std::string address;
  Outcome outcome;
  std::optional<async::CancelHook> cancelHook;
};

std::shared_ptr<BrowserConnection> BrowserConnection::create(AnchorProvider anchors, BrowserLauncher launcher,
                                                             VeskAppIdentity identity) {
  return std::shared_ptr<BrowserConnection>(
      new BrowserConnection(std::move(anchors), std::move(launcher), std::move(identity)));
}

BrowserConnection::BrowserConnection(AnchorProvider anchors, BrowserLauncher launcher, VeskAppIdentity identity)
    : anchors_(std::move(anchors)), launcher_(std::move(launcher)), identity_(std::move(identity)) {}

BrowserConnection::~BrowserConnection() = default;

async::Task<TokenResponse> BrowserConnection::connect(std::string origin) {
  return attempt(shared_from_this(), std::move(origin));
}

async::Task<TokenResponse> BrowserConnection::attempt(std::shared_ptr<BrowserConnection> self, std::string origin) {
  self->cancel();
  const DesktopAPI api{origin, std::nullopt};
  co_await api.checkConnectionAvailability();
  co_await async::checkCancellation();

  auto anchor = self->anchors_ ? self->anchors_() : nullptr;
  if (!anchor) throw VeskError::message(noWindowSentence);
  self->anchor_ = anchor;
  anchor->present();

  const std::string verifier = random();
  const std::string state = random();
  const std::string address =
      signInAddress(origin, challengeFor(verifier), state, self->identity_.connectionApplication);
  const AttemptId id = ++self->lastAttempt_;
  const std::string callback = co_await CallbackWait(self, id, state, address);

  const std::string code = validate(callback, state, issuer(origin), self->identity_.callbackScheme);
  JsonObject body;
  body["code"] = code;
  body["verifier"] = verifier;
  co_return co_await api.request<TokenResponse>("token", std::move(body), Auth::none);
}

void BrowserConnection::beginWait(CallbackWait& wait, std::coroutine_handle<> continuation, GCancellable* cancellable) {
  // Only one attempt waits: an earlier one still waiting (two connects that probed at
  // the same time) ends here rather than waiting forever.
  if (pending_) finishWithSentence(pending_->id, cancelledSentence);
  const AttemptId id = wait.id;
  pending_ = Pending{id, wait.state, &wait.outcome, continuation};

  wait.cancelHook.emplace(cancellable, [weak = weak_from_this(), id] {
    async::post([weak, id] {
      if (auto self = weak.lock()) self->finishWithSentence(id, cancelledSentence);
    });
  });
  if (g_cancellable_is_cancelled(cancellable)) {
    finishWithSentence(id, cancelledSentence);
    return;
  }
  timeout_ = glib::SourceId(async::addTimeout(
      async::Timing::scaled(browserWait),
      [](gpointer data) -> gboolean {
        auto* self = static_cast<BrowserConnection*>(data);
        self->timeout_.release();  // this source ends as the callback returns
        if (self->pending_) self->finishWithSentence(self->pending_->id, timedOutSentence);
        return G_SOURCE_REMOVE;
      },
      this));

  bool opened = false;
  try {
    opened = launcher_ && launcher_(wait.address);
  } catch (const std::exception&) {
    opened = false;
  }
  if (!opened) finishWithSentence(id, couldNotStartSentence);
}

void BrowserConnection::receiveCallback(const std::string& url) {
  if (!pending_) return;
  // Only the attempt whose state the address carries may take it: a late return of an
  // earlier attempt must not end the one now waiting.
  const std::size_t mark = url.find('?');
  if (mark == std::string::npos) return;
  const std::size_t fragment = url.find('#', mark);
  const auto items = readQueryItems(
      std::string_view(url).substr(mark + 1, fragment == std::string::npos ? std::string::npos : fragment - mark - 1));
  if (!items || firstValue(*items, "state") != pending_->state) return;
  if (anchor_) anchor_->present();
  finish(pending_->id, url);
}

void BrowserConnection::cancel() {
  if (pending_) {
    finishWithSentence(pending_->id, cancelledSentence);
    return;
  }
  timeout_.remove();
}

void BrowserConnection::finishWithSentence(AttemptId id, const char* sentence) {
  finish(id, std::make_exception_ptr(VeskError::message(sentence)));
}

void BrowserConnection::finish(AttemptId id, Outcome result) {
  if (!pending_ || pending_->id != id) return;
  const Pending pending = *std::exchange(pending_, std::nullopt);
  timeout_.remove();
  *pending.outcome = std::move(result);
  // Resumed from the main loop, never inside the call that ended the wait.
  async::post([continuation = pending.continuation] { continuation.resume(); });
}

}  // namespace vesk
