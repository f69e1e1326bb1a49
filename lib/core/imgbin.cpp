#include "core/imgbin.h"

#include <algorithm>
#include <climits>
#include <new>

#include "core/aborta.h"
#include "core/acesso.h"
#include "core/forma.h"

void IMGBIN::aloca(int nl, int nc) {
  const FORMA f = forma(nl, nc);
  nl_ = f.nl;
  nc_ = f.nc;
  lc = (nl_ - 1) / 2;
  cc = (nc_ - 1) / 2;
  backg = true;
  data = nullptr;
  lin = nullptr;
  nwl_ = nw_ = n_ = 0;
  long long n = static_cast<long long>(nl_) * nc_;
  if (n > INT_MAX) aborta("Erro IMGBIN::aloca - falta memoria");
  n_ = static_cast<int>(n);
  if (n_ < 1) return;
  nwl_ = ((nc_ - 1) >> 5) + 1;
  long long nw = static_cast<long long>(nwl_) * nl_;
  if (nw > INT_MAX) aborta("Erro IMGBIN::aloca - falta memoria");
  nw_ = static_cast<int>(nw);
  data = new (std::nothrow) uint32_t[static_cast<size_t>(nw_)];
  lin = data ? new (std::nothrow) uint32_t*[static_cast<size_t>(nl_)] : nullptr;
  if (!data || !lin) aborta("Erro IMGBIN::aloca - falta memoria");
  for (int l = 0; l < nl_; l++) lin[l] = data + static_cast<size_t>(l) * nwl_;
}

void IMGBIN::resize(int nl, int nc) {
  const FORMA f = forma(nl, nc);
  if (f.nl == nl_ && f.nc == nc_) return;
  libera();
  aloca(nl, nc);
}

void IMGBIN::preenche(bool v) { std::fill(data, data + nw_, v ? 0xFFFFFFFFu : 0u); }

IMGBIN::BIT IMGBIN::operator()(int l, int c, int modo) {
  POSICAO p = posicao(modo, l, c, nl_, nc_, lc, cc);
  if (!p.dentro) return BIT(&backg);
  return BIT(lin[p.l] + (p.c >> 5), 0x80000000u >> (p.c & 31));
}

IMGBIN::IMGBIN(const IMGBIN& o) {
  aloca(o.nl_, o.nc_);
  copia(o);
}

IMGBIN& IMGBIN::operator=(const IMGBIN& o) {
  if (this == &o) return *this;
  resize(o.nl_, o.nc_);
  copia(o);
  return *this;
}

IMGBIN& IMGBIN::operator=(IMGBIN&& o) noexcept {
  if (this != &o) {
    libera();
    toma(o);
  }
  return *this;
}

void IMGBIN::libera() {
  delete[] data;
  delete[] lin;
  data = nullptr;
  lin = nullptr;
}

void IMGBIN::copia(const IMGBIN& o) {
  backg = o.backg;
  lc = o.lc;
  cc = o.cc;
  std::copy(o.data, o.data + nw_, data);
}

void IMGBIN::toma(IMGBIN& o) {
  data = o.data;
  lin = o.lin;
  backg = o.backg;
  lc = o.lc;
  cc = o.cc;
  nl_ = o.nl_;
  nc_ = o.nc_;
  n_ = o.n_;
  nwl_ = o.nwl_;
  nw_ = o.nw_;
  o.data = nullptr;
  o.lin = nullptr;
  o.nl_ = o.nc_ = o.n_ = o.nwl_ = o.nw_ = 0;
}

IMGBIN operator&&(const IMGBIN& a, const IMGBIN& b) {
  if (a.nl() != b.nl() || a.nc() != b.nc())
    aborta("Erro IMGBIN::operator&& - As imagens nao tem o mesmo tamanho");
  IMGBIN r(a.nl(), a.nc());
  for (int i = 0; i < r.nw(); i++) r.data[i] = a.data[i] & b.data[i];
  r.backg = a.backg && b.backg;
  return r;
}
