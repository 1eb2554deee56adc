// Where the process looks for the DLLs it loads. The installer runs elevated
// from wherever it was saved, typically a downloads folder that other
// programs can write to: a file there named like a system DLL must never be
// loaded in its place.
#pragma once

// Limits the search of every later DLL load that names no full path to the
// system folder, and takes the current folder out of it. Call it before
// anything else of the process runs; DLLs loaded earlier stay as they are.
void RestrictDllSearchToSystemFolder();

// Loads, by their full path in the system folder, the DLLs that system DLLs
// load for themselves (image codecs, shell property and theme helpers, crypto
// and network helpers). Where the search cannot be limited (Windows 7 without
// its loader update) or a system DLL searches on its own terms, a DLL already
// loaded is the one used, whatever lies beside the installer. Call it right
// after RestrictDllSearchToSystemFolder.
void PreloadIndirectSystemDlls();
