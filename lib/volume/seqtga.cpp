// Numbered TGA sequences: frame q of a volume written to the name followed by q in at least
// three digits and ".tga" (film000.tga, film001.tga, ..., film1000.tga).
#include <cstdio>
#include <string>

#include "volume/volumes.h"

namespace {

void imptga(const IMGGRY& g, const char* nome) { g.imp(nome); }
void imptga(const IMGCOR& c, const char* nome) { c.ImpTga(nome); }
// Frames of other pixel types go through grey by the image conversion rules.
template <class I>
void imptga(const I& img, const char* nome) {
  IMGGRY(img).imp(nome);
}

template <class V>
void impseq(const V& v, const char* nome) {
  for (int q = 0; q < v.nq(); q++) {
    char numero[16];
    std::snprintf(numero, sizeof numero, "%03d.tga", q);
    imptga(v(q), (nome + std::string(numero)).c_str());
  }
}

}  // namespace

void I3DGRY::ImpTga(const char* nome) const { impseq(*this, nome); }
void I3DCOR::ImpTga(const char* nome) const { impseq(*this, nome); }
void I3DSHT::ImpTga(const char* nome) const { impseq(*this, nome); }
void I3DFLT::ImpTga(const char* nome) const { impseq(*this, nome); }
