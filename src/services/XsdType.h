// The XML Schema types a SOAP parameter can have, numbered as in the
// runtime's type table ("string" 0, "boolean" 1, ... "gDay" 43). The two
// services use only String, Boolean and Int; the others are not encoded.
#pragma once

#include <cstdint>

namespace Soap {

enum class XsdType : std::uint8_t {
    String, Boolean, Float, Double, Decimal, Duration, HexBinary, Base64Binary, AnyUri, Id, IdRef,
    Entity, Notation, QName, NormalizedString, Token, Language, IdRefs, Entities, NmToken, NmTokens,
    Name, NcName, Integer, NonPositiveInteger, NegativeInteger, Long, Int, Short, Byte,
    NonNegativeInteger, UnsignedLong, UnsignedInt, UnsignedShort, UnsignedByte, PositiveInteger,
    DateTime, Time, Date, GMonth, GYearMonth, GYear, GMonthDay, GDay,
};

static_assert(static_cast<int>(XsdType::Int) == 27 && static_cast<int>(XsdType::GDay) == 43);

}  // namespace Soap
