#include "core/style/typeface.h"
#include "support/temporary_folder.h"
#include "ui/style/vesk_typography.h"
#include "ui/support/ui_test.h"

#include <fontconfig/fontconfig.h>
#include <glib.h>
#include <harfbuzz/hb-ot.h>
#include <harfbuzz/hb.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-font.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using vesk::FontWeight;
using vesk::ui::VeskTypography;

namespace {

class Typography : public vesk::testing::UiTest {};

// The font Pango picks for a description, as the file it comes from and the weight axis
// value it is set to.
struct LoadedFace {
  std::string file;
  std::string postscriptName;
  double weightAxis = -1;
};

LoadedFace load(const Pango::FontDescription& description) {
  PangoFontMap* map = pango_cairo_font_map_get_default();
  PangoContext* context = pango_font_map_create_context(map);
  PangoFont* font = pango_font_map_load_font(map, context, description.gobj());
  LoadedFace face;
  if (PANGO_IS_FC_FONT(font)) {
    FcPattern* pattern = pango_fc_font_get_pattern(PANGO_FC_FONT(font));
    FcChar8* file = nullptr;
    if (FcPatternGetString(pattern, FC_FILE, 0, &file) == FcResultMatch) face.file = reinterpret_cast<char*>(file);
    FcChar8* name = nullptr;
    if (FcPatternGetString(pattern, FC_POSTSCRIPT_NAME, 0, &name) == FcResultMatch)
      face.postscriptName = reinterpret_cast<char*>(name);
  }
  hb_font_t* hb = pango_font_get_hb_font(font);
  hb_face_t* hbFace = hb_font_get_face(hb);
  hb_ot_var_axis_info_t axes[8];
  unsigned axisCount = 8;
  hb_ot_var_get_axis_infos(hbFace, 0, &axisCount, axes);
  unsigned coordCount = 0;
  const float* coords = hb_font_get_var_coords_design(hb, &coordCount);
  for (unsigned i = 0; i < axisCount && i < coordCount; ++i)
    if (axes[i].tag == HB_TAG('w', 'g', 'h', 't')) face.weightAxis = coords[i];
  g_object_unref(font);
  g_object_unref(context);
  return face;
}

std::string fileName(const std::string& path) { return fs::path(path).filename().string(); }

}  // namespace

TEST_F(Typography, StartUpRegistersTheFiveBundledFilesAndPangoListsTheFamilies) {
  const auto& registered = VeskTypography::registerFonts(std::nullopt);  // already done at start-up
  std::vector<std::string> names;
  for (const auto& file : registered) names.push_back(file.filename().string());
  EXPECT_EQ(names, (std::vector<std::string>{"DMSans-Regular.ttf", "DMSans-Italic.ttf", "CormorantGaramond-Regular.ttf",
                                             "CormorantGaramond-Italic.ttf", "JetBrainsMono-Regular.ttf"}));

  PangoFontFamily** families = nullptr;
  int count = 0;
  pango_font_map_list_families(pango_cairo_font_map_get_default(), &families, &count);
  std::set<std::string> listed;
  for (int i = 0; i < count; ++i) listed.insert(pango_font_family_get_name(families[i]));
  g_free(families);
  for (const auto family : {vesk::Typeface::body.family, vesk::Typeface::display.family, vesk::monospaceFamily})
    EXPECT_TRUE(listed.count(std::string(family))) << family;
}

TEST_F(Typography, BodyAndDisplaySetTheWeightAxisOfTheirOwnFaces) {
  // Each weight sets the axis of the face that draws it to the value the typeface gives it.
  for (const auto weight :
       {FontWeight::ultraLight, FontWeight::thin, FontWeight::light, FontWeight::regular, FontWeight::medium,
        FontWeight::semibold, FontWeight::bold, FontWeight::heavy, FontWeight::black}) {
    const double bodyAxis = vesk::Typeface::body.axisWeight(weight);
    const double displayAxis = vesk::Typeface::display.axisWeight(weight);
    for (const bool italic : {false, true}) {
      const auto body = VeskTypography::body(15, weight, italic);
      EXPECT_EQ(std::string(body.get_variations()), "wght=" + std::to_string(static_cast<int>(bodyAxis)));
      EXPECT_EQ(body.get_size(), 15 * PANGO_SCALE);
      EXPECT_TRUE(body.get_size_is_absolute());
      const auto bodyFace = load(body);
      EXPECT_EQ(fileName(bodyFace.file), italic ? "DMSans-Italic.ttf" : "DMSans-Regular.ttf");
      EXPECT_DOUBLE_EQ(bodyFace.weightAxis, bodyAxis) << "body " << bodyAxis << (italic ? " italic" : "");

      const auto displayFace = load(VeskTypography::display(30, weight, italic));
      EXPECT_EQ(fileName(displayFace.file), italic ? "CormorantGaramond-Italic.ttf" : "CormorantGaramond-Regular.ttf");
      EXPECT_DOUBLE_EQ(displayFace.weightAxis, displayAxis) << "display " << displayAxis << (italic ? " italic" : "");
    }
  }
  // The named faces the bundled files provide.
  EXPECT_EQ(load(VeskTypography::body(15, FontWeight::regular)).postscriptName, "DMSans9pt-Regular");
  EXPECT_EQ(load(VeskTypography::display(30, FontWeight::light, true)).postscriptName, "CormorantGaramond-LightItalic");
}

TEST_F(Typography, AMissingFontFileIsSkippedAndTheOthersRegister) {
  // Fontconfig keeps what it registered until the process ends, so the copies stay
  // until then too.
  static const vesk::testing::TemporaryFolder temporary;
  const fs::path& folder = temporary.path();
  fs::create_directories(folder / "Fonts");
  for (const auto name : {"DMSans-Regular", "DMSans-Italic", "CormorantGaramond-Italic", "JetBrainsMono-Regular"}) {
    const std::string file = std::string(name) + ".ttf";
    fs::copy_file(vesk::testing::testResources().root() / "Fonts" / file, folder / "Fonts" / file);
  }
  const auto added = VeskTypography::addFontFiles(vesk::ResourceBundle(folder));
  std::vector<std::string> names;
  for (const auto& file : added) names.push_back(file.filename().string());
  EXPECT_EQ(names, (std::vector<std::string>{"DMSans-Regular.ttf", "DMSans-Italic.ttf", "CormorantGaramond-Italic.ttf",
                                             "JetBrainsMono-Regular.ttf"}));
  EXPECT_TRUE(VeskTypography::addFontFiles(vesk::ResourceBundle(folder / "nothing-here")).empty());
}
