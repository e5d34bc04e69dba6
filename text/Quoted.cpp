#include "text/Quoted.h"

namespace trelvan {

QuotedText FormatQuoted(std::string_view text) {
  QuotedText quoted;
  char* p = quoted.bytes;
  *p++ = '\'';
  for (std::size_t i = 0; i < text.size() && i < kQuotedShown; ++i) {
    const char c = text[i];
    *p++ = (c >= ' ' && c <= '~') ? c : '?';
  }
  if (text.size() > kQuotedShown) {
    for (int i = 0; i < 3; ++i) *p++ = '.';
  }
  *p++ = '\'';
  quoted.size = static_cast<std::size_t>(p - quoted.bytes);
  return quoted;
}

}  // namespace trelvan
