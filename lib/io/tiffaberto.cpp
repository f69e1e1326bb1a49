#include "io/tiffaberto.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/aborta.h"

int TIFFABERTO::trata(TIFF*, void* user, const char* modulo, const char* fmt, va_list ap) {
  TIFFABERTO* a = static_cast<TIFFABERTO*>(user);
  if (!a->erro_.empty()) return 1;
  char buf[200];
  std::vsnprintf(buf, sizeof buf, fmt, ap);
  a->erro_ = modulo && *modulo ? std::string(modulo) + ": " + buf : buf;
  return 1;
}

TIFFOpenOptions* TIFFABERTO::opcoes(long long maxaloc) {
  TIFFOpenOptions* o = TIFFOpenOptionsAlloc();
  if (!o) return nullptr;
  TIFFOpenOptionsSetErrorHandlerExtR(o, trata, this);
  TIFFOpenOptionsSetWarningHandlerExtR(o, cala, this);
  if (maxaloc > 0) TIFFOpenOptionsSetMaxSingleMemAlloc(o, static_cast<tmsize_t>(maxaloc));
  return o;
}

TIFFABERTO::TIFFABERTO(const char* nome, const char* modo, long long maxaloc) {
  TIFFOpenOptions* o = opcoes(maxaloc);
  if (!o) return;
  t_ = TIFFOpenExt(nome, modo, o);
  TIFFOpenOptionsFree(o);
}

namespace {

typedef TIFFABERTO::MEMORIA MEMORIA;

tmsize_t lemem(thandle_t h, void* p, tmsize_t n) {
  MEMORIA* m = static_cast<MEMORIA*>(h);
  size_t k = std::min(static_cast<size_t>(n), m->n - m->pos);
  std::memcpy(p, m->dados + m->pos, k);
  m->pos += k;
  return static_cast<tmsize_t>(k);
}
tmsize_t escrevemem(thandle_t, void*, tmsize_t) { return -1; }
toff_t buscamem(thandle_t h, toff_t off, int de) {
  MEMORIA* m = static_cast<MEMORIA*>(h);
  long long base = de == SEEK_SET   ? 0
                   : de == SEEK_CUR ? static_cast<long long>(m->pos)
                                    : static_cast<long long>(m->n);
  long long p = base + static_cast<long long>(off);
  if (p < 0) return static_cast<toff_t>(-1);
  m->pos = std::min(static_cast<size_t>(p), m->n);
  return static_cast<toff_t>(p);
}
int fechamem(thandle_t) { return 0; }
toff_t tamanhomem(thandle_t h) { return static_cast<MEMORIA*>(h)->n; }
int mapeiamem(thandle_t, void**, toff_t*) { return 0; }
void desmapeiamem(thandle_t, void*, toff_t) {}

}  // namespace

TIFFABERTO::TIFFABERTO(const unsigned char* dados, size_t n, long long maxaloc) {
  mem_ = {dados, n, 0};
  TIFFOpenOptions* o = opcoes(maxaloc);
  if (!o) return;
  t_ = TIFFClientOpenExt("memoria", "rm", &mem_, lemem, escrevemem, buscamem, fechamem, tamanhomem,
                         mapeiamem, desmapeiamem, o);
  TIFFOpenOptionsFree(o);
}

TIFFABERTO::~TIFFABERTO() {
  if (t_) TIFFClose(t_);
}

bool TIFFABERTO::fecha() {
  if (!t_) return false;
  bool ok = TIFFFlush(t_) != 0;
  TIFFClose(t_);
  t_ = nullptr;
  return ok && erro_.empty();
}

void TIFFABERTO::aborta(const char* prefixo, const char* nome) const {
  std::string m = prefixo;
  if (!erro_.empty()) m += " (" + erro_ + ")";
  ::aborta(m.c_str(), nome);
}
