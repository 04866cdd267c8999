// Exporting the account archive: download, signature check, save panel, atomic write.
#include "core/account/account_sentences.h"
#include "core/account/account_state.h"
#include "core/account/archive_spool.h"
#include "core/async/errors.h"
#include "core/workspace/save_dialog.h"

namespace vesk {

async::Task<void> AccountState::exportArchive(std::optional<DesktopAPI> api, std::shared_ptr<SaveDialog> dialog) {
  return exportTask(shared_from_this(), std::move(api), std::move(dialog));
}

async::Task<void> AccountState::exportTask(std::shared_ptr<AccountState> self, std::optional<DesktopAPI> api,
                                           std::shared_ptr<SaveDialog> dialog) {
  if (self->busy() || *self->reconnectRequired) co_return;
  if (!api || !self->valid(*api) || !dialog) co_return;
  self->noticeArea = AccountNoticeArea::archive;
  const auto revision = self->revision_;
  self->exporting = true;
  self->error = std::nullopt;
  self->feedback = std::nullopt;
  try {
    co_await fetchAndSave(self, *api, std::move(dialog), revision);
  } catch (const async::Cancelled&) {
    // Given up on by whoever started it: nothing to report.
  } catch (const std::exception& failure) {
    // The export only reads from the service, so no failure of it leaves anything uncertain.
    if (self->holds(revision)) {
      self->recordFailure(failure);
      self->error = std::string(failure.what());
    }
  }
  if (self->holds(revision)) self->exporting = false;
}

// Returns quietly when the user cancels the panel or the state was bound to another
// connection meanwhile; throws every failure.
async::Task<void> AccountState::fetchAndSave(std::shared_ptr<AccountState> self, DesktopAPI api,
                                             std::shared_ptr<SaveDialog> dialog, std::uint64_t revision) {
  const ArchiveSpool spool;
  co_await api.downloadInto("settings/export", spool.output(), Auth::bearer);
  if (!self->holds(revision)) co_return;
  // Only the signature is checked; what follows it is the service's and is kept as it came.
  if (!spool.startsWith("PK")) throw VeskError::message(account_sentences::archiveUnreadable);

  const auto destination =
      co_await dialog->chooseDestination(account_sentences::archiveName, SavedFileKind::zipArchive);
  if (!self->holds(revision) || !destination) co_return;
  // The archive holds the whole account: it is the user's alone wherever it lands.
  co_await spool.saveAs(*destination, FileAccess::ownerOnly);
  if (self->holds(revision)) self->feedback = std::string(account_sentences::archiveSaved);
}

}  // namespace vesk
