#pragma once
// What of a mail link may reach the mail program. A link in a report or from the service
// is not trusted: some mail programs act on fields such as "attach" (adding a local file
// to the message) or on line breaks smuggled into a header. The link handed over keeps
// only the address and the subject, body, cc and bcc fields.
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// Whether `link` names the mailto scheme, in any case.
bool isMailLink(std::string_view link);

// The link rebuilt as "mailto:" with the address and the kept fields as written; nothing
// when it is no mail link, holds a raw control character, or its address decodes to one.
// A header field (subject, cc, bcc) that decodes to a control character is left out; the
// body may hold line breaks.
std::optional<std::string> mailLinkToLaunch(std::string_view link);

// The address to hand to the desktop for a link that leaves the application: a mail link
// as mailLinkToLaunch makes it, any other as it is.
std::optional<std::string> addressToLaunch(std::string_view link);

}  // namespace vesk
