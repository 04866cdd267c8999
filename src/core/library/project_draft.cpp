#include "core/library/project_draft.h"

#include "core/input/audit_url_rules.h"
#include "core/library/library_sentences.h"
#include "core/records/vesk_error.h"
#include "core/text/text_equivalence.h"
#include "core/text/text_rules.h"

namespace vesk {

namespace {

constexpr std::int64_t longestName = 120;    // UTF-16 units, after trimming
constexpr std::int64_t longestBrief = 5000;  // UTF-16 units, before trimming

bool isAcceptedAnchorType(const std::string& mediaType) {
  return mediaType.starts_with("image/") || mediaType == "application/pdf";
}

}  // namespace

ProjectDraft::ProjectDraft(const LibraryProject& project)
    : name(project.name),
      brief(project.brief.value_or("")),
      kind(project.kind.value_or("")),
      intent(project.intent.value_or("redesign")),
      contextURL(project.contextUrl.value_or("")) {}

nlohmann::json::object_t ProjectDraft::payload(Purpose purpose, const std::optional<LibraryProject>& original) const {
  const bool creating = purpose == Purpose::create;
  const std::string trimmedName = trimmedWhiteSpace(name);
  const std::int64_t nameLength = utf16Length(trimmedName);
  if (nameLength == 0 || nameLength > longestName || utf16Length(brief) > longestBrief)
    throw VeskError::message(library_sentences::nameOrBriefTooLong);
  const std::string trimmedBrief = trimmedWhiteSpace(brief);
  const std::string trimmedURL = trimmedWhiteSpace(contextURL);

  // An edit compares with the project as received; an absent value there is empty.
  const auto changed = [&](const std::string& value, const std::optional<std::string>& before) {
    return !original || !canonicallyEqual(value, before.value_or(""));
  };
  const bool urlChanged = creating || changed(trimmedURL, original ? original->contextUrl : std::nullopt);

  nlohmann::json::object_t body;
  if (creating) {
    body["name"] = trimmedName;
    body["brief"] = trimmedBrief;
    if (!kind.empty()) body["kind"] = kind;
    body["intent"] = intent;
  } else {
    if (changed(trimmedName, original ? std::optional(original->name) : std::nullopt)) body["name"] = trimmedName;
    if (changed(trimmedBrief, original ? original->brief : std::nullopt)) body["brief"] = trimmedBrief;
    if (changed(kind, original ? original->kind : std::nullopt))
      body["kind"] = kind.empty() ? nlohmann::json(nullptr) : nlohmann::json(kind);
  }

  if (urlChanged) {
    if (trimmedURL.empty()) {
      if (!creating) body["removeContextUrl"] = true;
    } else {
      body["contextUrl"] = validatedURLs(trimmedURL, 1).front();
    }
  }

  if (replacement) {
    if (!isAcceptedAnchorType(replacement->mediaType)) throw VeskError::message(library_sentences::anchorType);
    body["contextAttachment"] = nlohmann::json{
        {"filename", replacement->filename}, {"mediaType", replacement->mediaType}, {"data", replacement->data}};
  } else if (removeAnchor && !creating) {
    body["removeAnchor"] = true;
  }
  return body;
}

}  // namespace vesk
