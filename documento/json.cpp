#include "json.h"

#include <cmath>
#include <cstdio>

#include "utf8.h"

namespace {

std::string escape(unsigned v) {
  char b[8];
  std::snprintf(b, sizeof b, "\\u%04x", v);
  return b;
}

}  // namespace

std::string aspasjson(const std::string& s) {
  std::string o = "\"";
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = s[i];
    if (c == '"' || c == '\\')
      o += '\\', o += static_cast<char>(c);
    else if (c == '\n')
      o += "\\n";
    else if (c == '\t')
      o += "\\t";
    else if (c == '\r')
      o += "\\r";
    else if (c < 0x20 || c == 0x7F)
      o += escape(c);
    else if (c < 0x80)
      o += static_cast<char>(c);
    else if (int n = sequenciautf8(s, i)) {
      o.append(s, i, n);
      i += n;
      continue;
    } else
      o += escape(c);  // a stray byte shown as the code point of its value
    i++;
  }
  return o + "\"";
}

OBJETOJSON& OBJETOJSON::numero(const char* chave, double v) {
  if (!std::isfinite(v)) return campo(chave, "null");
  char b[32];
  std::snprintf(b, sizeof b, "%.15g", v);
  return campo(chave, b);
}
