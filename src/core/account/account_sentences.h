#pragma once
// The account state's own sentences, shown as they stand.
namespace vesk::account_sentences {

inline constexpr const char* saved = "Saved.";
inline constexpr const char* notSaved = "Your change was not saved. Please try again.";
inline constexpr const char* profileUnconfirmed =
    "Could not confirm your saved profile. Check it before changing it again.";
inline constexpr const char* nameSavedUnread = "Your name was saved. Refresh to load your latest account details.";

inline constexpr const char* savingChoice = "Saving your choice…";
inline constexpr const char* checkingChoice = "Checking your saved choice…";
inline constexpr const char* choiceSaved = "Choice saved.";
inline constexpr const char* choiceConfirmed = "Saved choice confirmed.";
inline constexpr const char* choiceUnconfirmed =
    "Could not confirm your saved choice. Check it below or refresh your account.";

inline constexpr const char* archiveUnreadable = "The archive could not be read.";
inline constexpr const char* archiveSaved = "Archive saved.";
inline constexpr const char* archiveName = "Vesk audits.zip";

inline constexpr const char* workspaceDeleted = "Workspace deleted. Your sign-in account stays.";
inline constexpr const char* nothingToClear = "Nothing to clear — your history was already empty.";
inline constexpr const char* runsCleared = "Runs cleared.";
// Followed directly by the failure's own description.
inline constexpr const char* deletionUnconfirmed =
    "Could not confirm the deletion. Refresh your account and saved work before repeating it. ";

}  // namespace vesk::account_sentences
