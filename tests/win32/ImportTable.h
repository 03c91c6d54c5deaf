#pragma once
// The walk through a program's import table, shared by the tests that make
// Windows refuse a call, the refusal harness and the test that reads what
// the program file imports. Needs nothing but windows.h.

#include <windows.h>

// Calls visit(library, function, entry) for each import of an image whose
// relative addresses at(rva) turns into pointers: function is nullptr for
// an import by ordinal, entry its slot in the import address table.
template <class At, class Visit> void ForEachImportIn(At at, Visit visit) {
    const auto& dos = *static_cast<const IMAGE_DOS_HEADER*>(at(0));
    const auto& nt = *static_cast<const IMAGE_NT_HEADERS*>(at(dos.e_lfanew));
    const IMAGE_DATA_DIRECTORY& directory =
        nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* imports = static_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(directory.VirtualAddress));
         imports->Name; ++imports) {
        const auto* library = static_cast<const char*>(at(imports->Name));
        auto* names = static_cast<const IMAGE_THUNK_DATA*>(at(imports->OriginalFirstThunk));
        auto* entries = static_cast<void**>(at(imports->FirstThunk));
        for (; names->u1.AddressOfData; ++names, ++entries) {
            const char* function = nullptr;
            if (!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                function = reinterpret_cast<const char*>(
                    static_cast<const IMAGE_IMPORT_BY_NAME*>(
                        at(static_cast<DWORD>(names->u1.AddressOfData)))
                        ->Name);
            visit(library, function, entries);
        }
    }
}

// The same for a module loaded in this process.
template <class Visit> void ForEachImport(HMODULE module, Visit visit) {
    auto* base = reinterpret_cast<BYTE*>(module);
    ForEachImportIn([base](DWORD rva) -> void* { return base + rva; }, visit);
}
