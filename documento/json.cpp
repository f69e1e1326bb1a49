#include "json.h"

#include <cmath>
#include <cstdio>

namespace {

// Length of the well-formed UTF-8 sequence at s[i] of 2 to 4 bytes, 0 when there is none.
int multibyte(const std::string& s, size_t i) {
  const unsigned char c = s[i];
  const int n = c >= 0xF0 && c <= 0xF4   ? 4
                : (c & 0xF0) == 0xE0     ? 3
                : c >= 0xC2 && c <= 0xDF ? 2
                                         : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (int k = 1; k < n; k++)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
  return n;
}

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
    else if (int n = multibyte(s, i)) {
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
