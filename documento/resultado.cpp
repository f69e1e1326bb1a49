#include "resultado.h"

#include <cmath>

#include "carga.h"
#include "json.h"

namespace {

struct MOTIVO {
  const char* relato;  // what the reading pipeline reports, in part
  const char* motivo;  // what the user is told
};

// clang-format off
const MOTIVO MOTIVOS[] = {
    {"auto-corr < mincorr",    "no dot pattern found (the auto-correlation of the dots is too weak)"},
    {"Sincronizacao",          "the dots do not match this seed's layout (no synchronisation)"},
    {"Documento pequeno",      "the page is too small for this profile"},
    {"took too long",          "the page took too long to read"},
};
// clang-format on

}  // namespace

void julga(RESULTADO& r, const std::vector<uint8_t>& lido, const std::vector<double>& confianca,
           const SELO& s) {
  r.prova = nomedaprova(s.prova);
  const DECODIFICACAO d = decodificaquadro(lido, confianca, s);
  if (d.verificado) {
    r.veredito = "verified";
    r.especie = nomedaespecie(d.carga.especie);
    r.carga = mostracarga(d.carga);
    r.corrigidos = d.corrigidos;
    r.motivo.clear();
    return;
  }
  r.veredito = "unverified";
  r.especie = "bits";
  r.bits.clear();
  for (bool b : bitsdoquadro(lido)) r.bits += b ? '1' : '0';
  r.motivo = "bits read but the check failed: more errors than the code corrects, or not a frame";
}

void semmarca(RESULTADO& r, const std::string& relato) {
  r.veredito = "no mark";
  r.especie = "bits";
  r.motivo = relato.empty() ? "the page could not be read" : relato;
  for (const MOTIVO& m : MOTIVOS)
    if (relato.find(m.relato) != std::string::npos) r.motivo = m.motivo;
}

std::string linhadetexto(const RESULTADO& r) {
  std::string s = r.arquivo + ", page " + std::to_string(r.pagina) + ": " + r.veredito;
  if (r.veredito == "verified")
    return s + " (" + std::to_string(r.corrigidos) + " corrected" +
           (r.prova == "none" ? "" : ", keyed: " + r.prova) + "), " + r.especie + ": " + r.carga;
  if (r.veredito == "unverified") return s + " (bits read, check failed): " + r.bits;
  return s + ": " + r.motivo;
}

std::string linhajson(const RESULTADO& r) {
  OBJETOJSON o;
  o.texto("file", r.arquivo).numero("page", r.pagina).texto("verdict", r.veredito);
  if (r.veredito == "verified") o.texto("payload", r.carga);
  if (r.veredito == "unverified") o.texto("bits", r.bits);
  o.texto("kind", r.especie).numero("corrected", r.corrigidos).texto("reason", r.motivo);
  o.numero("scan_dpi", std::round(r.dpiscan)).texto("conditioning", r.condicionamento);
  o.texto("keyed", r.prova);
  return o.linha();
}

int statusdos(const std::vector<RESULTADO>& rs) {
  for (const RESULTADO& r : rs)
    if (r.veredito != "verified") return 2;
  return 0;
}
