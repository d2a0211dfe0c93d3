// Libraries of the system folder loaded at run time. Norvex runs as administrator: a library found by the ordinary
// search order could come from the program's folder or the current folder, where someone else may have put one of
// the same name.
#pragma once

#include <windows.h>

namespace platform {

// The library of that name from the system folder; null when it cannot be loaded. It stays loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The same by the full path in the system folder: what LoadSystemLibrary does on a system whose loader does not know
// LOAD_LIBRARY_SEARCH_SYSTEM32 (Windows 7 without its loader update).
HMODULE LoadSystemLibraryByPath(const wchar_t* name);

// A function of a library of the system folder; null when the library or the function is missing.
template <typename Function> Function SystemLibraryFunction(const wchar_t* library, const char* name) {
    HMODULE module = LoadSystemLibrary(library);
    return module == nullptr ? nullptr
                             : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace platform
