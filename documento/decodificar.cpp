// morvia-doc decode: the frame in the bits that plain `morvia v..` wrote, corrected and checked.
#include <cstdio>

#include "comandos.h"
#include "core/vetorbit.h"
#include "io/leimp.h"
#include "opcoes.h"
#include "quadro.h"
#include "resultado.h"

int decodificar(int argc, char** argv) {
  const ARGUMENTOS a = separa(argc, argv, {"--dpi", "--key", "--public-key"}, {"--json"});
  if (a.posicionais.size() != 1) throw ERROUSO{"decode takes one F.vet"};
  const std::string nome = a.posicionais[0];
  const AUTORIA autoria = autoriade(a, true);
  VETORBIT v;
  le(v, nome.c_str());
  // Without --dpi, a file long enough for the 400 dpi frame is taken as one.
  const int dpi = a.tem("--dpi") ? dpidoperfil(a) : v.n() >= 8 * quadrodoperfil(400) ? 400 : 200;
  const int n = quadrodoperfil(dpi);
  // Bytes the file lacks (a misread length header cut the read short) go to the code as
  // erasures.
  std::vector<uint8_t> lido(n, 0);
  std::vector<double> confianca(n, 1.0);
  for (int k = 0; k < n; k++) {
    if (8 * k + 8 > v.n()) confianca[k] = 0;
    for (int b = 0; b < 8 && 8 * k + b < v.n(); b++)
      if (v(8 * k + b)) lido[k] |= static_cast<uint8_t>(0x80 >> b);
  }
  RESULTADO r;
  r.arquivo = nome;
  julga(r, lido, confianca, autoria.selo);
  std::printf("%s\n", (a.tem("--json") ? linhajson(r) : linhadetexto(r)).c_str());
  return statusdos({r});
}
