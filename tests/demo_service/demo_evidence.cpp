#include "demo_service/demo_evidence.h"

#include "core/platform/object_ptr.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace vesk::demo {

namespace {

constexpr int width = 1200;
constexpr int height = 750;
constexpr guint32 ivory = 0xF7F3EAFF;
constexpr guint32 ink = 0x1A1814FF;
constexpr guint32 white = 0xFFFFFFFF;
constexpr guint32 line = 0xD9D3C7FF;

std::uint32_t hashOf(const std::string& seed) {
  std::uint32_t hash = 2166136261u;
  for (const char c : seed) hash = (hash ^ std::uint8_t(c)) * 16777619u;
  return hash;
}

guint32 accentOf(const std::string& seed) {
  static const guint32 accents[] = {0xB43232FF, 0x2F6F62FF, 0x3B5BA5FF, 0xC0782AFF};
  return accents[hashOf(seed) % 4];
}

// The accent mixed three parts in four with white.
guint32 paleOf(guint32 colour) {
  guint32 pale = 0xFF;
  for (int shift = 8; shift <= 24; shift += 8) {
    const guint32 channel = (colour >> shift) & 0xFF;
    pale |= ((channel + 3 * 255) / 4) << shift;
  }
  return pale;
}

class Canvas {
 public:
  Canvas() : pixbuf_(glib::ObjectPtr<GdkPixbuf>::adopt(gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height))) {
    if (!pixbuf_) throw std::runtime_error("no memory for an evidence image");
    gdk_pixbuf_fill(pixbuf_.get(), ivory);
  }

  void rect(int x, int y, int w, int h, guint32 colour) {
    x = std::clamp(x, 0, width - 1);
    y = std::clamp(y, 0, height - 1);
    w = std::min(w, width - x);
    h = std::min(h, height - y);
    if (w <= 0 || h <= 0) return;
    auto area = glib::ObjectPtr<GdkPixbuf>::adopt(gdk_pixbuf_new_subpixbuf(pixbuf_.get(), x, y, w, h));
    gdk_pixbuf_fill(area.get(), colour);
  }
  // A framed box: a one-pixel rim around a fill.
  void box(int x, int y, int w, int h, guint32 fill, guint32 rim) {
    rect(x, y, w, h, rim);
    rect(x + 1, y + 1, w - 2, h - 2, fill);
  }

  std::string png() const {
    gchar* buffer = nullptr;
    gsize size = 0;
    glib::ErrorSlot error;
    if (!gdk_pixbuf_save_to_buffer(pixbuf_.get(), &buffer, &size, "png", error.out(), nullptr))
      throw std::runtime_error("cannot write an evidence image: " + error.message());
    const glib::GFreePtr<gchar> owned(buffer);
    return std::string(buffer, size);
  }

 private:
  glib::ObjectPtr<GdkPixbuf> pixbuf_;
};

}  // namespace

std::string pageShotPng(const std::string& seed) {
  const guint32 accent = accentOf(seed);
  const int variant = int(hashOf(seed) % 3);
  Canvas canvas;
  canvas.rect(0, 0, width, 72, white);
  canvas.rect(0, 72, width, 1, line);
  canvas.rect(48, 20, 32, 32, accent);
  for (int i = 0; i < 4; ++i) canvas.rect(700 + i * 90, 32, 60, 10, line);
  canvas.rect(1070, 20, 90, 32, accent);
  canvas.rect(96, 170, 620 - variant * 40, 34, ink);
  canvas.rect(96, 218, 480, 34, ink);
  for (int i = 0; i < 3; ++i) canvas.rect(96, 284 + i * 22, 560 - i * 30, 12, line);
  canvas.rect(96, 380, 170, 48, accent);
  for (int i = 0; i < 3; ++i) canvas.box(282 + i * 166, 380, 150, 48, white, line);
  canvas.rect(800, 150, 320, 280, paleOf(accent));
  canvas.rect(860, 210, 200, 160, accent);
  for (int i = 0; i < 3; ++i) {
    const int x = 96 + i * 344;
    canvas.box(x, 500, 320, 180, white, line);
    canvas.rect(x + 24, 528, 48, 48, paleOf(accent));
    canvas.rect(x + 24, 596, 220, 12, ink);
    canvas.rect(x + 24, 622, 260, 10, line);
    canvas.rect(x + 24, 642, 200, 10, line);
  }
  return canvas.png();
}

std::string dashboardPng(const std::string& seed) {
  const guint32 accent = accentOf(seed);
  const std::uint32_t hash = hashOf(seed);
  Canvas canvas;
  canvas.rect(0, 0, 220, height, ink);
  for (int i = 0; i < 6; ++i) canvas.rect(32, 96 + i * 44, 120 - (i % 3) * 20, 10, i == 1 ? accent : 0x5A554CFF);
  canvas.rect(220, 0, width - 220, 64, white);
  canvas.rect(220, 64, width - 220, 1, line);
  canvas.rect(256, 24, 240, 16, ink);
  for (int i = 0; i < 4; ++i) {
    const int x = 256 + i * 232;
    canvas.box(x, 96, 208, 120, white, line);
    canvas.rect(x + 20, 120, 100, 10, line);
    canvas.rect(x + 20, 150, 120, 28, i == 0 ? accent : ink);
  }
  canvas.box(256, 248, 904, 460, white, line);
  for (int i = 0; i < 12; ++i) {
    const int barHeight = 80 + int((hash >> (i % 24)) % 280);
    canvas.rect(300 + i * 70, 660 - barHeight, 40, barHeight, i % 4 == 3 ? accent : paleOf(accent));
  }
  canvas.rect(288, 660, 840, 2, line);
  return canvas.png();
}

}  // namespace vesk::demo
