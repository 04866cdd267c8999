#pragma once
// The note of the feedback sheet while it is written and sent: its text, bounded to
// 4,000 UTF-16 units of whole characters, and the sending, sent and failed states. Made
// afresh each time the sheet opens and owned by it: destroying it cancels a send.
//
// A reply is applied only while the connection it was sent on is still the workspace's
// current one; otherwise only `sending` goes back, so the sheet is usable again.
#include "core/async/owned_tasks.h"
#include "core/workspace/published.h"
#include "core/workspace/workspace.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

class FeedbackDraft {
 public:
  static constexpr std::int64_t longestNote = 4000;
  static constexpr std::int64_t shortestNote = 3;

  FeedbackDraft(std::shared_ptr<Workspace> workspace, std::string supportAddress);
  FeedbackDraft(const FeedbackDraft&) = delete;
  FeedbackDraft& operator=(const FeedbackDraft&) = delete;

  Published<std::string> text;
  Published<bool> sending{false};
  Published<bool> sent{false};
  Published<std::optional<std::string>> error;

  // Takes an edit of the note: cuts it to the budget (what the field must then show) and,
  // unless a send runs, clears the error.
  void edit(std::string_view edited);
  // Whether the workspace holds a real, signed-in account with a token and no need to
  // reconnect.
  bool connected() const;
  bool canSend() const;
  // Sends the note; nothing when not connected, without a client or while sending.
  void submit();
  // How the sheet's sign-in treats the user's unsent work: kept when a loaded account
  // only needs its session renewed, else the sign-in starts afresh.
  static Workspace::SavedWork signInSavedWork(const Workspace& workspace);

  // The error without the support address, which the sheet shows as a link below it.
  std::optional<std::string> errorSentence() const;
  const std::string& supportAddress() const { return supportAddress_; }

  // The request body: the trimmed note and where it was written from.
  static JsonObject body(std::string_view note, Screen screen);

 private:
  static async::Task<void> send(FeedbackDraft* self, DesktopAPI api, std::string key, JsonObject body);
  std::string currentKey() const;

  std::shared_ptr<Workspace> workspace_;
  std::string supportAddress_;
  async::OwnedTasks tasks_;
};

}  // namespace vesk
