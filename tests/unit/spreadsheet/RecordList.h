// Splits a workbook stream into its records and reads shared strings back the
// way a reader must: strings may run on into CONTINUE records, each of which
// then starts with the string's flags byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TestFiles.h"

namespace YExcelTest {

struct Record {
    std::uint16_t code = 0;
    std::size_t offset = 0;  // of the record header in the stream
    std::vector<std::uint8_t> data;
};

// Empty when the stream does not consist of whole records.
inline std::vector<Record> SplitRecords(const std::vector<std::uint8_t>& stream) {
    std::vector<Record> records;
    std::size_t at = 0;
    while (at + 4 <= stream.size()) {
        Record record;
        record.code = U16At(stream, at);
        record.offset = at;
        const std::size_t length = U16At(stream, at + 2);
        if (at + 4 + length > stream.size()) return {};
        record.data.assign(stream.begin() + at + 4, stream.begin() + at + 4 + length);
        records.push_back(std::move(record));
        at += 4 + length;
    }
    return at == stream.size() ? records : std::vector<Record>{};
}

struct SharedStrings {
    std::uint32_t total = 0;
    std::vector<std::u16string> strings;
    std::vector<std::string> problems;
};

// Reads the SST at records[first] and the CONTINUE records after it.
inline SharedStrings ReadSharedStrings(const std::vector<Record>& records, std::size_t first) {
    SharedStrings result;
    std::size_t index = first;
    std::size_t at = 8;
    const auto* data = &records.at(first).data;
    result.total = U32At(*data, 0);
    const std::uint32_t distinct = U32At(*data, 4);
    auto nextRecord = [&]() -> bool {
        if (index + 1 >= records.size() || records[index + 1].code != 0x003C) {
            result.problems.push_back("string runs past the last CONTINUE");
            return false;
        }
        data = &records[++index].data;
        at = 0;
        return true;
    };
    while (result.strings.size() < distinct) {
        if (at == data->size() && !nextRecord()) return result;
        if (at + 3 > data->size()) {
            result.problems.push_back("string header split between records");
            return result;
        }
        const std::size_t length = U16At(*data, at);
        if ((*data)[at + 2] != 1) result.problems.push_back("string is not flagged as UTF-16");
        at += 3;
        std::u16string text;
        while (text.size() < length) {
            if (at == data->size()) {
                if (!nextRecord()) return result;
                if ((*data)[0] != 1) result.problems.push_back("continued string lacks its flags byte");
                at = 1;
            }
            if (at + 2 > data->size()) {
                result.problems.push_back("character split between records");
                return result;
            }
            text += static_cast<char16_t>(U16At(*data, at));
            at += 2;
            const bool pieceEnds = at == data->size() && text.size() < length;
            if (pieceEnds && text.back() >= 0xD800 && text.back() <= 0xDBFF) result.problems.push_back("surrogate pair split");
        }
        result.strings.push_back(std::move(text));
    }
    if (at != data->size()) result.problems.push_back("bytes after the last string");
    return result;
}

}  // namespace YExcelTest
