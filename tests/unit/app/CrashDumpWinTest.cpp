// The crash dump leaves the machine with whoever the user sends it to: it
// holds a normal minidump (threads, their stacks, modules, the exception)
// and nothing more, no heap, no handles, no data of our own.
#include "app/CrashDump.h"

#include <windows.h>
#include <dbghelp.h>

#include <gtest/gtest.h>

#include <cstring>

#include "common/FileSystem.h"
#include "common/WideText.h"

namespace {

using Common::AsWide;

template <typename T>
T ReadAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    T value{};
    if (offset + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

TEST(CrashDump, HoldsANormalMinidumpAndNothingMore) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::u16string folder = Common::FromWide(temp) + u"corvane-crash-dump-test";
    CreateDirectoryW(AsWide(folder), nullptr);
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(AsWide(folder)));

    CONTEXT context{};
    RtlCaptureContext(&context);
    EXCEPTION_RECORD record{};
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    record.ExceptionAddress = reinterpret_cast<void*>(context.Eip);
    EXCEPTION_POINTERS exception{&record, &context};
    EXPECT_EQ(CrashDumpFilter(&exception), EXCEPTION_CONTINUE_SEARCH);

    const auto dump = Common::ReadWholeFile(folder + u"\\Crash.dump");
    SetCurrentDirectoryW(previous);
    DeleteFileW(AsWide(folder + u"\\Crash.dump"));
    RemoveDirectoryW(AsWide(folder));
    ASSERT_TRUE(dump);

    ASSERT_EQ(std::memcmp(dump->data(), "MDMP", 4), 0);
    const auto header = ReadAt<MINIDUMP_HEADER>(*dump, 0);
    EXPECT_EQ(header.Flags, static_cast<ULONG64>(MiniDumpNormal)) << "the dump type written into the header";
    bool exceptionStream = false;
    for (ULONG32 i = 0; i < header.NumberOfStreams; ++i) {
        const auto entry = ReadAt<MINIDUMP_DIRECTORY>(*dump, header.StreamDirectoryRva + i * sizeof(MINIDUMP_DIRECTORY));
        // Streams that only richer dump types or a caller's own streams add.
        switch (entry.StreamType) {
            case Memory64ListStream:
            case HandleDataStream:
            case MemoryInfoListStream:
            case ThreadInfoListStream:
            case HandleOperationListStream:
            case TokenStream:
                ADD_FAILURE() << "stream type " << entry.StreamType;
                break;
            case ExceptionStream:
                exceptionStream = true;
                break;
            default:
                EXPECT_LE(entry.StreamType, static_cast<ULONG32>(LastReservedStream)) << "a stream of our own";
        }
    }
    EXPECT_TRUE(exceptionStream);
}

}  // namespace
