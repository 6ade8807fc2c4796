#pragma once

struct PlumetState;

// Fixes ProgramFolder (the current folder) and LibraryRoot when still empty,
// then makes the library's six folders. Existing folders are left as they
// are; a folder that cannot be made is silently skipped.
void CreateLibraryFolders(PlumetState& state);
