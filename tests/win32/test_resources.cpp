// The resources of the built program file, read the way Windows reads them:
// the screen-saver host (description, string 1, icon), Explorer's properties
// page (version record) and the loader (manifest). QUORBEL_SCR_PATH names
// the built Quorbel.scr; it is loaded as a data file, so nothing of it runs.

#include "ImportTable.h"
#include "framework/WideText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <regex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// The file is read with the resource functions for byte names: the RT_*
// types as such names too.
#undef MAKEINTRESOURCE
#define MAKEINTRESOURCE MAKEINTRESOURCEA

#ifndef QUORBEL_SCR_PATH
#error "QUORBEL_SCR_PATH must name the built program file"
#endif

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr WORD German = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);

// The string part of the version record, in the order Explorer lists it.
const std::vector<std::pair<std::string, std::string>> VersionStrings = {
    {"CompanyName", "Velkor"},
    {"FileDescription", "Velkor Quorbel"},
    {"FileVersion", "2.2.0.0"},
    {"InternalName", "Quorbel"},
    {"LegalCopyright", "Copyright © 2026 Velkor"},
    {"LegalTrademarks", ""},
    {"OriginalFilename", "Quorbel.scr"},
    {"ProductName", "Velkor Quorbel"},
    {"ProductVersion", "2.2.0.0"},
    {"Comments", "https://www.example.com/quorbel/"},
};

// Version records store UTF-16.
std::u16string Widen(const std::string& text) {
    return ToUtf16(text);
}

// A text of the ANSI code page in UTF-8.
std::string FromAnsi(const char* text) {
    wchar_t wide[256] = L"";
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 256);
    return Narrow(wide);
}

// Enumeration callbacks: the 32-bit API calls them as stdcall, which a
// lambda cannot be.
BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR list) {
    reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
    return TRUE;
}

BOOL CALLBACK AddName(HMODULE, LPCSTR, LPSTR name, LONG_PTR list) {
    auto* names = reinterpret_cast<std::vector<std::string>*>(list);
    if (IS_INTRESOURCE(name))
        names->push_back("#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)));
    else
        names->push_back(name);
    return TRUE;
}

class ProgramFile : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        module = LoadLibraryExA(QUORBEL_SCR_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        if (module)
            FreeLibrary(module);
        module = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(module, nullptr)
            << "cannot load " << QUORBEL_SCR_PATH << ", error " << GetLastError();
    }

    // The bytes of one resource in whatever language it has; empty if absent.
    static Bytes Resource(LPCSTR type, LPCSTR name) {
        HRSRC info = FindResourceA(module, name, type);
        if (!info)
            return {};
        HGLOBAL handle = LoadResource(module, info);
        const auto* data = static_cast<const std::uint8_t*>(LockResource(handle));
        if (!data)
            return {};
        return Bytes(data, data + SizeofResource(module, info));
    }

    static std::vector<WORD> Languages(LPCSTR type, LPCSTR name) {
        std::vector<WORD> found;
        EnumResourceLanguagesA(module, type, name, AddLanguage, reinterpret_cast<LONG_PTR>(&found));
        return found;
    }

    // Names come as text, IDs as "#n", in the order the file stores them.
    static std::vector<std::string> Names(LPCSTR type) {
        std::vector<std::string> found;
        EnumResourceNamesA(module, type, AddName, reinterpret_cast<LONG_PTR>(&found));
        return found;
    }

    static HMODULE module;
};

HMODULE ProgramFile::module = nullptr;

std::uint16_t Word(const Bytes& data, std::size_t at) {
    return static_cast<std::uint16_t>(data.at(at) | data.at(at + 1) << 8);
}

std::uint32_t Dword(const Bytes& data, std::size_t at) {
    return Word(data, at) | static_cast<std::uint32_t>(Word(data, at + 2)) << 16;
}

// --- Description --------------------------------------------------------------

TEST_F(ProgramFile, DescriptionIsTheUtf16NameWithOneTerminator) {
    Bytes expected;
    for (char16_t c : std::u16string(u"CRNSAVE:Quorbel") + u'\0') {
        expected.push_back(static_cast<std::uint8_t>(c & 0xFF));
        expected.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    EXPECT_EQ(Resource(RT_RCDATA, "DESCRIPTION"), expected);
}

TEST_F(ProgramFile, StringOneIsTheNameInTheScreenSaverList) {
    char text[64] = {};
    EXPECT_EQ(LoadStringA(module, 1, text, sizeof text), 7);
    EXPECT_STREQ(text, "Quorbel");
}

// --- Version record: through the version API -----------------------------------

class VersionRecord : public ProgramFile {
  protected:
    void SetUp() override {
        ProgramFile::SetUp();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(QUORBEL_SCR_PATH, &ignored);
        ASSERT_GT(size, 0u);
        buffer.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(QUORBEL_SCR_PATH, 0, size, buffer.data()));
    }

    // The value under path and its length as VerQueryValueA reports it.
    std::pair<const void*, UINT> Query(const std::string& path) {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(buffer.data(), path.c_str(), &value, &length))
            return {nullptr, 0};
        return {value, length};
    }

    Bytes buffer;
};

TEST_F(VersionRecord, IsOneGermanResource) {
    EXPECT_EQ(Names(RT_VERSION), std::vector<std::string>{"#1"});
    EXPECT_EQ(Languages(RT_VERSION, MAKEINTRESOURCEA(1)), std::vector<WORD>{German});
}

TEST_F(VersionRecord, FixedPartNamesVersion22ForAWindowsApplication) {
    const auto [value, length] = Query("\\");
    ASSERT_NE(value, nullptr);
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, value, sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00020002u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00020002u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0u);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS, 0u);
    EXPECT_EQ(fixed.dwFileDateLS, 0u);
}

TEST_F(VersionRecord, OnlyTranslationIsGermanInWindows1252) {
    const auto [value, length] = Query("\\VarFileInfo\\Translation");
    ASSERT_NE(value, nullptr);
    ASSERT_EQ(length, 4u);
    const auto* words = static_cast<const std::uint16_t*>(value);
    EXPECT_EQ(words[0], 0x0407);
    EXPECT_EQ(words[1], 0x04E4);
}

TEST_F(VersionRecord, EachStringReadsBackInTheAnsiCodePage) {
    // The copyright sign only survives the conversion in code page 1252,
    // which the German settings of the test prefix give.
    ASSERT_EQ(GetACP(), 1252u);
    for (const auto& [key, expected] : VersionStrings) {
        const auto [value, length] = Query("\\StringFileInfo\\040704E4\\" + key);
        ASSERT_NE(value, nullptr) << key;
        // An empty value may come back with length 0 or as a lone NUL.
        const std::string text = length ? FromAnsi(static_cast<const char*>(value)) : "";
        EXPECT_EQ(text, expected) << key;
    }
}

// --- Version record: the raw structure -----------------------------------------

// One node of a VS_VERSIONINFO tree: length, value length, type, key, value,
// children, each part aligned to 4 bytes from the start of the resource.
struct VersionNode {
    std::u16string key;
    std::uint16_t type = 0;
    Bytes value;
    std::vector<VersionNode> children;

    // A text value up to its first NUL.
    std::u16string Text() const {
        std::u16string text;
        for (std::size_t i = 0; i + 1 < value.size(); i += 2) {
            const char16_t c = static_cast<char16_t>(value[i] | value[i + 1] << 8);
            if (!c)
                break;
            text += c;
        }
        return text;
    }
};

std::size_t Align4(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

// Throws std::out_of_range when a length points outside the resource.
VersionNode ParseNode(const Bytes& data, std::size_t at) {
    const std::size_t end = at + Word(data, at);
    const std::size_t valueLength = Word(data, at + 2);
    VersionNode node;
    node.type = Word(data, at + 4);
    if (end > data.size() || end < at + 6)
        throw std::out_of_range("node length");
    std::size_t p = at + 6;
    for (char16_t c; (c = Word(data, p)) != 0; p += 2)
        node.key += c;
    p = Align4(p + 2);
    // Text values count characters, binary ones bytes.
    const std::size_t valueBytes = std::min(node.type == 1 ? 2 * valueLength : valueLength,
                                            p < end ? end - p : std::size_t{0});
    node.value.assign(data.begin() + p, data.begin() + p + valueBytes);
    p = Align4(p + valueBytes);
    while (p < end) {
        const std::size_t childLength = Word(data, p);
        if (childLength == 0)
            break;
        node.children.push_back(ParseNode(data, p));
        p = Align4(p + childLength);
    }
    return node;
}

TEST_F(ProgramFile, VersionRecordHoldsOneGermanBlockWithTheKeysInOrder) {
    const Bytes data = Resource(RT_VERSION, MAKEINTRESOURCEA(1));
    ASSERT_FALSE(data.empty());
    VersionNode root;
    ASSERT_NO_THROW(root = ParseNode(data, 0));
    EXPECT_EQ(root.key, u"VS_VERSION_INFO");
    EXPECT_EQ(root.value.size(), sizeof(VS_FIXEDFILEINFO));

    std::vector<std::u16string> sections;
    for (const auto& child : root.children)
        sections.push_back(child.key);
    ASSERT_EQ(sections, (std::vector<std::u16string>{u"StringFileInfo", u"VarFileInfo"}));

    const VersionNode& strings = root.children[0];
    ASSERT_EQ(strings.children.size(), 1u);
    EXPECT_EQ(strings.children[0].key, u"040704E4");

    std::vector<std::pair<std::u16string, std::u16string>> expected, found;
    for (const auto& [key, value] : VersionStrings)
        expected.emplace_back(Widen(key), Widen(value));
    for (const auto& entry : strings.children[0].children) {
        EXPECT_EQ(entry.type, 1) << "text value expected";
        found.emplace_back(entry.key, entry.Text());
    }
    EXPECT_EQ(found, expected);

    const VersionNode& vars = root.children[1];
    ASSERT_EQ(vars.children.size(), 1u);
    EXPECT_EQ(vars.children[0].key, u"Translation");
    EXPECT_EQ(vars.children[0].value, (Bytes{0x07, 0x04, 0xE4, 0x04}));
}

// --- Manifest ------------------------------------------------------------------

// The attributes of every assemblyIdentity element, in document order.
std::vector<std::vector<std::pair<std::string, std::string>>>
AssemblyIdentities(const std::string& xml) {
    std::vector<std::vector<std::pair<std::string, std::string>>> identities;
    const std::regex element(R"(<assemblyIdentity\b([^>]*)>)");
    const std::regex attribute(R"re(([A-Za-z]+)\s*=\s*"([^"]*)")re");
    for (std::sregex_iterator e(xml.begin(), xml.end(), element), end; e != end; ++e) {
        const std::string attributes = (*e)[1];
        identities.emplace_back();
        for (std::sregex_iterator a(attributes.begin(), attributes.end(), attribute); a != end; ++a)
            identities.back().emplace_back((*a)[1], (*a)[2]);
    }
    return identities;
}

std::string Attribute(const std::vector<std::pair<std::string, std::string>>& attributes,
                      const std::string& name) {
    for (const auto& [key, value] : attributes)
        if (key == name)
            return value;
    return "(missing)";
}

TEST_F(ProgramFile, ManifestNamesTheProgramAndCommonControls6) {
    EXPECT_EQ(Names(RT_MANIFEST), std::vector<std::string>{"#1"});
    const Bytes data = Resource(RT_MANIFEST, MAKEINTRESOURCEA(1));
    const std::string xml(data.begin(), data.end());
    ASSERT_EQ(xml.rfind("<?xml", 0), 0u) << xml;

    const auto identities = AssemblyIdentities(xml);
    ASSERT_EQ(identities.size(), 2u) << xml;
    const struct {
        std::size_t identity;
        const char* attribute;
        const char* value;
    } cases[] = {
        {0, "type", "win32"},
        {0, "version", "1.0.0.0"},
        {0, "processorArchitecture", "*"},
        {1, "name", "Microsoft.Windows.Common-Controls"},
        {1, "version", "6.0.0.0"},
        {1, "type", "win32"},
        {1, "processorArchitecture", "*"},
        {1, "language", "*"},
        {1, "publicKeyToken", "6595b64144ccf1df"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Attribute(identities[c.identity], c.attribute), c.value)
            << "assembly identity " << c.identity << ", " << c.attribute;

    // The second identity must be the dependency, not a second own identity.
    const auto dependency = xml.find("<dependentAssembly");
    ASSERT_NE(dependency, std::string::npos);
    EXPECT_LT(dependency, xml.find("Microsoft.Windows.Common-Controls"));
}

// What the loader does with the manifest: an activation context made from it
// binds comctl32 from the side-by-side store, as version 6. A typo in the
// dependency fails here even when the text looks right. The version is read
// from the store's directory name, since not every comctl32 reports 6
// through DllGetVersion.
TEST_F(ProgramFile, ManifestBindsCommonControls6) {
    ACTCTXA request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = QUORBEL_SCR_PATH;
    request.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE context = CreateActCtxA(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "error " << GetLastError();

    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(context, &cookie));
    char path[MAX_PATH] = {};
    HMODULE controls = LoadLibraryA("comctl32.dll");
    if (controls) {
        GetModuleFileNameA(controls, path, sizeof path);
        FreeLibrary(controls);
    }
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(context);

    std::string found = path;
    std::transform(found.begin(), found.end(), found.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_NE(found.find("_microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
              std::string::npos)
        << path;
}

// --- Icon ----------------------------------------------------------------------

TEST_F(ProgramFile, MainIconIsTheFirstGroupAndGerman) {
    // Explorer and the host show the first icon group as the file's icon.
    const auto groups = Names(RT_GROUP_ICON);
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(groups.front(), "MAINICON");
    EXPECT_EQ(Languages(RT_GROUP_ICON, "MAINICON"), std::vector<WORD>{German});
}

TEST_F(ProgramFile, MainIconHoldsOne32By32ImageWithAlpha) {
    const Bytes group = Resource(RT_GROUP_ICON, "MAINICON");
    ASSERT_EQ(group.size(), 6u + 14u); // header and one entry
    EXPECT_EQ(Word(group, 0), 0);      // reserved
    EXPECT_EQ(Word(group, 2), 1);      // icon, not cursor
    EXPECT_EQ(Word(group, 4), 1);      // one image
    EXPECT_EQ(group[6], 32);           // width
    EXPECT_EQ(group[7], 32);           // height
    EXPECT_EQ(group[8], 0);            // no palette
    EXPECT_EQ(Word(group, 10), 1);     // planes
    EXPECT_EQ(Word(group, 12), 32);    // bits per pixel
    const std::uint32_t imageSize = Dword(group, 14);
    const WORD imageId = Word(group, 18);

    // A classic DIB (not PNG): colour rows, then the one-bit mask, hence the
    // doubled height.
    const Bytes image = Resource(RT_ICON, MAKEINTRESOURCEA(imageId));
    ASSERT_EQ(image.size(), imageSize);
    ASSERT_EQ(image.size(), 40u + 32 * 32 * 4 + 32 * 4);
    EXPECT_EQ(Dword(image, 0), 40u);
    EXPECT_EQ(Dword(image, 4), 32u);
    EXPECT_EQ(Dword(image, 8), 64u);
    EXPECT_EQ(Word(image, 12), 1);
    EXPECT_EQ(Word(image, 14), 32);
    EXPECT_EQ(Dword(image, 16), static_cast<std::uint32_t>(BI_RGB));

    // The alpha channel must carry the shape: see-through corners, an
    // opaque middle and smoothed edges in between.
    int clear = 0, solid = 0, partial = 0;
    for (std::size_t i = 40 + 3; i < 40 + 32 * 32 * 4; i += 4)
        (image[i] == 0 ? clear : image[i] == 255 ? solid : partial)++;
    EXPECT_GT(clear, 0);
    EXPECT_GT(solid, 0);
    EXPECT_GT(partial, 0);

    HICON icon =
        CreateIconFromResourceEx(const_cast<PBYTE>(image.data()), static_cast<DWORD>(image.size()),
                                 TRUE, 0x00030000, 32, 32, LR_DEFAULTCOLOR);
    EXPECT_NE(icon, nullptr);
    if (icon)
        DestroyIcon(icon);
}

} // namespace

// --- Imports -------------------------------------------------------------------

namespace {

// The program file's bytes, read as they lie on disk.
class ImageFile {
  public:
    ImageFile() {
        std::FILE* file = std::fopen(QUORBEL_SCR_PATH, "rb");
        for (int c; file && (c = std::fgetc(file)) != EOF;)
            bytes_.push_back(static_cast<char>(c));
        if (file)
            std::fclose(file);
    }
    // Where a relative address of the image lies: in a section's bytes, or
    // in the headers before them.
    void* Address(DWORD rva) {
        auto& headers = *reinterpret_cast<IMAGE_NT_HEADERS*>(
            &bytes_[reinterpret_cast<IMAGE_DOS_HEADER*>(&bytes_[0])->e_lfanew]);
        const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(&headers);
        for (int i = 0; i < headers.FileHeader.NumberOfSections; ++i, ++section)
            if (rva >= section->VirtualAddress &&
                rva < section->VirtualAddress + section->Misc.VirtualSize)
                return &bytes_[rva - section->VirtualAddress + section->PointerToRawData];
        return &bytes_[rva];
    }
    bool Empty() const { return bytes_.empty(); }

  private:
    std::string bytes_;
};

// "DLL!Function" for every function imported by name.
std::vector<std::string> ImportedFunctions(ImageFile& image) {
    std::vector<std::string> found;
    ForEachImportIn([&image](DWORD rva) { return image.Address(rva); },
                    [&found](const char* library, const char* function, void**) {
                        if (function)
                            found.push_back(std::string(library) + "!" + function);
                    });
    return found;
}

// An "A" function whose library has its "W" twin takes or returns text.
bool IsAnsiTextFunction(const std::string& import) {
    const std::size_t bang = import.find('!');
    const std::string name = import.substr(bang + 1);
    if (name.empty() || name.back() != 'A')
        return false;
    const HMODULE library = LoadLibraryA(import.substr(0, bang).c_str());
    return library && GetProcAddress(library, (name.substr(0, name.size() - 1) + "W").c_str());
}

} // namespace

// Every text the program hands Windows is UTF-16. What the toolchain's own
// runtime imports carries none of the program's text: the threads library
// makes unnamed events and semaphores and writes debug text of its own, and
// on i386 the exception frames' registration looks for a shared libgcc by
// its fixed name.
TEST(ProgramImports, NoAnsiFunctionThatTakesOrReturnsText) {
    ImageFile image;
    ASSERT_FALSE(image.Empty()) << QUORBEL_SCR_PATH;
    std::vector<std::string> runtime = {"KERNEL32.dll!CreateEventA",
                                        "KERNEL32.dll!CreateSemaphoreA",
                                        "KERNEL32.dll!OutputDebugStringA"};
#ifndef _WIN64
    runtime.insert(runtime.end(), {"KERNEL32.dll!GetModuleHandleA", "KERNEL32.dll!LoadLibraryA"});
#endif
    const std::vector<std::string> imports = ImportedFunctions(image);
    EXPECT_GT(imports.size(), 50u);
    for (const std::string& import : imports) {
        if (std::find(runtime.begin(), runtime.end(), import) == runtime.end()) {
            EXPECT_FALSE(IsAnsiTextFunction(import)) << import;
        }
    }
}
