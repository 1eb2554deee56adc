// The installer is saved into a downloads folder and started elevated from
// there. DLLs that someone put into that folder under the names of system
// DLLs must never be loaded: the installer imports at load time only DLLs that
// Windows always takes from the system folder (its known DLLs), loads the
// rest after its start-up has limited the search to the system folder, and
// loads early by full path those that system DLLs load for themselves. A decoy
// of every DLL a traced run loads (loaded-dlls.txt, made by
// tools/trace-loaded-dlls) is planted beside a copy of the installer.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "common/WideText.h"
#include "common/WinHandles.h"
#include "packages/TestPackages.h"

namespace {

using Common::AsWide;

// The lines of a list file of the test's source folder, without comments.
std::vector<std::string> ListLines(const char* path) {
    std::vector<std::string> lines;
    const auto text = Common::ReadWholeFile(TestPackages::WindowsPath(path));
    if (!text) return lines;
    std::string line;
    const auto endLine = [&] {
        if (!line.empty() && line[0] != '#') lines.push_back(line);
        line.clear();
    };
    for (const char c : *text) {
        if (c == '\n') {
            endLine();
        } else if (c != '\r') {
            line += c;
        }
    }
    endLine();
    return lines;
}

// The DLLs of dlls-not-planted.txt whose reason is `reason` ("known": a known
// DLL of every Windows from 7 on; "wine": loaded by Wine for its own DLLs).
std::set<std::string> NotPlanted(const std::string& reason) {
    std::set<std::string> names;
    for (const auto& line : ListLines(CORVANE_DLLS_NOT_PLANTED)) {
        if (line.compare(0, reason.size() + 1, reason + " ") == 0) names.insert(line.substr(reason.size() + 1));
    }
    return names;
}

const std::set<std::string>& KnownDlls() {
    static const std::set<std::string> names = NotPlanted("known");
    return names;
}

// The DLLs a traced run of the installer loads (see tools/trace-loaded-dlls),
// less those of dlls-not-planted.txt: a decoy of each is planted.
std::vector<std::string> PlantedNames() {
    const auto known = KnownDlls();
    const auto wineOwn = NotPlanted("wine");
    std::vector<std::string> names;
    for (const auto& name : ListLines(CORVANE_LOADED_DLLS)) {
        if (known.count(name) == 0 && wineOwn.count(name) == 0) names.push_back(name);
    }
    return names;
}

const std::vector<std::string>& Planted() {
    static const std::vector<std::string> names = PlantedNames();
    return names;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The DLL names of a 32-bit image's import directory, lower-cased.
std::vector<std::string> ImportedDlls(const std::vector<std::uint8_t>& image) {
    const auto fits = [&](std::size_t offset, std::size_t size) { return offset + size <= image.size(); };
    std::vector<std::string> names;
    if (!fits(0, sizeof(IMAGE_DOS_HEADER))) return names;
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    if (!fits(dos->e_lfanew, sizeof(IMAGE_NT_HEADERS32))) return names;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(image.data() + dos->e_lfanew);
    const auto* sections = IMAGE_FIRST_SECTION(nt);
    const auto offsetOf = [&](DWORD rva) -> std::size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const auto& section = sections[i];
            const DWORD size = std::max(section.SizeOfRawData, section.Misc.VirtualSize);
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + size) {
                return section.PointerToRawData + (rva - section.VirtualAddress);
            }
        }
        return image.size();
    };
    const auto& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (std::size_t at = offsetOf(directory.VirtualAddress); fits(at, sizeof(IMAGE_IMPORT_DESCRIPTOR));
         at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto* descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image.data() + at);
        if (descriptor->Name == 0) break;
        const std::size_t name = offsetOf(descriptor->Name);
        if (!fits(name, 1)) break;
        const auto* text = reinterpret_cast<const char*>(image.data() + name);
        names.push_back(Lower(std::string(text, strnlen(text, image.size() - name))));
    }
    return names;
}

// Tells Wine to prefer a DLL file over its built-in DLL for the planted names
// in the programs of the test, so that a planted file, once searched, is what
// gets loaded. Wine reads this per program from its AppDefaults key.
class PreferPlantedDlls {
public:
    explicit PreferPlantedDlls(std::vector<std::u16string> programs) : programs_(std::move(programs)) {
        for (const auto& program : programs_) {
            Common::UniqueKey key;
            RegCreateKeyExW(HKEY_CURRENT_USER, AsWide(Key(program)), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(),
                            nullptr);
            for (const auto& name : Planted()) {
                const std::u16string module = Common::FromAnsi(name.substr(0, name.size() - 4));
                RegSetValueExW(key.Get(), AsWide(module), 0, REG_SZ, reinterpret_cast<const BYTE*>(L"native,builtin"),
                               sizeof(L"native,builtin"));
            }
        }
    }
    ~PreferPlantedDlls() {
        for (const auto& program : programs_) RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(Key(program)));
    }
    PreferPlantedDlls(const PreferPlantedDlls&) = delete;
    PreferPlantedDlls& operator=(const PreferPlantedDlls&) = delete;

private:
    static std::u16string Key(const std::u16string& program) {
        return u"Software\\Wine\\AppDefaults\\" + program + u"\\DllOverrides";
    }
    std::vector<std::u16string> programs_;
};

class DllPlanting : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = Common::FromWide(temp) + u"corvane-planting-" + Common::FromAnsi(std::to_string(GetCurrentProcessId()));
        CreateDirectoryW(AsWide(folder), nullptr);
        installer = folder + u"\\CorvaneInstaller.exe";
        ASSERT_TRUE(CopyFileW(AsWide(TestPackages::WindowsPath(CORVANE_INSTALLER_EXE)), AsWide(installer), FALSE));
        ASSERT_GT(Planted().size(), 10u) << "the list of traced DLLs is missing or nearly empty";
        for (const auto& name : Planted()) {
            const std::u16string planted = folder + u"\\" + Common::FromAnsi(name);
            ASSERT_TRUE(CopyFileW(AsWide(TestPackages::WindowsPath(CORVANE_PLANTED_DLL)), AsWide(planted), FALSE));
        }
    }

    void TearDown() override {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW(AsWide(folder + u"\\*"), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    DeleteFileW(AsWide(folder + u"\\" + Common::FromWide(found.cFileName)));
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(AsWide(folder));
    }

    // Starts a program of the folder with the folder as its current folder.
    Common::UniqueHandle Start(const std::u16string& program, const std::u16string& arguments) {
        std::u16string commandLine = u"\"" + folder + u"\\" + program + u"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, reinterpret_cast<wchar_t*>(commandLine.data()), nullptr, nullptr, FALSE,
                            0, nullptr, AsWide(folder), &startup, &process)) {
            ADD_FAILURE() << "cannot start " << Common::ToAnsi(program) << ": " << GetLastError();
            return {};
        }
        CloseHandle(process.hThread);
        return Common::UniqueHandle(process.hProcess);
    }

    // The exit code of a run that ends by itself.
    DWORD Run(const std::u16string& program, const std::u16string& arguments) {
        const auto process = Start(program, arguments);
        if (!process) return ~DWORD{0};
        if (WaitForSingleObject(process.Get(), 120000) != WAIT_OBJECT_0) {
            TerminateProcess(process.Get(), 1);
            ADD_FAILURE() << Common::ToAnsi(program) << " did not end";
        }
        DWORD code = 0;
        GetExitCodeProcess(process.Get(), &code);
        return code;
    }

    std::vector<std::string> LoadedPlantedDlls() const {
        std::vector<std::string> loaded;
        for (const auto& name : Planted()) {
            if (Exists(folder + u"\\" + Common::FromAnsi(name) + u".loaded")) loaded.push_back(name);
        }
        return loaded;
    }

    static bool Exists(const std::u16string& path) {
        return GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES;
    }

    PreferPlantedDlls preferPlanted{{u"CorvaneInstaller.exe", u"partner.exe"}};
    std::u16string folder;
    std::u16string installer;
};

struct WindowSearch {
    DWORD processId;
    bool found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) search->found = true;
    return !search->found;
}

bool WaitForWindow(HANDLE process, DWORD milliseconds) {
    WindowSearch search{GetProcessId(process), false};
    for (DWORD waited = 0; waited < milliseconds; waited += 250) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found || WaitForSingleObject(process, 250) == WAIT_OBJECT_0) break;
    }
    return search.found;
}

TEST(DllImports, TheInstallerImportsOnlyKnownDllsAtLoadTime) {
    const auto image = Common::ReadWholeFile(TestPackages::WindowsPath(CORVANE_INSTALLER_EXE));
    ASSERT_TRUE(image);
    const auto imported = ImportedDlls(*image);
    ASSERT_FALSE(imported.empty());
    ASSERT_GT(KnownDlls().size(), 10u) << "the list of known DLLs is missing or nearly empty";
    for (const auto& name : imported) EXPECT_EQ(KnownDlls().count(name), 1u) << name << " is imported at load time";
}

TEST_F(DllPlanting, ToolModesLoadNothingFromTheInstallersFolder) {
    EXPECT_EQ(Run(u"CorvaneInstaller.exe", u"-export texts.xls"), 0u);
    EXPECT_TRUE(Exists(folder + u"\\texts.xls"));
    EXPECT_EQ(Run(u"CorvaneInstaller.exe", u"-build partner.exe WID=7"), 0u);
    EXPECT_TRUE(Exists(folder + u"\\partner.exe"));
    EXPECT_EQ(LoadedPlantedDlls(), std::vector<std::string>{});
}

TEST_F(DllPlanting, TheWizardLoadsNothingFromTheInstallersFolder) {
    // A configured version keeps the start from asking the update service.
    ASSERT_EQ(Run(u"CorvaneInstaller.exe", u"-build partner.exe DOWNLOAD_MSI_VERSION=1.0.0.0"), 0u);
    const auto wizard = Start(u"partner.exe", u"");
    ASSERT_TRUE(wizard);
    const bool shown = WaitForWindow(wizard.Get(), 90000);
    // Left running a while, as in the trace, so that the work its start sets
    // off in the background loads its DLLs too.
    WaitForSingleObject(wizard.Get(), 5000);
    TerminateProcess(wizard.Get(), 0);
    WaitForSingleObject(wizard.Get(), 30000);
    EXPECT_TRUE(shown);
    EXPECT_EQ(LoadedPlantedDlls(), std::vector<std::string>{});
}

}  // namespace
