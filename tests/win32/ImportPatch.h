#pragma once
// Points this program's import of a system function at a stand-in while the
// object lives, so that a test can make the system refuse something without
// the product having a seam for it.

#include "ImportTable.h"

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
        void** slot = nullptr;
        ForEachImport(GetModuleHandleA(nullptr), [&](const char*, const char* name, void** entry) {
            if (!slot && name && std::strcmp(name, function) == 0)
                slot = entry;
        });
        if (slot)
            return slot;
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
