// The walk runs the real application, which finds its saved work and settings in the
// user's folders: point those at a fresh folder before GLib first reads them.
#include <glib.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  char* made = g_dir_make_tmp("vesk-end-to-end-XXXXXX", nullptr);
  if (!made) return 2;
  const std::string home = made;
  g_free(made);
  for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
    const std::string folder = home + "/" + name;
    g_mkdir_with_parents(folder.c_str(), 0700);
    g_setenv(name, folder.c_str(), TRUE);
  }
  return RUN_ALL_TESTS();
}
