#include "core/shell/change_coalescer.h"

#include <glib.h>

namespace vesk {

ChangeCoalescer::ChangeCoalescer(std::function<void()> flush) : flush_(std::move(flush)) {}

ChangeCoalescer::~ChangeCoalescer() {
  for (auto& connection : connections_) connection.disconnect();
}

void ChangeCoalescer::follow(sigc::signal<void()>& signal) {
  connections_.push_back(signal.connect([this] { schedule(); }));
}

void ChangeCoalescer::schedule() {
  if (source_) return;
  GSource* source = g_idle_source_new();
  g_source_set_priority(source, G_PRIORITY_HIGH_IDLE);
  g_source_set_callback(source, &ChangeCoalescer::dispatch, this, nullptr);
  GMainContext* context = g_main_context_ref_thread_default();
  source_ = glib::SourceId(g_source_attach(source, context));
  g_main_context_unref(context);
  g_source_unref(source);
}

int ChangeCoalescer::dispatch(void* data) {
  auto* self = static_cast<ChangeCoalescer*>(data);
  self->source_.release();  // this source ends as the callback returns
  self->flush_();           // may destroy the model that owns this object: touch nothing after
  return G_SOURCE_REMOVE;
}

}  // namespace vesk
