#pragma once
// The reader page's stylesheet of tokens: every colour of the web token table as a CSS
// custom property (--vesk-ivory, --vesk-secondary-ink, ...), the three font families as
// --vesk-font-body, --vesk-font-display and --vesk-font-mono, and an @font-face rule for
// each bundled font file, found in the resource folder's "Fonts" beside the page's own.
#include <string>

namespace vesk {

// The name of a token as a CSS custom property: "secondaryInk" -> "--vesk-secondary-ink".
std::string webTokenProperty(const std::string& name);

// The whole stylesheet, one rule or declaration per line.
std::string webTokenCss();

}  // namespace vesk
