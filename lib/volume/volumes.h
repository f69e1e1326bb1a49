// The volume classes: sequences of images (I3D*) and sequences of volumes (I4D*), all of the
// shape of VOLUME (volume/volume.h). Each class adds the file operations of its forms.
#pragma once

#include "volume.h"

class I3DGRY : public VOLUME<IMGGRY, I3DGRY, 3> {
 public:
  static constexpr const char* NOME = "I3DGRY";
  using VOLUME::VOLUME;
  void ImpTga(const char* nome) const;  // numbered grey TGA sequence
  void LeAvi(const char* nome);         // 8-bit film
  void ImpAvi(const char* nome) const;
};

class I3DCOR : public VOLUME<IMGCOR, I3DCOR, 3> {
 public:
  static constexpr const char* NOME = "I3DCOR";
  using VOLUME::VOLUME;
  void ImpTga(const char* nome) const;  // numbered 24-bit TGA sequence
  void LeAvi(const char* nome);         // 24-bit film
  void ImpAvi(const char* nome) const;
};

class I3DSHT : public VOLUME<IMGSHT, I3DSHT, 3> {
 public:
  static constexpr const char* NOME = "I3DSHT";
  using VOLUME::VOLUME;
  void ImpTga(const char* nome) const;  // grey TGA sequence, values held to 0..255
  void LeImg(const char* nome);         // native volume file
  void ImpImg(const char* nome) const;
};

class I3DFLT : public VOLUME<IMGFLT, I3DFLT, 3> {
 public:
  static constexpr const char* NOME = "I3DFLT";
  using VOLUME::VOLUME;
  void ImpTga(const char* nome) const;  // grey TGA sequence, 0..1 mapped to 0..255
  void LeImg(const char* nome);
  void ImpImg(const char* nome) const;
};

class I3DCPX : public VOLUME<IMGCPX, I3DCPX, 3> {
 public:
  static constexpr const char* NOME = "I3DCPX";
  using VOLUME::VOLUME;
  void LeImg(const char* nome);
  void ImpImg(const char* nome) const;
};

class I4DGRY : public VOLUME<I3DGRY, I4DGRY, 4> {
 public:
  static constexpr const char* NOME = "I4DGRY";
  using VOLUME::VOLUME;
};

class I4DSHT : public VOLUME<I3DSHT, I4DSHT, 4> {
 public:
  static constexpr const char* NOME = "I4DSHT";
  using VOLUME::VOLUME;
};

class I4DFLT : public VOLUME<I3DFLT, I4DFLT, 4> {
 public:
  static constexpr const char* NOME = "I4DFLT";
  using VOLUME::VOLUME;
};
