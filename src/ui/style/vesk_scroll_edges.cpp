#include "ui/style/vesk_scroll_edges.h"

#include <cairomm/context.h>
#include <cairomm/pattern.h>
#include <gtkmm/adjustment.h>
#include <gtkmm/snapshot.h>
#include <gtkmm/textview.h>
#include <gtkmm/viewport.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace vesk::ui {

namespace {

struct RenderNodeUnref {
  void operator()(GskRenderNode* node) const { gsk_render_node_unref(node); }
};
using RenderNodePtr = std::unique_ptr<GskRenderNode, RenderNodeUnref>;

GQuark marginsAddedQuark() { return g_quark_from_static_string("vesk-scroll-edges-margins"); }

}  // namespace

VeskScrollEdges::VeskScrollEdges(Gtk::ScrolledWindow& scroller) : scroller_(scroller) {
  set_child(scroller);
  addContentMargins();
  scroller.property_child().signal_changed().connect(sigc::mem_fun(*this, &VeskScrollEdges::addContentMargins));
  const auto adjustment = scroller.get_vadjustment();
  adjustment->signal_value_changed().connect(sigc::mem_fun(*this, &VeskScrollEdges::updateEdges));
  adjustment->signal_changed().connect(sigc::mem_fun(*this, &VeskScrollEdges::updateEdges));
  updateEdges();
}

// Once per content widget, so replacing and restoring the content adds nothing twice.
void VeskScrollEdges::addContentMargins() {
  Gtk::Widget* content = scroller_.get_child();
  if (auto* viewport = dynamic_cast<Gtk::Viewport*>(content)) content = viewport->get_child();
  if (!content || g_object_get_qdata(G_OBJECT(content->gobj()), marginsAddedQuark())) return;
  g_object_set_qdata(G_OBJECT(content->gobj()), marginsAddedQuark(), GINT_TO_POINTER(1));
  const int margin = static_cast<int>(ScrollEdgesGeometry::contentMargin);
  if (auto* text = dynamic_cast<Gtk::TextView*>(content)) {
    text->set_top_margin(text->get_top_margin() + margin);
    text->set_bottom_margin(text->get_bottom_margin() + margin);
  } else {
    content->set_margin_top(content->get_margin_top() + margin);
    content->set_margin_bottom(content->get_margin_bottom() + margin);
  }
}

void VeskScrollEdges::updateEdges() {
  const auto a = scroller_.get_vadjustment();
  const Edges next = ScrollEdgesGeometry::edges(a->get_value() - a->get_lower(), 0, a->get_page_size(),
                                                a->get_upper() - a->get_lower(), 0);
  if (next == edges_) return;
  edges_ = next;
  queue_draw();
  edgesChanged_.emit(edges_);
}

// Where the scrolled content shows, top and bottom, in this widget. A viewport or a text
// view fills the scroller and keeps the margins inside what scrolls; a list scrolls
// inside its own margins and padding, and cuts its rows at its own edges, so that is
// where its bands belong.
std::pair<double, double> VeskScrollEdges::contentSpan() {
  const double h = get_height();
  Gtk::Widget* content = scroller_.get_child();
  graphene_rect_t bounds;
  if (!content || dynamic_cast<Gtk::Viewport*>(content) || dynamic_cast<Gtk::TextView*>(content) ||
      !gtk_widget_compute_bounds(content->gobj(), gobj(), &bounds))
    return {0, h};
  const double top = std::clamp<double>(bounds.origin.y, 0, h);
  return {top, std::clamp<double>(bounds.origin.y + bounds.size.height, top, h)};
}

void VeskScrollEdges::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) {
  const double w = get_width();
  const double h = get_height();
  if (!edges_.top && !edges_.bottom) {
    SingleChildWidget::snapshot_vfunc(snapshot);
    return;
  }
  GtkSnapshot* inner = gtk_snapshot_new();
  gtk_widget_snapshot_child(gobj(), GTK_WIDGET(scroller_.gobj()), inner);
  const RenderNodePtr content(gtk_snapshot_free_to_node(inner));
  if (!content) return;

  // Everything but the faded bands is drawn as it is; only the bands go through cairo.
  const auto [spanTop, spanBottom] = contentSpan();
  const double band = ScrollEdgesGeometry::fadeFraction(spanBottom - spanTop) * (spanBottom - spanTop);
  const double topBand = edges_.top ? band : 0;
  const double bottomBand = edges_.bottom ? band : 0;
  const auto appendUnfaded = [&](double top, double bottom) {
    if (bottom - top < 0.5) return;
    const graphene_rect_t clip =
        GRAPHENE_RECT_INIT(0, static_cast<float>(top), static_cast<float>(w), static_cast<float>(bottom - top));
    gtk_snapshot_push_clip(snapshot->gobj(), &clip);
    gtk_snapshot_append_node(snapshot->gobj(), content.get());
    gtk_snapshot_pop(snapshot->gobj());
  };
  appendUnfaded(0, spanTop);
  appendUnfaded(spanTop + topBand, spanBottom - bottomBand);
  appendUnfaded(spanBottom, h);
  if (topBand > 0) appendFadedBand(snapshot, content.get(), spanTop, topBand, spanTop, spanBottom);
  if (bottomBand > 0)
    appendFadedBand(snapshot, content.get(), spanBottom - bottomBand, bottomBand, spanTop, spanBottom);
}

void VeskScrollEdges::appendFadedBand(const Glib::RefPtr<Gtk::Snapshot>& snapshot, GskRenderNode* content, double top,
                                      double height, double spanTop, double spanBottom) {
  const double w = get_width();
  const graphene_rect_t bounds =
      GRAPHENE_RECT_INIT(0, static_cast<float>(top), static_cast<float>(w), static_cast<float>(height));
  const auto cr = snapshot->append_cairo(&bounds);
  cr->rectangle(0, top, w, height);
  cr->clip();
  cr->push_group();
  gsk_render_node_draw(content, cr->cobj());
  cr->pop_group_to_source();
  auto mask = Cairo::LinearGradient::create(0, spanTop, 0, spanBottom);
  for (const auto& stop : ScrollEdgesGeometry::mask(edges_, spanBottom - spanTop))
    mask->add_color_stop_rgba(stop.location, 0, 0, 0, stop.colour.alpha);
  cr->mask(mask);
}

}  // namespace vesk::ui
