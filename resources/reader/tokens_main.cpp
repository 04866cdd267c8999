// vesk-reader-tokens [FILE]: writes the reader page's token stylesheet to FILE, or to
// standard output without one. The build runs it to make reader/tokens.css.
#include "core/style/web_token_css.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
  const std::string css = vesk::webTokenCss();
  if (argc < 2) {
    std::cout << css;
    return std::cout ? 0 : 1;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << css;
  out.close();
  if (!out) {
    std::cerr << "vesk-reader-tokens: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
