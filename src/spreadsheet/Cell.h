// One cell of a worksheet grid: empty, a 32-bit integer or a UTF-16 text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace YExcel {

class Cell {
public:
    enum class Kind { Empty, Integer, WString };

    // The longest text a cell can hold, in UTF-16 code units: the limit of an
    // Excel cell, and safely below the 16-bit length field of a shared string.
    static constexpr std::size_t MaxTextLength = 32767;

    Kind GetKind() const { return kind_; }
    bool IsEmpty() const { return kind_ == Kind::Empty; }

    void SetInteger(std::int32_t value);
    // False (and the cell keeps its content) when the text is longer than
    // MaxTextLength.
    bool SetWString(std::u16string text);
    void Clear();

    // The value of the cell's kind; 0 or an empty text for other kinds.
    std::int32_t GetInteger() const { return kind_ == Kind::Integer ? integer_ : 0; }
    const std::u16string& GetWString() const { return text_; }

private:
    Kind kind_ = Kind::Empty;
    std::int32_t integer_ = 0;
    std::u16string text_;
};

}  // namespace YExcel
