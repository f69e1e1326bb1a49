// Every processing routine on images without pixels: a clean result or the clear fatal report,
// never a crash.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/imagens.h"
#include "proc/componentes.h"
#include "proc/estatistica.h"
#include "proc/fft.h"
#include "proc/logicos.h"
#include "proc/morphology.h"
#include "proc/reamostragem.h"
#include "proc/rot90.h"
#include "proc/suavizacao.h"
#include "proc/xcorr.h"
#include "vazias.h"

namespace {

TEST(Vazias, CadaRotinaDeProcessamento) {
  for (const VAZIA& v : vazias()) {
    SCOPED_TRACE(v.nome);
    const IMGBIN b(v.nl, v.nc);
    const IMGGRY g(v.nl, v.nc);
    const IMGFLT f(v.nl, v.nc);
    const IMGCPX x(v.nl, v.nc);
    const IMGFLT cheia(4, 4, 0.5f);
    const std::pair<const char*, std::function<void()>> casos[] = {
        {"removepequenos", [&] { removepequenos(b, 3); }},
        {"centrocomp", [&] { centrocomp(b); }},
        {"kminlmax", [&] { kminlmax(f, 4, 2, 1.0); }},
        {"subtraimedia", [&] { subtraimedia(f); }},
        {"normminmax", [&] { normminmax(f); }},
        {"soma escalar", [&] { 2.0 + f; }},
        {"produto escalar", [&] { 2.0 * f; }},
        {"fft2direta", [&] { fft2direta(x, v.nl, v.nc); }},
        {"fft2direta 8x8", [&] { fft2direta(x, 8, 8); }},
        {"fft2inversa", [&] { fft2inversa(x); }},
        {"fft2inversareal", [&] { fft2inversareal(x); }},
        {"xcorr", [&] { xcorr(f, f); }},
        {"xcorr com cheia", [&] { xcorr(f, cheia); }},
        {"xcorrshift", [&] { xcorrshift(x, 2, 2, 3, 3); }},
        {"ou exclusivo", [&] { b ^ b; }},
        {"ou", [&] { b || b; }},
        {"erosao", [&] { erosao(b, 3, 3); }},
        {"dilatacao", [&] { dilatacao(b, 12, 12); }},
        {"reamostra", [&] { reamostra(g, 5, 5); }},
        {"reamostra fator", [&] { reamostra(g, 0.5); }},
        {"rot90", [&] { rot90(f); }},
        {"filtromedia s", [&] { filtromedia(g, 3, 3, 's', 'e'); }},
        {"filtromedia n", [&] { filtromedia(g, 5, 5, 'n', 'x'); }},
        {"convsep", [&] { convsep(f, kernelgauss(1.0), 'x'); }},
        {"gaussiano", [&] { gaussiano(f, 1.5, 'x'); }},
    };
    for (const auto& c : casos) {
      SCOPED_TRACE(c.first);
      EXPECT_TRUE(limpo(desfecho(c.second)));
    }
  }
}

}  // namespace
