// printf-style formatting of the status texts of the text tables (%d, %%,
// %W.Pf), on UTF-16 text. Arguments are used in order; a conversion without
// an argument left is copied as it stands, so a translated text can never
// read past what the caller passed.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace Installation {

using FormatArgument = std::variant<long long, double>;

std::u16string FormatText(const std::u16string& format, const std::vector<FormatArgument>& arguments);

}  // namespace Installation
