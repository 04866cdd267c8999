#include "core/style/control_stylesheet.h"

#include "core/style/atelier.h"

#include <cmath>
#include <cstdio>

namespace vesk {

const char* ControlClasses::role(VeskButtonRole role) {
  switch (role) {
    case VeskButtonRole::primary: return "primary";
    case VeskButtonRole::secondary: return "secondary";
    case VeskButtonRole::tertiary: return "tertiary";
    case VeskButtonRole::accent: return "accent";
    case VeskButtonRole::destructive: return "destructive";
  }
  return "";
}

const char* ControlClasses::treatment(VeskChoicePillTreatment treatment) {
  switch (treatment) {
    case VeskChoicePillTreatment::answer: return "answer";
    case VeskChoicePillTreatment::filter: return "filter";
    case VeskChoicePillTreatment::project: return "project";
  }
  return "";
}

std::string ControlClasses::ink(const Rgba& ink) {
  if (ink == Atelier::ink) return "";
  const auto byte = [](double unit) { return static_cast<unsigned>(std::lround(unit * 255)); };
  char name[32];
  std::snprintf(name, sizeof name, "vesk-ink-%02x%02x%02x%02x", byte(ink.red), byte(ink.green), byte(ink.blue),
                byte(ink.alpha));
  return name;
}

std::string ControlStylesheet::text() {
  return "\n/* Controls. */\n" + pillRules() + choicePillRules(Atelier::ink) + sharedControlRules();
}

}  // namespace vesk
