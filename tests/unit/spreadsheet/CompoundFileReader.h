// A strict reader of the compound files the writer produces, for checking
// them from the outside: header, allocation table (with extension sectors),
// mini table, directory and streams. Any inconsistency is recorded in
// `problems` instead of being worked around.
#pragma once

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "TestFiles.h"

namespace YExcelTest {

struct DirectoryRecord {
    std::u16string name;
    std::uint16_t nameBytes = 0;
    std::uint8_t type = 0;
    std::uint8_t colour = 0;
    std::uint32_t left = 0, right = 0, child = 0, start = 0, size = 0;
};

class CompoundFileReader {
public:
    explicit CompoundFileReader(std::vector<std::uint8_t> file) : file_(std::move(file)) { Parse(); }

    std::vector<std::string> problems;
    std::vector<std::uint32_t> tableSectors;  // from header and extension sectors
    std::vector<std::uint32_t> extensionSectors;
    std::vector<std::uint32_t> table;
    std::vector<std::uint32_t> miniTable;
    std::vector<DirectoryRecord> directory;

    const std::vector<std::uint8_t>& File() const { return file_; }
    std::uint32_t HeaderU32(std::size_t at) const { return U32At(file_, at); }

    std::vector<std::uint32_t> Chain(std::uint32_t start) {
        std::vector<std::uint32_t> chain;
        std::set<std::uint32_t> seen;
        for (std::uint32_t s = start; s != 0xFFFFFFFE; s = table[s]) {
            if (s >= table.size() || !seen.insert(s).second) {
                problems.push_back("broken chain from " + std::to_string(start));
                break;
            }
            chain.push_back(s);
        }
        return chain;
    }

    // The stream of the entry with this name, from regular or mini sectors.
    std::vector<std::uint8_t> Stream(const std::u16string& name) {
        for (const DirectoryRecord& entry : directory) {
            if (entry.name == name && entry.type == 2) return Read(entry);
        }
        problems.push_back("no stream of that name");
        return {};
    }

private:
    std::vector<std::uint8_t> Sector(std::uint32_t s) const {
        const std::size_t at = (static_cast<std::size_t>(s) + 1) * 512;
        if (at + 512 > file_.size()) return std::vector<std::uint8_t>(512, 0);
        return std::vector<std::uint8_t>(file_.begin() + at, file_.begin() + at + 512);
    }

    std::vector<std::uint8_t> ReadChain(std::uint32_t start, std::size_t size) {
        std::vector<std::uint8_t> bytes;
        for (std::uint32_t s : Chain(start)) {
            const auto sector = Sector(s);
            bytes.insert(bytes.end(), sector.begin(), sector.end());
        }
        if (bytes.size() < size || bytes.size() >= size + 512) problems.push_back("chain length does not match size");
        bytes.resize(size);
        return bytes;
    }

    std::vector<std::uint8_t> Read(const DirectoryRecord& entry) {
        if (entry.size >= 4096) return ReadChain(entry.start, entry.size);
        const auto container = ReadChain(directory.at(0).start, directory.at(0).size);
        std::vector<std::uint8_t> bytes;
        std::set<std::uint32_t> seen;
        for (std::uint32_t s = entry.start; s != 0xFFFFFFFE; s = miniTable.at(s)) {
            if (s >= miniTable.size() || !seen.insert(s).second || (s + 1) * 64 > container.size()) {
                problems.push_back("broken mini chain");
                break;
            }
            bytes.insert(bytes.end(), container.begin() + s * 64, container.begin() + (s + 1) * 64);
        }
        if (bytes.size() < entry.size || bytes.size() >= entry.size + 64) problems.push_back("mini chain length does not match size");
        bytes.resize(entry.size);
        return bytes;
    }

    void Parse() {
        if (file_.size() < 512 || file_.size() % 512 != 0) {
            problems.push_back("file length is not whole sectors");
            return;
        }
        const std::vector<std::uint8_t> signature{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
        if (!std::equal(signature.begin(), signature.end(), file_.begin())) problems.push_back("bad signature");
        const std::uint32_t tableCount = U32At(file_, 44);
        for (std::size_t i = 0; i < 109 && tableSectors.size() < tableCount; ++i) tableSectors.push_back(U32At(file_, 76 + 4 * i));
        std::uint32_t next = U32At(file_, 68);
        for (std::uint32_t k = 0; k < U32At(file_, 72); ++k) {
            extensionSectors.push_back(next);
            const auto sector = Sector(next);
            for (std::size_t i = 0; i < 127 && tableSectors.size() < tableCount; ++i) tableSectors.push_back(U32At(sector, 4 * i));
            next = U32At(sector, 508);
        }
        if (next != 0xFFFFFFFE) problems.push_back("extension chain not terminated");
        for (std::uint32_t s : tableSectors) {
            const auto sector = Sector(s);
            for (std::size_t i = 0; i < 128; ++i) table.push_back(U32At(sector, 4 * i));
        }
        for (std::uint32_t s : tableSectors) {
            if (s >= table.size() || table[s] != 0xFFFFFFFD) problems.push_back("table sector not marked");
        }
        for (std::uint32_t s : extensionSectors) {
            if (s >= table.size() || table[s] != 0xFFFFFFFC) problems.push_back("extension sector not marked");
        }
        // Every sector of the file is described, and nothing past its end.
        const std::size_t sectors = file_.size() / 512 - 1;
        for (std::size_t s = 0; s < table.size(); ++s) {
            if (s >= sectors && table[s] != 0xFFFFFFFF) problems.push_back("table names a sector past the end");
        }
        if (table.size() < sectors) problems.push_back("sectors past the table");

        const auto mini = ReadChain(U32At(file_, 60), static_cast<std::size_t>(U32At(file_, 64)) * 512);
        for (std::size_t i = 0; i + 4 <= mini.size(); i += 4) miniTable.push_back(U32At(mini, i));

        for (std::uint32_t s : Chain(U32At(file_, 48))) {
            const auto sector = Sector(s);
            for (std::size_t e = 0; e < 4; ++e) {
                DirectoryRecord entry;
                const std::size_t at = e * 128;
                entry.nameBytes = U16At(sector, at + 64);
                for (std::size_t i = 0; i + 2 < entry.nameBytes && i < 64; i += 2) entry.name += static_cast<char16_t>(U16At(sector, at + i));
                entry.type = sector[at + 66];
                entry.colour = sector[at + 67];
                entry.left = U32At(sector, at + 68);
                entry.right = U32At(sector, at + 72);
                entry.child = U32At(sector, at + 76);
                entry.start = U32At(sector, at + 116);
                entry.size = U32At(sector, at + 120);
                directory.push_back(entry);
            }
        }
    }

    std::vector<std::uint8_t> file_;
};

}  // namespace YExcelTest
