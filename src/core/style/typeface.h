#pragma once
// The bundled typefaces: which face a text style asks for and how a weight maps onto
// the face's variable weight axis.
#include <array>
#include <string_view>

namespace vesk {

// The weights the screens ask for, lightest first.
enum class FontWeight { ultraLight, thin, light, regular, medium, semibold, bold, heavy, black };

// The weight on the CSS scale: ultraLight 100 ... black 900, regular 400.
int numericWeight(FontWeight weight);

struct Typeface {
  // PostScript names of the faces the bundled files provide.
  std::string_view uprightFace;
  std::string_view italicFace;
  // The family the bundled file registers under (fontconfig matches by family).
  std::string_view family;
  // The span of the weight axis a request is clamped to.
  double minimumWeight;
  double maximumWeight;

  std::string_view face(bool italic) const { return italic ? italicFace : uprightFace; }
  // The numeric weight, clamped to the axis span.
  double axisWeight(FontWeight weight) const;

  static const Typeface body;
  static const Typeface display;
};

// JetBrains Mono is bundled for monospaced text but has no text style of its own.
inline constexpr std::string_view monospaceFace = "JetBrainsMono-Regular";
inline constexpr std::string_view monospaceFamily = "JetBrains Mono";

// The bundled font files, in registration order, in the bundle's "Fonts" folder.
inline constexpr std::string_view bundledFontFolder = "Fonts";
inline constexpr std::string_view bundledFontExtension = ".ttf";
inline constexpr std::array<std::string_view, 5> bundledFontFiles{"DMSans-Regular", "DMSans-Italic",
                                                                  "CormorantGaramond-Regular",
                                                                  "CormorantGaramond-Italic", "JetBrainsMono-Regular"};

}  // namespace vesk
