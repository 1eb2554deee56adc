#include "spreadsheet/CompoundFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "spreadsheet/ByteBuffer.h"
#include "spreadsheet/ChainTable.h"
#include "spreadsheet/CompoundFileFormat.h"
#include "spreadsheet/DirectoryEntry.h"
#include "spreadsheet/FileAccess.h"
#include "spreadsheet/OutputFile.h"

namespace YExcel {
namespace {

constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
// Version 3 readers take stream sizes as signed 32-bit numbers.
constexpr std::size_t kMaxStreamSize = 0x7FFFFFFF;
constexpr std::uint32_t kRootEntry = 0;

std::size_t SectorsFor(std::size_t size, std::size_t sectorSize) {
    return (size + sectorSize - 1) / sectorSize;
}

bool IsValidName(const std::u16string& name) {
    if (name.empty() || name.size() > Cfb::MaxNameLength) return false;
    return name.find_first_of(u"/\\:!") == std::u16string::npos;
}

}  // namespace

class CompoundFile::Impl {
public:
    bool Create(const std::u16string& fileName);
    int MakeFile(const std::u16string& path);
    int WriteFile(const std::u16string& path, const std::uint8_t* bytes, std::size_t size);
    bool Close() { return file_.Close(); }

private:
    std::uint32_t FindStream(const std::u16string& name) const;
    int Result() const { return file_.Failed() ? WriteFailed : Success; }

    // Regular sectors.
    void WriteSector(std::uint32_t sector, const std::uint8_t* data, std::size_t size);
    std::uint32_t TakeFreeSector();
    void GrowTable();
    void WriteChain(std::uint32_t& start, const std::uint8_t* data, std::size_t size);

    // Streams under the cutoff live in 64-byte sectors of the mini stream.
    void WriteMiniChain(std::uint32_t& start, const std::uint8_t* data, std::size_t size);
    void SaveMiniStream();

    void SaveStructures();
    void SaveDirectory();
    void SaveTable();
    void SaveHeader();

    OutputFile file_;
    ChainTable table_;
    std::vector<std::uint32_t> tableSectors_;      // in table order
    std::vector<std::uint32_t> extensionSectors_;  // sectors naming table sectors beyond the header's 109
    ChainTable miniTable_;
    std::vector<std::uint8_t> miniStream_;
    std::uint32_t miniTableStart_ = Cfb::EndOfChain;
    std::uint32_t miniTableSectors_ = 0;
    std::vector<DirectoryEntry> entries_;
    std::vector<std::uint32_t> rootChildren_;  // in directory order
    std::uint32_t directoryStart_ = 1;
};

bool CompoundFile::Impl::Create(const std::u16string& fileName) {
    file_.Close();
    if (!file_.Open(fileName)) return false;

    table_.Reset(Cfb::EntriesPerTableSector);
    table_.Set(0, Cfb::TableSector);
    table_.Set(1, Cfb::EndOfChain);
    tableSectors_ = {0};
    extensionSectors_.clear();
    miniTable_.Reset(0);
    miniStream_.clear();
    miniTableStart_ = Cfb::EndOfChain;
    miniTableSectors_ = 0;
    DirectoryEntry root;
    root.name = u"Root Entry";
    root.type = Cfb::RootStorageType;
    entries_ = {root};
    rootChildren_.clear();
    directoryStart_ = 1;

    SaveStructures();
    if (file_.Failed()) {
        // Half an empty container is of no use to anyone.
        file_.Close();
        RemoveFile(fileName);
        return false;
    }
    return true;
}

int CompoundFile::Impl::MakeFile(const std::u16string& path) {
    if (!file_.IsOpen()) return NotOpen;
    const std::u16string name = path.substr(path.rfind(u'/') + 1);
    if (!IsValidName(name)) return BadName;
    if (FindStream(name) != Cfb::NoEntry) return AlreadyExists;

    DirectoryEntry entry;
    entry.name = name;
    entry.type = Cfb::StreamType;
    entries_.push_back(entry);
    const auto index = static_cast<std::uint32_t>(entries_.size() - 1);
    const auto place = std::find_if(rootChildren_.begin(), rootChildren_.end(), [&](std::uint32_t child) {
        return !NameSortsBefore(entries_[child].name, name);
    });
    rootChildren_.insert(place, index);

    SaveStructures();
    return Result();
}

int CompoundFile::Impl::WriteFile(const std::u16string& path, const std::uint8_t* bytes, std::size_t size) {
    if (!file_.IsOpen()) return NotOpen;
    const std::uint32_t index = FindStream(path.substr(path.rfind(u'/') + 1));
    if (index == Cfb::NoEntry) return NotFound;
    if (size > kMaxStreamSize) return TooLarge;

    DirectoryEntry& entry = entries_[index];
    const bool wasMini = entry.size < Cfb::MiniStreamCutoff && entry.start != Cfb::EndOfChain;
    const bool isMini = size < Cfb::MiniStreamCutoff;
    if (wasMini != isMini && entry.start != Cfb::EndOfChain) {
        // Moving between the mini stream and regular sectors: release the old place.
        if (wasMini) {
            WriteMiniChain(entry.start, nullptr, 0);
        } else {
            WriteChain(entry.start, nullptr, 0);
        }
    }
    if (isMini) {
        WriteMiniChain(entry.start, bytes, size);
    } else {
        WriteChain(entry.start, bytes, size);
    }
    if (wasMini || isMini) SaveMiniStream();
    entry.size = static_cast<std::uint32_t>(size);

    SaveStructures();
    return Result();
}

std::uint32_t CompoundFile::Impl::FindStream(const std::u16string& name) const {
    for (std::uint32_t child : rootChildren_) {
        if (entries_[child].name == name) return child;
    }
    return Cfb::NoEntry;
}

void CompoundFile::Impl::WriteSector(std::uint32_t sector, const std::uint8_t* data, std::size_t size) {
    std::uint8_t buffer[Cfb::SectorSize] = {};
    if (size > 0) std::memcpy(buffer, data, size);
    file_.WriteAt((static_cast<std::uint64_t>(sector) + 1) * Cfb::SectorSize, buffer, sizeof buffer);
}

std::uint32_t CompoundFile::Impl::TakeFreeSector() {
    if (auto sector = table_.FirstFree()) return *sector;
    GrowTable();
    return *table_.FirstFree();
}

// The new table sector is the first sector it describes, so it always fits.
// Past the header's 109 slots, every 127 table sectors also need an
// extension sector, which takes the next sector of the same new range.
void CompoundFile::Impl::GrowTable() {
    const auto sector = static_cast<std::uint32_t>(table_.Size());
    table_.Extend();
    table_.Set(sector, Cfb::TableSector);
    tableSectors_.push_back(sector);
    const std::size_t slot = tableSectors_.size() - 1;
    if (slot >= Cfb::HeaderTableSlots && (slot - Cfb::HeaderTableSlots) % Cfb::SlotsPerExtensionSector == 0) {
        table_.Set(sector + 1, Cfb::ExtensionSector);
        extensionSectors_.push_back(sector + 1);
    }
    // Placeholder until the table is saved; keeps the file length right.
    std::uint8_t unused[Cfb::SectorSize];
    std::memset(unused, 0xFF, sizeof unused);
    WriteSector(sector, unused, sizeof unused);
}

void CompoundFile::Impl::WriteChain(std::uint32_t& start, const std::uint8_t* data, std::size_t size) {
    const auto chain = ResizeChain(table_, start, SectorsFor(size, Cfb::SectorSize), [this] { return TakeFreeSector(); });
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const std::size_t offset = i * Cfb::SectorSize;
        WriteSector(chain[i], data + offset, std::min(Cfb::SectorSize, size - offset));
    }
}

void CompoundFile::Impl::WriteMiniChain(std::uint32_t& start, const std::uint8_t* data, std::size_t size) {
    auto takeFree = [this] {
        if (auto sector = miniTable_.FirstFree()) return *sector;
        miniTable_.Extend();
        return *miniTable_.FirstFree();
    };
    const auto chain = ResizeChain(miniTable_, start, SectorsFor(size, Cfb::MiniSectorSize), takeFree);
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const std::size_t at = chain[i] * Cfb::MiniSectorSize;
        if (miniStream_.size() < at + Cfb::MiniSectorSize) miniStream_.resize(at + Cfb::MiniSectorSize);
        const std::size_t offset = i * Cfb::MiniSectorSize;
        const std::size_t count = std::min(Cfb::MiniSectorSize, size - offset);
        std::memcpy(miniStream_.data() + at, data + offset, count);
        std::memset(miniStream_.data() + at + count, 0, Cfb::MiniSectorSize - count);
    }
}

// The mini stream is the root entry's stream; its table is a chain of its own
// named in the header. Both shrink to what is in use and vanish when empty.
void CompoundFile::Impl::SaveMiniStream() {
    const std::size_t used = miniTable_.UsedExtent();
    miniStream_.resize(used * Cfb::MiniSectorSize);
    DirectoryEntry& root = entries_[kRootEntry];
    WriteChain(root.start, miniStream_.data(), miniStream_.size());
    root.size = static_cast<std::uint32_t>(miniStream_.size());

    ByteBuffer table;
    const std::size_t tableSectors = SectorsFor(used, Cfb::EntriesPerTableSector);
    miniTable_.AppendEntries(table, 0, tableSectors * Cfb::EntriesPerTableSector);
    WriteChain(miniTableStart_, table.Data(), table.Size());
    miniTableSectors_ = static_cast<std::uint32_t>(tableSectors);
}

// The directory first: it may take sectors, which the table must then record.
void CompoundFile::Impl::SaveStructures() {
    SaveDirectory();
    SaveTable();
    SaveHeader();
    file_.Flush();
}

void CompoundFile::Impl::SaveDirectory() {
    LinkChildren(entries_, kRootEntry, rootChildren_);
    ByteBuffer directory;
    for (const DirectoryEntry& entry : entries_) entry.AppendTo(directory);
    const std::size_t padded = SectorsFor(directory.Size(), Cfb::SectorSize) * Cfb::SectorSize;
    directory.Fill(0, padded - directory.Size());
    WriteChain(directoryStart_, directory.Data(), directory.Size());
}

void CompoundFile::Impl::SaveTable() {
    for (std::size_t k = 0; k < tableSectors_.size(); ++k) {
        ByteBuffer sector;
        table_.AppendEntries(sector, k * Cfb::EntriesPerTableSector, Cfb::EntriesPerTableSector);
        WriteSector(tableSectors_[k], sector.Data(), sector.Size());
    }
    for (std::size_t j = 0; j < extensionSectors_.size(); ++j) {
        ByteBuffer sector;
        for (std::size_t i = 0; i < Cfb::SlotsPerExtensionSector; ++i) {
            const std::size_t slot = Cfb::HeaderTableSlots + j * Cfb::SlotsPerExtensionSector + i;
            sector.U32(slot < tableSectors_.size() ? tableSectors_[slot] : Cfb::FreeSector);
        }
        sector.U32(j + 1 < extensionSectors_.size() ? extensionSectors_[j + 1] : Cfb::EndOfChain);
        WriteSector(extensionSectors_[j], sector.Data(), sector.Size());
    }
}

void CompoundFile::Impl::SaveHeader() {
    ByteBuffer header;
    for (std::uint8_t byte : kSignature) header.U8(byte);
    header.Fill(0, 16);  // class id
    header.U16(0x003B);  // minor version
    header.U16(3);       // major version
    header.U16(0xFFFE);  // byte order
    header.U16(9);       // sector shift: 512-byte sectors
    header.U32(6);       // mini sector shift: 64-byte mini sectors
    header.U32(0);       // reserved
    header.U32(0);       // directory sectors: always 0 in version 3
    header.U32(static_cast<std::uint32_t>(tableSectors_.size()));
    header.U32(directoryStart_);
    header.U32(0);  // transaction signature
    header.U32(static_cast<std::uint32_t>(Cfb::MiniStreamCutoff));
    header.U32(miniTableStart_);
    header.U32(miniTableSectors_);
    header.U32(extensionSectors_.empty() ? Cfb::EndOfChain : extensionSectors_.front());
    header.U32(static_cast<std::uint32_t>(extensionSectors_.size()));
    for (std::size_t slot = 0; slot < Cfb::HeaderTableSlots; ++slot) {
        header.U32(slot < tableSectors_.size() ? tableSectors_[slot] : Cfb::FreeSector);
    }
    file_.WriteAt(0, header.Data(), header.Size());
}

CompoundFile::CompoundFile() : impl_(std::make_unique<Impl>()) {}
CompoundFile::~CompoundFile() = default;

bool CompoundFile::Create(const std::u16string& fileName) { return impl_->Create(fileName); }
int CompoundFile::MakeFile(const std::u16string& path) { return impl_->MakeFile(path); }
int CompoundFile::WriteFile(const std::u16string& path, const std::uint8_t* bytes, std::size_t size) {
    return impl_->WriteFile(path, bytes, size);
}
bool CompoundFile::Close() { return impl_->Close(); }

}  // namespace YExcel
