#include "spreadsheet/Cell.h"

#include <utility>

namespace YExcel {

void Cell::SetInteger(std::int32_t value) {
    kind_ = Kind::Integer;
    integer_ = value;
    text_.clear();
}

bool Cell::SetWString(std::u16string text) {
    if (text.size() > MaxTextLength) return false;
    kind_ = Kind::WString;
    integer_ = 0;
    text_ = std::move(text);
    return true;
}

void Cell::Clear() {
    kind_ = Kind::Empty;
    integer_ = 0;
    text_.clear();
}

}  // namespace YExcel
