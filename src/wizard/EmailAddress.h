// The contact page's check of an e-mail address. The address is matched in
// one pass over its text, so any text a user can type is answered at once.
#pragma once

#include <string>
#include <string_view>

namespace Wizard {

// The address as typed with every white-space character removed (" jo @ x.org"
// gives "jo@x.org").
std::string WithoutWhiteSpace(std::string_view text);

// Whether the whole text is an address of the accepted form:
//   local "@" domain "." suffix
// local: one or more of the letters, digits and ! # $ % & ' * + , - . / = ? ^
//        _ ` { | } ~, ending with a letter or digit;
// domain: runs of letters and digits joined by single "." or "-";
// suffix: 2 to 6 letters or digits.
// Only ASCII letters and digits count; any other byte makes it invalid.
bool IsValidEmailAddress(std::string_view address);

}  // namespace Wizard
