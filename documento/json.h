// JSON Lines output: one object per line, keys in the order they are added.
#pragma once

#include <string>

// s as a JSON string literal; bytes that are not UTF-8 text are escaped one by one.
std::string aspasjson(const std::string& s);

class OBJETOJSON {
 public:
  OBJETOJSON& texto(const char* chave, const std::string& v) { return campo(chave, aspasjson(v)); }
  OBJETOJSON& numero(const char* chave, double v);
  OBJETOJSON& logico(const char* chave, bool v) { return campo(chave, v ? "true" : "false"); }
  std::string linha() const { return s_ + "}"; }

 private:
  OBJETOJSON& campo(const char* chave, const std::string& v) {
    s_ += (s_.size() > 1 ? "," : "") + aspasjson(chave) + ":" + v;
    return *this;
  }
  std::string s_ = "{";
};
