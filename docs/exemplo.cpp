// tavolin-exemplo: reads a scan, smooths it with a Gaussian and writes it; the library's API
// in one program.
//   tavolin-exemplo scan.png smoothed.png [sigma]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/imagens.h"     // the image classes: IMGBIN, IMGGRY, IMGCOR, IMGFLT, ...
#include "io/densidade.h"     // the dpi a file records
#include "io/leimp.h"         // le and imp: any format in, the format of the suffix out
#include "proc/suavizacao.h"  // gaussiano, filtromedia

int main(int argc, char** argv) {
  const char* uso =
      "usage: tavolin-exemplo scan.png smoothed.png [sigma]\n"
      "  Reads a scan in any format, smooths it with a Gaussian of sigma pixels (default 1)\n"
      "  and writes it in the format of the output's suffix, keeping its density.\n";
  if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(uso, stdout);
    return 0;
  }
  if (argc < 3 || argc > 4) {
    std::fputs(uso, stderr);
    return 2;
  }
  const double sigma = argc > 3 ? std::atof(argv[3]) : 1.0;
  IMGFLT scan;        // grey levels as 0.0 (black) .. 1.0 (white)
  le(scan, argv[1]);  // a bad file ends the program with a one-line report
  const DENSIDADE dpi = densidade(argv[1]);
  const IMGFLT suave = gaussiano(scan, sigma, 'x');  // 'x': the border pixel repeats outwards
  IMGGRY saida(suave.nl(), suave.nc());
  converte(saida, suave);      // 0.0 .. 1.0 back to 0 .. 255
  imp(saida, argv[2], dpi.x);  // keeps the density where the format records one
  std::printf("%d x %d pixels, %g dpi, smoothed with sigma %g\n", saida.nl(), saida.nc(), dpi.x,
              sigma);
  return 0;
}
