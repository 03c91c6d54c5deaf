#pragma once
// Points this program's import of a system function at a stand-in while the
// object lives, so that a test can make the system refuse something without
// the product having a seam for it.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

template <class Function> class ImportPatch {
  public:
    ImportPatch(const char* function, Function standIn)
        : slot_(ImportSlot(function)), original_(reinterpret_cast<Function>(*slot_)) {
        Point(reinterpret_cast<void*>(standIn));
    }
    ~ImportPatch() { Point(reinterpret_cast<void*>(original_)); }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    Function Original() const { return original_; }

  private:
    // The import address entry of the named function in this program.
    static void** ImportSlot(const char* function) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* library =
                 reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             library->Name; ++library) {
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
            auto* slots = reinterpret_cast<void**>(base + library->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                    continue;
                auto* byName =
                    reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                    return slots;
            }
        }
        ADD_FAILURE() << "no import of " << function;
        static void* none = nullptr;
        return &none;
    }

    void Point(void* target) {
        DWORD protection;
        ASSERT_TRUE(VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection));
        *slot_ = target;
        VirtualProtect(slot_, sizeof *slot_, protection, &protection);
    }

    void** slot_;
    Function original_;
};
