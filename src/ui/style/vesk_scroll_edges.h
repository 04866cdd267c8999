#pragma once
// Soft edges for scrolling content: 20 px of room above and below the content, and a
// fade over 20 px (at most 12 % of the visible height) at an edge only while more
// content lies beyond it. Content resting at its start or end keeps hard edges. The
// bands lie where the content is cut: the scroller's edges, or a list's own edges.
#include "core/style/scroll_edges_geometry.h"
#include "ui/base/single_child_widget.h"

#include <gtkmm/scrolledwindow.h>
#include <sigc++/signal.h>

#include <utility>

namespace vesk::ui {

class VeskScrollEdges : public SingleChildWidget {
 public:
  using Edges = ScrollEdgesGeometry::Edges;

  // Wraps `scroller`: place this widget where the scroller would go. The content
  // margins go to the scroller's content (a viewport's child or a text view).
  explicit VeskScrollEdges(Gtk::ScrolledWindow& scroller);

  Edges edges() const { return edges_; }
  sigc::signal<void(Edges)>& signalEdgesChanged() { return edgesChanged_; }

 protected:
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;

 private:
  void addContentMargins();
  void updateEdges();
  std::pair<double, double> contentSpan();
  // The band from `top`, `height` tall, faded along the mask of the content's span.
  void appendFadedBand(const Glib::RefPtr<Gtk::Snapshot>& snapshot, GskRenderNode* content, double top, double height,
                       double spanTop, double spanBottom);

  Gtk::ScrolledWindow& scroller_;
  Edges edges_;
  sigc::signal<void(Edges)> edgesChanged_;
};

}  // namespace vesk::ui
