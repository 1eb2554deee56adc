// The few file calls whose form differs between Windows (wide paths) and the
// native build (narrow paths in the ANSI code page, UTF-8 there).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace YExcel {

// Creates or truncates the file for binary writing; nullptr on failure.
std::FILE* OpenFileForWriting(const std::u16string& path);

// Moves the write position to an absolute offset (64-bit on both platforms).
bool SeekFile(std::FILE* file, std::uint64_t offset);

bool RemoveFile(const std::u16string& path);

}  // namespace YExcel
