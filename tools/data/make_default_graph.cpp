// Writes the graph that comes with the program, calculated by the program's
// own code: make_default_graph "data/GRAPHS/Ziduzovuzizo Zeveviza 2001.gph"

#include <cstdio>
#include <fstream>
#include <memory>

#include "graph/DefaultGraph.h"
#include "graph/GraphFile.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.gph\n", argv[0]);
    return 2;
  }
  auto document = std::make_unique<noctavo::GraphDocument>();
  noctavo::makeDefaultGraph(*document);
  const std::vector<unsigned char> image = noctavo::encodeGraph(*document);
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
