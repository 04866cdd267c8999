#pragma once
// Which renderer draws a window, for a benchmark to state beside its figures: the one
// asked for (GSK_RENDERER) and the one GTK chose, which differ when it falls back.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>

namespace vesk::bench {

// Prints "renderer: <GTK's renderer type> (GSK_RENDERER=<asked>)"; the window must be realised.
inline void printRenderer(GtkWidget* window) {
  GskRenderer* renderer = GTK_IS_NATIVE(window) ? gtk_native_get_renderer(GTK_NATIVE(window)) : nullptr;
  const char* asked = std::getenv("GSK_RENDERER");
  std::printf("renderer: %s (GSK_RENDERER=%s)\n", renderer ? G_OBJECT_TYPE_NAME(renderer) : "none",
              asked ? asked : "unset");
}

}  // namespace vesk::bench
