// Every conversion between the classes and every element-wise operator, on images without
// pixels: a clean result (an image without pixels) or the clear fatal report, never a crash.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/imagens.h"
#include "vazias.h"

namespace {

// Every conversion into D that the library has, from a source of each class.
template <class D, class S>
void converteem(const VAZIA& v) {
  if constexpr (!std::is_same<D, S>::value && converte_direto<D, S>::value) {
    SCOPED_TRACE(std::string(S::NOME) + " -> " + D::NOME);
    EXPECT_TRUE(limpo(desfecho([&] {
      S s(v.nl, v.nc);
      D d(s);
      D a(3, 3);
      a = s;
      if (d.n() != 0 || a.n() != 0) std::abort();
    })));
  }
}

template <class D>
void deTodas(const VAZIA& v) {
  converteem<D, IMGBIN>(v);
  converteem<D, IMGGRY>(v);
  converteem<D, IMGCOR>(v);
  converteem<D, IMGSHT>(v);
  converteem<D, IMGFLT>(v);
  converteem<D, IMGDBL>(v);
  converteem<D, IMGCPX>(v);
}

TEST(Vazias, CadaConversao) {
  for (const VAZIA& v : vazias()) {
    SCOPED_TRACE(v.nome);
    deTodas<IMGBIN>(v);
    deTodas<IMGGRY>(v);
    deTodas<IMGCOR>(v);
    deTodas<IMGSHT>(v);
    deTodas<IMGFLT>(v);
    deTodas<IMGDBL>(v);
    deTodas<IMGCPX>(v);
  }
}

template <class I>
std::vector<std::function<I(const I&, const I&)>> operadores();

template <>
std::vector<std::function<IMGFLT(const IMGFLT&, const IMGFLT&)>> operadores() {
  return {[](auto& a, auto& b) { return a + b; }, [](auto& a, auto& b) { return a - b; },
          [](auto& a, auto& b) { return a * b; }, [](auto& a, auto& b) { return a / b; },
          [](auto& a, auto& b) { return a && b; }, [](auto& a, auto& b) { return a || b; }};
}
template <>
std::vector<std::function<IMGDBL(const IMGDBL&, const IMGDBL&)>> operadores() {
  return {[](auto& a, auto& b) { return a + b; }, [](auto& a, auto& b) { return a - b; },
          [](auto& a, auto& b) { return a * b; }, [](auto& a, auto& b) { return a / b; }};
}
template <>
std::vector<std::function<IMGCPX(const IMGCPX&, const IMGCPX&)>> operadores() {
  return {[](auto& a, auto& b) { return a + b; }, [](auto& a, auto& b) { return a - b; },
          [](auto& a, auto& b) { return a * b; }, [](auto& a, auto& b) { return a / b; }};
}
template <>
std::vector<std::function<IMGGRY(const IMGGRY&, const IMGGRY&)>> operadores() {
  return {[](auto& a, auto& b) { return a && b; }, [](auto& a, auto& b) { return a || b; }};
}
template <>
std::vector<std::function<IMGCOR(const IMGCOR&, const IMGCOR&)>> operadores() {
  return {[](auto& a, auto& b) { return a && b; }, [](auto& a, auto& b) { return a || b; }};
}
template <>
std::vector<std::function<IMGBIN(const IMGBIN&, const IMGBIN&)>> operadores() {
  return {[](auto& a, auto& b) { return a && b; }};
}

// Each operator on two empty images of the same shape, and on an empty and a full one.
template <class I>
void opera(const VAZIA& v) {
  int k = 0;
  for (const auto& op : operadores<I>()) {
    SCOPED_TRACE(std::string(I::NOME) + " operador " + std::to_string(k++));
    EXPECT_TRUE(limpo(desfecho([&] {
      if (op(I(v.nl, v.nc), I(v.nl, v.nc)).n() != 0) std::abort();
    })));
    EXPECT_TRUE(limpo(desfecho([&] { op(I(v.nl, v.nc), I(3, 3)); })));
  }
}

TEST(Vazias, CadaOperador) {
  for (const VAZIA& v : vazias()) {
    SCOPED_TRACE(v.nome);
    opera<IMGBIN>(v);
    opera<IMGGRY>(v);
    opera<IMGCOR>(v);
    opera<IMGFLT>(v);
    opera<IMGDBL>(v);
    opera<IMGCPX>(v);
  }
}

}  // namespace
