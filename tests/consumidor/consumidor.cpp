// A program of someone else's, built against an installed Tavolin: reads an image, writes it
// smoothed, by the library's public headers alone.
#include <tavolin/core/imagens.h>
#include <tavolin/io/leimp.h>
#include <tavolin/proc/suavizacao.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  IMGGRY g;
  le(g, argv[1]);
  imp(filtromedia(g, 3, 3, 's', 'x'), argv[2]);
  std::printf("%d x %d\n", g.nl(), g.nc());
  return 0;
}
