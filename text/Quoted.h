#pragma once

#include <string_view>

#include "text/FormattedText.h"

namespace trelvan {

// The most bytes of the quoted text that are shown.
inline constexpr std::size_t kQuotedShown = 40;

// Two quotes, the bytes shown and "...".
using QuotedText = FormattedText<kQuotedShown + 5>;

// `text` in single quotes for an error message: at most kQuotedShown bytes,
// each byte outside printable ASCII as '?', and "..." when it was cut.
QuotedText FormatQuoted(std::string_view text);

}  // namespace trelvan
