#include "ui/style/workspace_canvas.h"

#include "core/style/control_stylesheet.h"
#include "core/style/shared_control_recipe.h"
#include "ui/style/gsk_colour.h"

#include <gtkmm/snapshot.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vesk::ui {

namespace {

struct Premultiplied {
  double red = 0, green = 0, blue = 0, alpha = 0;
};

// The colour of an elliptical gradient at `reach` (0 at the centre, 1 at the radii),
// interpolated between straight colours and then premultiplied, as the renderers do;
// beyond the last stop its colour holds.
Premultiplied colourAt(const std::vector<GradientStop>& stops, double reach) {
  if (stops.empty()) return {};
  const GradientStop* before = &stops.front();
  const GradientStop* after = &stops.front();
  for (const auto& stop : stops) {
    after = &stop;
    if (stop.location >= reach) break;
    before = &stop;
  }
  const double span = after->location - before->location;
  const double t = span > 0 ? std::clamp((reach - before->location) / span, 0.0, 1.0) : 0.0;
  const auto mix = [t](double a, double b) { return a + (b - a) * t; };
  const double alpha = mix(before->colour.alpha, after->colour.alpha);
  return {mix(before->colour.red, after->colour.red) * alpha, mix(before->colour.green, after->colour.green) * alpha,
          mix(before->colour.blue, after->colour.blue) * alpha, alpha};
}

std::uint8_t byte(double channel) { return static_cast<std::uint8_t>(std::clamp(channel, 0.0, 1.0) * 255 + 0.5); }

}  // namespace

WorkspaceCanvas::WorkspaceCanvas() {
  add_css_class(ControlClasses::workspaceCanvas);
  set_hexpand(true);
  set_vexpand(true);
  set_can_target(false);
  set_focusable(false);
  property_accessible_role() = Gtk::Accessible::Role::PRESENTATION;
}

const std::vector<WorkspaceCanvasRecipe::BlurredBloom>& WorkspaceCanvas::bloomsFor(const Size& size) {
  if (bloomSize_ == size) return blooms_;
  bloomSize_ = size;
  blooms_.clear();
  for (const auto& bloom : WorkspaceCanvasRecipe::blooms(size.width, size.height))
    if (auto blurred = WorkspaceCanvasRecipe::blurred(bloom, WorkspaceCanvasRecipe::blurRadius))
      blooms_.push_back(std::move(*blurred));
  return blooms_;
}

WorkspaceCanvas* WorkspaceCanvas::behind(const Gtk::Widget& widget) {
  for (GtkWidget* w = gtk_widget_get_parent(const_cast<GtkWidget*>(widget.gobj())); w; w = gtk_widget_get_parent(w)) {
    GtkWidget* first = gtk_widget_get_first_child(w);
    if (!first) continue;
    // Only widgets made here have a C++ side to look at; none is made for the others.
    auto* object = Glib::ObjectBase::_get_current_wrapper(G_OBJECT(first));
    if (auto* canvas = dynamic_cast<WorkspaceCanvas*>(object)) return canvas;
  }
  return nullptr;
}

void WorkspaceCanvas::size_allocate_vfunc(int width, int height, int) {
  const Size size{static_cast<double>(width), static_cast<double>(height)};
  if (allocated_ == size) return;
  allocated_ = size;
  resized_.emit();
}

// Each texel is worked out directly: the ground, under the blurred group (each blurred
// ellipse drawn as the gradient the blur would leave, grown about the centre and faded).
// Three gradients through the software renderer's general gradient code cost many times
// more.
FramePicture& WorkspaceCanvas::pictureFor(const Size& size) {
  using R = WorkspaceCanvasRecipe;
  if (pictureSize_ == size && picture_) return picture_;
  pictureSize_ = size;
  const int width = std::max(1, static_cast<int>(std::ceil(size.width * textureScale)));
  const int height = std::max(1, static_cast<int>(std::ceil(size.height * textureScale)));
  const auto& blooms = bloomsFor(size);
  const double centreX = size.width / 2, centreY = size.height / 2;
  // Each gradient's colour by the square of its reach, in small steps: a lookup per texel
  // instead of a square root and a search of the stops.
  constexpr int steps = 4096;
  struct Table {
    std::vector<Premultiplied> colours;
    double stepsPerSquare;                         // table index per unit of squared reach
    double centreX, centreY, perWidth, perHeight;  // the ellipse, per unit of its radii
  };
  std::vector<Table> tables;
  for (const auto& bloom : blooms) {
    const double last = bloom.stops.empty() ? 1.0 : std::max(bloom.stops.back().location, 1e-6);
    Table table{std::vector<Premultiplied>(steps + 1),
                steps / (last * last),
                bloom.centre.x,
                bloom.centre.y,
                1 / bloom.horizontalRadius,
                1 / bloom.verticalRadius};
    for (int i = 0; i <= steps; ++i) table.colours[i] = colourAt(bloom.stops, std::sqrt(i / table.stepsPerSquare));
    tables.push_back(std::move(table));
  }
  // Premultiplied, each texel one native-endian word with alpha in the top byte: cairo's
  // own format, and the renderers' default.
  const auto pixels = Cairo::ImageSurface::create(Cairo::Surface::Format::ARGB32, width, height);
  pixels->flush();
  for (int row = 0; row < height; ++row) {
    auto* out =
        reinterpret_cast<std::uint32_t*>(pixels->get_data() + static_cast<std::ptrdiff_t>(row) * pixels->get_stride());
    // The texel's centre on the canvas, then in the group's own space before its growth.
    const double y = centreY + ((row + 0.5) * size.height / height - centreY) / R::scale;
    for (int column = 0; column < width; ++column) {
      const double x = centreX + ((column + 0.5) * size.width / width - centreX) / R::scale;
      Premultiplied group;
      for (const auto& table : tables) {
        const double dx = (x - table.centreX) * table.perWidth;
        const double dy = (y - table.centreY) * table.perHeight;
        const double index = std::min((dx * dx + dy * dy) * table.stepsPerSquare, static_cast<double>(steps));
        const auto& colour = table.colours[static_cast<std::size_t>(index + 0.5)];
        const double under = 1 - colour.alpha;
        group = {colour.red + group.red * under, colour.green + group.green * under, colour.blue + group.blue * under,
                 colour.alpha + group.alpha * under};
      }
      const double keep = 1 - R::opacity * group.alpha;
      *out++ = std::uint32_t{0xff000000} | std::uint32_t{byte(R::ground.red * keep + R::opacity * group.red)} << 16 |
               std::uint32_t{byte(R::ground.green * keep + R::opacity * group.green)} << 8 |
               std::uint32_t{byte(R::ground.blue * keep + R::opacity * group.blue)};
    }
  }
  pixels->mark_dirty();
  picture_ = FramePicture(pixels);
  return picture_;
}

void WorkspaceCanvas::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) { paint(snapshot->gobj()); }

void WorkspaceCanvas::paint(GtkSnapshot* s) {
  const float w = static_cast<float>(get_width());
  const float h = static_cast<float>(get_height());
  if (w <= 0 || h <= 0) return;
  const graphene_rect_t bounds = GRAPHENE_RECT_INIT(0, 0, w, h);
  // The ground under the picture, so that its stretched edges never let anything through.
  const GdkRGBA ground = gdkColour(WorkspaceCanvasRecipe::ground);
  gtk_snapshot_append_color(s, &ground, &bounds);
  pictureFor({w, h}).append(GTK_WIDGET(gobj()), s, bounds);
}

}  // namespace vesk::ui
