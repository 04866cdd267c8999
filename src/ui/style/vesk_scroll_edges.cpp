#include "ui/style/vesk_scroll_edges.h"

#include <cairomm/context.h>
#include <cairomm/pattern.h>
#include <gtkmm/adjustment.h>
#include <gtkmm/snapshot.h>
#include <gtkmm/textview.h>
#include <gtkmm/viewport.h>

#include <memory>

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

  // The middle is drawn as it is; only the faded bands go through cairo.
  const double band = ScrollEdgesGeometry::fadeFraction(h) * h;
  const double topBand = edges_.top ? band : 0;
  const double bottomBand = edges_.bottom ? band : 0;
  const graphene_rect_t middle = GRAPHENE_RECT_INIT(0, static_cast<float>(topBand), static_cast<float>(w),
                                                    static_cast<float>(h - topBand - bottomBand));
  gtk_snapshot_push_clip(snapshot->gobj(), &middle);
  gtk_snapshot_append_node(snapshot->gobj(), content.get());
  gtk_snapshot_pop(snapshot->gobj());
  if (topBand > 0) appendFadedBand(snapshot, content.get(), 0, topBand);
  if (bottomBand > 0) appendFadedBand(snapshot, content.get(), h - bottomBand, bottomBand);
}

void VeskScrollEdges::appendFadedBand(const Glib::RefPtr<Gtk::Snapshot>& snapshot, GskRenderNode* content, double top,
                                      double height) {
  const double w = get_width();
  const double h = get_height();
  const graphene_rect_t bounds =
      GRAPHENE_RECT_INIT(0, static_cast<float>(top), static_cast<float>(w), static_cast<float>(height));
  const auto cr = snapshot->append_cairo(&bounds);
  cr->rectangle(0, top, w, height);
  cr->clip();
  cr->push_group();
  gsk_render_node_draw(content, cr->cobj());
  cr->pop_group_to_source();
  auto mask = Cairo::LinearGradient::create(0, 0, 0, h);
  for (const auto& stop : ScrollEdgesGeometry::mask(edges_, h))
    mask->add_color_stop_rgba(stop.location, 0, 0, 0, stop.colour.alpha);
  cr->mask(mask);
}

}  // namespace vesk::ui
