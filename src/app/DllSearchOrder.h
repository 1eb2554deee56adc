// Where the process looks for the DLLs it loads. The installer runs elevated
// from wherever it was saved, typically a downloads folder that other
// programs can write to: a file there named like a system DLL must never be
// loaded in its place.
#pragma once

// Limits the search of every later DLL load that names no full path to the
// system folder, and takes the current folder out of it. Call it before
// anything else of the process runs; DLLs loaded earlier stay as they are.
void RestrictDllSearchToSystemFolder();
