#pragma once
// Browser sign-in: the application never sees the user's password. It opens the
// service's sign-in page in the user's browser, proves with a one-time challenge that
// the code coming back belongs to this attempt, and exchanges that code for a token.
//
// The service sends the browser to "<callback scheme>://auth/callback?...". The desktop
// hands that address to the application (its desktop file handles the scheme), which
// passes it to receiveCallback(). One attempt runs at a time; every way its wait ends
// goes through finish(), which acts only for the pending attempt, so a late callback,
// timer or cancellation of an earlier attempt is dropped.
#include "core/async/task.h"
#include "core/platform/object_ptr.h"
#include "core/records/session_records.h"
#include "core/signin/vesk_app_identity.h"

#include <chrono>
#include <coroutine>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace vesk {

// A window of the application that sign-in brings to the front.
class AnchorWindow {
 public:
  virtual ~AnchorWindow() = default;
  virtual void present() = 0;
};

class BrowserConnection : public std::enable_shared_from_this<BrowserConnection> {
 public:
  static constexpr const char* noWindowSentence = "Open the Vesk window before connecting your account.";
  static constexpr const char* couldNotStartSentence = "The browser session could not start.";
  static constexpr const char* cancelledSentence = "Browser connection cancelled. Your saved work is still here.";
  static constexpr const char* timedOutSentence = "Browser connection timed out. Connect again when you\u2019re ready.";
  static constexpr const char* invalidReturnSentence = "Vesk could not validate the browser return. Connect again.";
  static constexpr std::chrono::seconds browserWait{300};

  // The visible window to present sign-in from, or nullptr when the application shows
  // none.
  using AnchorProvider = std::function<std::shared_ptr<AnchorWindow>()>;
  // Opens the address in the user's browser; false when no browser could be started.
  using BrowserLauncher = std::function<bool(const std::string& address)>;

  static std::shared_ptr<BrowserConnection> create(AnchorProvider anchors, BrowserLauncher launcher,
                                                   VeskAppIdentity identity = VeskAppIdentity::current());
  ~BrowserConnection();
  BrowserConnection(const BrowserConnection&) = delete;
  BrowserConnection& operator=(const BrowserConnection&) = delete;

  // Runs one attempt against the service origin (accepted by DesktopAPI::validOrigin):
  // probe, browser, callback, token exchange. Ends any earlier attempt first.
  async::Task<TokenResponse> connect(std::string origin);
  // Ends a waiting attempt with cancelledSentence.
  void cancel();
  // The callback address the application was opened with, byte for byte. Goes to the
  // waiting attempt whose state it carries; any other is dropped.
  void receiveCallback(const std::string& url);

  // 43 characters of unpadded base64url from 32 secure random bytes.
  static std::string random();
  // Checks the callback address strictly and returns its code; throws VeskError
  // invalidReturnSentence on any difference.
  static std::string validate(const std::string& url, const std::string& state, const std::string& issuer,
                              const std::string& scheme);
  // "<origin>/sign-in?redirect_url=<inner>", the inner address being
  // "/desktop/connect?challenge=..&state=..[&app=..]".
  static std::string signInAddress(const std::string& origin, const std::string& challenge, const std::string& state,
                                   const std::optional<std::string>& application);
  // The origin's text with every trailing "/" removed.
  static std::string issuer(const std::string& origin);

 private:
  using AttemptId = std::uint64_t;
  using Outcome = std::variant<std::monostate, std::string, std::exception_ptr>;
  class CallbackWait;
  struct Pending {
    AttemptId id;
    std::string state;
    Outcome* outcome;  // in the suspended awaiter
    std::coroutine_handle<> continuation;
  };

  BrowserConnection(AnchorProvider anchors, BrowserLauncher launcher, VeskAppIdentity identity);
  static async::Task<TokenResponse> attempt(std::shared_ptr<BrowserConnection> self, std::string origin);
  void beginWait(CallbackWait& wait, std::coroutine_handle<> continuation, GCancellable* cancellable);
  void finish(AttemptId id, Outcome result);
  void finishWithSentence(AttemptId id, const char* sentence);

  AnchorProvider anchors_;
  BrowserLauncher launcher_;
  VeskAppIdentity identity_;
  std::optional<Pending> pending_;
  glib::SourceId timeout_;
  std::shared_ptr<AnchorWindow> anchor_;
  AttemptId lastAttempt_ = 0;
};

}  // namespace vesk
