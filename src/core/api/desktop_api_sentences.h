#pragma once
// The sentences the desktop API client words itself.
namespace vesk::sentences {

inline constexpr const char* invalidOperation = "Invalid Vesk operation.";
inline constexpr const char* connectFirst = "Connect your Vesk account first.";
inline constexpr const char* sessionExpired =
    "Your session expired. Reconnect in the browser; your saved work is still there.";
inline constexpr const char* couldNotConfirmStart = "Vesk could not confirm this request (";
inline constexpr const char* couldNotConfirmEnd = "). Check saved work before starting again.";
inline constexpr const char* signInUnavailable =
    "Desktop sign-in isn\u2019t available on this Vesk server yet. You can use your account on Vesk Web.";
inline constexpr const char* invalidEvidence = "Invalid evidence resource.";
inline constexpr const char* evidenceNeedsToken = "Reconnect to view saved evidence.";
inline constexpr const char* evidenceUnavailable =
    "Saved evidence could not be loaded. Reconnect or open the report in Vesk Web.";

}  // namespace vesk::sentences
