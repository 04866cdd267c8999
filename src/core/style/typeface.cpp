#include "core/style/typeface.h"

#include <algorithm>

namespace vesk {

int numericWeight(FontWeight weight) {
  switch (weight) {
    case FontWeight::ultraLight: return 100;
    case FontWeight::thin: return 200;
    case FontWeight::light: return 300;
    case FontWeight::medium: return 500;
    case FontWeight::semibold: return 600;
    case FontWeight::bold: return 700;
    case FontWeight::heavy: return 800;
    case FontWeight::black: return 900;
    case FontWeight::regular: break;
  }
  return 400;
}

double Typeface::axisWeight(FontWeight weight) const {
  return std::clamp(static_cast<double>(numericWeight(weight)), minimumWeight, maximumWeight);
}

const Typeface Typeface::body{"DMSans9pt-Regular", "DMSans9pt-Italic", "DM Sans 9pt", 100, 1000};
const Typeface Typeface::display{"CormorantGaramond-Light", "CormorantGaramond-LightItalic", "Cormorant Garamond Light",
                                 300, 700};

}  // namespace vesk
