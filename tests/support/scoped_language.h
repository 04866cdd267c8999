#pragma once
// The user's language for as long as the object lives: ICU's default locale and, when the
// system has it, the C library's character type (GLib's case mappings read that one).
#include <unicode/locid.h>

#include <clocale>
#include <string>

namespace vesk::testing {

class ScopedLanguage {
 public:
  ScopedLanguage(const char* icuName, const char* posixName) : icu_(icu::Locale::getDefault()) {
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    posix_ = current ? current : "C";
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale(icuName), status);
    systemHasIt_ = std::setlocale(LC_CTYPE, posixName) != nullptr;
  }
  ~ScopedLanguage() {
    std::setlocale(LC_CTYPE, posix_.c_str());
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu_, status);
  }
  ScopedLanguage(const ScopedLanguage&) = delete;
  ScopedLanguage& operator=(const ScopedLanguage&) = delete;

  // Whether the C library took the language too (the system may not have it installed).
  bool systemHasIt() const { return systemHasIt_; }

 private:
  icu::Locale icu_;
  std::string posix_;
  bool systemHasIt_ = false;
};

}  // namespace vesk::testing
