#pragma once
// The numbers of the glass material for each role: elevation shadows, backing, fill,
// rim, directional light and the fine highlight and ambient lines. The widget that
// draws the glass reads everything from here.
#include "core/style/rgba.h"

#include <optional>
#include <span>

namespace vesk {

enum class VeskGlassRole { sidebar, composer, panel, toolbar };

// One elevation shadow: colour, blur radius (the Gaussian's standard deviation, in px)
// and offset.
struct ShadowLayer {
  Rgba colour;
  double blurRadius;
  double offsetX;
  double offsetY;
  bool operator==(const ShadowLayer&) const = default;
};

// The light of the non-toolbar roles: refraction, sheen and shade gradients.
struct DirectionalLight {
  double refractionEnd;      // where the warm refraction from the top trailing corner ends
  double sheenCentreX;       // the sheen's centre across the top edge (0 leading, 1 trailing)
  double sheenOpacity;       // white opacity at the sheen's centre
  double sheenEnd;           // where the sheen ends
  double shadeTopOpacity;    // white opacity of the shade at the top
  double shadeClearStop;     // where the shade is clear
  double ambientMultiplier;  // glassAmbient is faded by this at the bottom
};

// The 1 px lines drawn just inside the outline along single edges.
struct GlassLines {
  double topWhiteOpacity;
  double trailingWhiteOpacity;
  bool bottomAmbient;
  bool leadingAmbient;
};

struct GlassRecipe {
  GlassRecipe() = delete;

  // The stand-in for the system's frosted material where no backdrop blur exists: a
  // translucent ivory wash.
  static constexpr Rgba frostedMaterial = Rgba::fromHex(0xF8F6F1, 0.45);

  // Elevation shadows, back to front.
  static std::span<const ShadowLayer> shadows(VeskGlassRole role);
  // Whether the frosted material lies behind the fill.
  static bool hasMaterialBacking(VeskGlassRole role, bool reduceTransparency);
  static Rgba fill(VeskGlassRole role, bool reduceTransparency);
  static Rgba rim(VeskGlassRole role, bool increaseContrast);
  static double rimWidth(bool increaseContrast) { return increaseContrast ? 1.5 : 1.0; }
  // The toolbar has a plain top-to-bottom white wash instead (see toolbarWashOpacity).
  static std::optional<DirectionalLight> directionalLight(VeskGlassRole role);
  static constexpr double toolbarWashOpacity = 0.24;
  static GlassLines lines(VeskGlassRole role);

  // The corner radius actually drawn: a radius beyond half the shorter side (1000 is
  // the convention for a capsule) becomes exactly half of it.
  static double cornerRadius(double radius, double width, double height);
};

}  // namespace vesk
