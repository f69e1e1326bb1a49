// The seven image classes. Six share the shape of IMAGEM (core/imagem.h); IMGBIN is bit-packed.
// Each class adds the file operations of its formats (defined under io/).
#pragma once

#include "imagem.h"
#include "imgbin.h"

class IMGGRY : public IMAGEM<BYTE, IMGGRY> {
 public:
  static constexpr const char* NOME = "IMGGRY";
  using IMAGEM::IMAGEM;
  using IMAGEM::operator=;
  void LeTga(const char* nome);   // grey TGA
  void LeTgaI(const char* nome);  // palette TGA, keeping the indices
  void LeTgaP(const char* nome);  // palette TGA, mapped to grey
  void imp(const char* nome) const;  // grey TGA writer
  void LeTxt(const char* nome);
  void ImpTxt(const char* nome) const;
  void LeJpg(const char* nome);
  void ImpJpg(const char* nome, int qualidade) const;
};

class IMGCOR : public IMAGEM<COR, IMGCOR> {
 public:
  static constexpr const char* NOME = "IMGCOR";
  using IMAGEM::IMAGEM;
  using IMAGEM::operator=;
  void LeTga(const char* nome);   // 24-bit TGA
  void LeTgaP(const char* nome);  // palette TGA, mapped to colour
  void ImpTga(const char* nome) const;
  void LeTxt(const char* nome);
  void ImpTxt(const char* nome) const;
  void LeJpg(const char* nome);
  void ImpJpg(const char* nome, int qualidade) const;
};

class IMGSHT : public IMAGEM<SHT, IMGSHT> {
 public:
  static constexpr const char* NOME = "IMGSHT";
  using IMAGEM::IMAGEM;
  using IMAGEM::operator=;
  void LeTxt(const char* nome);
  void ImpTxt(const char* nome) const;
  void LeImg(const char* nome);
  void ImpImg(const char* nome) const;
};

class IMGFLT : public IMAGEM<FLT, IMGFLT> {
 public:
  static constexpr const char* NOME = "IMGFLT";
  using IMAGEM::IMAGEM;
  using IMAGEM::operator=;
  void LeTxt(const char* nome);
  void ImpTxt(const char* nome) const;
  void LeImg(const char* nome);
  void ImpImg(const char* nome) const;
};

class IMGDBL : public IMAGEM<double, IMGDBL> {
 public:
  static constexpr const char* NOME = "IMGDBL";
  using IMAGEM::IMAGEM;
  using IMAGEM::operator=;
  void LeTxt(const char* nome);
  void ImpTxt(const char* nome) const;
  void LeImg(const char* nome);
  void ImpImg(const char* nome) const;
};

class IMGCPX : public IMAGEM<CPXF, IMGCPX> {
 public:
  static constexpr const char* NOME = "IMGCPX";
  using IMAGEM::IMAGEM;
  using IMAGEM::operator=;
  void LeTxt(const char* nome);
  void ImpTxt(const char* nome) const;
  void LeImg(const char* nome);
  void ImpImg(const char* nome) const;
};

#include "operadores.h"
