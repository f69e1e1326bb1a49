// Generic volume writer: the suffix of the name chooses among the class's forms, and a class
// refuses any other with its message after the file name.
#include <functional>
#include <string>

#include "core/aborta.h"
#include "volume/leimpvol.h"

namespace {

template <class V>
struct DESTINO {
  int codigo;
  void (*imp)(const V& v, const char* nome);
};

template <auto F, class V>
void proprio(const V& v, const char* nome) {
  std::invoke(F, v, nome);
}

// A float volume goes to an 8-bit film through grey (0..1 mapped to 0..255).
void fltparaavi(const I3DFLT& v, const char* nome) {
  I3DGRY g;
  convertevol(g, v);
  g.ImpAvi(nome);
}

template <class V, size_t N>
struct FORMAS {
  DESTINO<V> destinos[N];
  const char* recusa;  // null: the report is the file name alone
};

const FORMAS<I3DGRY, 2> GRY = {
    {{SEM_PONTO, proprio<&I3DGRY::ImpTga>}, {AVI_8BIT, proprio<&I3DGRY::ImpAvi>}},
    " Erro: deve imprimir I3DGRY como seq de TGA (nome sem extensao) ou AVI"};
const FORMAS<I3DCOR, 2> COR_ = {
    {{SEM_PONTO, proprio<&I3DCOR::ImpTga>}, {AVI_8BIT, proprio<&I3DCOR::ImpAvi>}},
    " Erro: deve imprimir I3DCOR como seq de TGA (nome sem extensao) ou AVI"};
const FORMAS<I3DSHT, 2> SHT_ = {
    {{IMG_SHT, proprio<&I3DSHT::ImpImg>}, {SEM_PONTO, proprio<&I3DSHT::ImpTga>}},
    " Erro: deve imprimir I3DSHT como IMG ou seq de TGA (nome sem extensao)"};
const FORMAS<I3DFLT, 3> FLT_ = {
    {{IMG_SHT, proprio<&I3DFLT::ImpImg>},
     {SEM_PONTO, proprio<&I3DFLT::ImpTga>},
     {AVI_8BIT, fltparaavi}},
    " Erro: deve imprimir I3DFLT como IMG ou seq de TGA (nome sem extensao)"};
const FORMAS<I3DCPX, 1> CPX_ = {{{IMG_SHT, proprio<&I3DCPX::ImpImg>}}, nullptr};

template <class V, size_t N>
void impgeral(const V& v, const char* nome, const FORMAS<V, N>& formas) {
  int codigo, numero;
  std::string saida = TipoSuf(nome, codigo, numero);
  for (const DESTINO<V>& d : formas.destinos)
    if (d.codigo == codigo) return d.imp(v, saida.c_str());
  if (formas.recusa) aborta(saida.c_str(), formas.recusa);
  aborta(saida.c_str());
}

}  // namespace

void imp(const I3DGRY& v, const char* nome) { impgeral(v, nome, GRY); }
void imp(const I3DCOR& v, const char* nome) { impgeral(v, nome, COR_); }
void imp(const I3DSHT& v, const char* nome) { impgeral(v, nome, SHT_); }
void imp(const I3DFLT& v, const char* nome) { impgeral(v, nome, FLT_); }
void imp(const I3DCPX& v, const char* nome) { impgeral(v, nome, CPX_); }
