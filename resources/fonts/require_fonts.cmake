# Stops the build when the bundled fonts cannot be made: without them the application
# would draw every text in whatever the system has, its display face in a stand-in
# italic. Included by resources/CMakeLists.txt with `font_packages`, `font_sources` and
# `WOFF2_DECOMPRESS` set; runnable on its own with -P and the same variables.
set(missing)
if(NOT WOFF2_DECOMPRESS)
  list(APPEND missing "the woff2_decompress program")
endif()
foreach(source IN LISTS font_sources)
  if(NOT EXISTS ${source})
    file(RELATIVE_PATH shown ${CMAKE_CURRENT_LIST_DIR}/../.. ${source})
    list(APPEND missing ${shown})
  endif()
endforeach()
if(missing)
  list(JOIN missing "\n  " listed)
  message(FATAL_ERROR "The bundled fonts are missing. Run scripts/setup: it installs the packages and fetches "
                      "the fonts (DM Sans, Cormorant Garamond, JetBrains Mono) into resources/fonts. "
                      "Missing:\n  ${listed}")
endif()
