// Small installer databases made by a test through msi.dll, for cases that
// no package builder writes (a File table with a missing size, no File table).
#pragma once

#include <windows.h>
#include <msiquery.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/WideText.h"
#include "msi/MsiHandle_win.h"

namespace ScratchDatabase {

// Creates the database at `path` and runs the statements in it.
inline bool Create(const std::filesystem::path& path, const std::vector<std::wstring>& statements) {
    std::filesystem::remove(path);
    MSIInstaller::UniqueMsiHandle database;
    if (MsiOpenDatabaseW(path.wstring().c_str(), MSIDBOPEN_CREATE, database.Put()) != ERROR_SUCCESS) return false;
    for (const auto& statement : statements) {
        MSIInstaller::UniqueMsiHandle view;
        if (MsiDatabaseOpenViewW(database.Get(), statement.c_str(), view.Put()) != ERROR_SUCCESS) return false;
        if (MsiViewExecute(view.Get(), 0) != ERROR_SUCCESS) return false;
        MsiViewClose(view.Get());
    }
    return MsiDatabaseCommit(database.Get()) == ERROR_SUCCESS;
}

}  // namespace ScratchDatabase
