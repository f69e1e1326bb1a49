#include "modelo.h"

#include "geraperm.h"
#include "perfil.h"

IMGFLT modelo(VETOR<PONTOI2>& posicoes, int semente) {
  geraperm(posicoes, semente);
  IMGFLT m(tamgrade, tamgrade, 0.0f);
  for (int g = 0; g < ngrupos; g++) {
    FLT s = bitgrupo() ? 1.0f : -1.0f;
    poegrupo(m, posicoes, g, s, -s);
  }
  // The data groups depend on the payload, unknown here; only the synchronisation ones stay.
  for (int g = 0; g < ngrdados; g++) poegrupo(m, posicoes, g, 0.0f, 0.0f);
  return m;
}
