// The library's export set, read from the dynamic symbol table of its file: the three control classes and
// nothing else.
#include "LoadedLibrary.h"

#include <cxxabi.h>
#include <elf.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace {

template <class T> bool ReadAt(const std::vector<char>& file, size_t offset, T& value) {
    if (offset > file.size() || file.size() - offset < sizeof value)
        return false;
    std::memcpy(&value, file.data() + offset, sizeof value);
    return true;
}

std::string Demangled(const char* name) {
    int status = 0;
    char* text = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    std::string result = status == 0 ? text : name;
    std::free(text);
    return result;
}

// The names, demangled, of the symbols that the file defines and others can bind to.
std::vector<std::string> ExportedSymbols(const char* path) {
    std::ifstream stream(path, std::ios::binary);
    std::vector<char> file((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    Elf64_Ehdr header;
    if (!ReadAt(file, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64)
        return {"not a 64-bit ELF file"};
    std::vector<Elf64_Shdr> sections(header.e_shnum);
    for (size_t i = 0; i < sections.size(); ++i)
        if (!ReadAt(file, header.e_shoff + i * header.e_shentsize, sections[i]))
            return {"unreadable section headers"};
    std::vector<std::string> names;
    for (const Elf64_Shdr& table : sections) {
        if (table.sh_type != SHT_DYNSYM || table.sh_link >= sections.size())
            continue;
        const Elf64_Shdr& strings = sections[table.sh_link];
        for (size_t at = table.sh_offset; at + sizeof(Elf64_Sym) <= table.sh_offset + table.sh_size;
             at += sizeof(Elf64_Sym)) {
            Elf64_Sym symbol;
            ReadAt(file, at, symbol);
            unsigned char binding = ELF64_ST_BIND(symbol.st_info);
            bool bindable = binding == STB_GLOBAL || binding == STB_WEAK || binding == STB_GNU_UNIQUE;
            if (symbol.st_shndx == SHN_UNDEF || !bindable ||
                ELF64_ST_VISIBILITY(symbol.st_other) != STV_DEFAULT)
                continue;
            if (symbol.st_name >= strings.sh_size || strings.sh_offset + symbol.st_name >= file.size())
                return {"a name outside the string table"};
            names.push_back(Demangled(file.data() + strings.sh_offset + symbol.st_name));
        }
    }
    return names;
}

// Every member function that each class declares, public and protected, by name.
const std::map<std::string, std::set<std::string>> kDeclared = {
    {"COrnTreeCtrl",
     {"COrnTreeCtrl",
      "~COrnTreeCtrl",
      "AddItem",
      "SetMenuID",
      "PreTranslateMessage",
      "FindHandleByID",
      "ExpandById",
      "ExpandAll",
      "GetItemDir",
      "GetItemByDir",
      "GetLeafDirs",
      "ImpByIds",
      "ImpByPaths",
      "SetUnDragImages",
      "AddUnDragImages",
      "SetUnDropImages",
      "AddUnDropImages",
      "UpdateDragDropData",
      "CheckFz",
      "Explode",
      "ImpItem",
      "PreSubclassWindow",
      "OnCreate",
      "OnBegindrag",
      "OnRButtonDown",
      "OnLButtonUp",
      "OnSelchanged",
      "OnEndlabeledit",
      "GetMessageMap",
      "GetThisMessageMap"}},
    {"COrnCheckTreeCtrl",
     {"COrnCheckTreeCtrl", "~COrnCheckTreeCtrl", "CheckItem", "ClickItem", "TravelChild",
      "TravelSiblingAndParent", "PreSubclassWindow", "OnClick", "GetMessageMap", "GetThisMessageMap"}},
    {"CTalCheckBoxTreeCtrl",
     {"CTalCheckBoxTreeCtrl", "~CTalCheckBoxTreeCtrl", "OnClick", "GetMessageMap", "GetThisMessageMap"}},
};

// The class a symbol belongs to and what it is of that class: a member function's name, "vtable" or
// "typeinfo". Empty when it belongs to none of the three.
std::pair<std::string, std::string> Owner(std::string symbol) {
    for (const char* prefix : {"non-virtual thunk to ", "virtual thunk to "})
        if (symbol.starts_with(prefix))
            symbol.erase(0, std::strlen(prefix));
    for (const auto& [name, members] : kDeclared) {
        if (symbol == "vtable for " + name)
            return {name, "vtable"};
        if (symbol == "typeinfo for " + name || symbol == "typeinfo name for " + name)
            return {name, "typeinfo"};
        if (symbol.starts_with(name + "::")) {
            std::string member = symbol.substr(name.size() + 2);
            return {name, member.substr(0, member.find('('))};
        }
    }
    return {};
}

TEST(ExportsTest, TheLibraryExportsTheThreeControlClassesWithEveryDeclaredMemberAndNothingElse) {
    std::vector<std::string> symbols = ExportedSymbols(kLibraryPath);
    ASSERT_FALSE(symbols.empty());
    std::vector<std::string> foreign;
    std::map<std::string, std::set<std::string>> exported;
    for (const std::string& symbol : symbols) {
        auto [owner, what] = Owner(symbol);
        if (owner.empty())
            foreign.push_back(symbol);
        else
            exported[owner].insert(what);
    }
    EXPECT_EQ(std::vector<std::string>(), foreign);
    for (const auto& [name, members] : kDeclared) {
        std::set<std::string> expected = members;
        expected.insert({"vtable", "typeinfo"});
        EXPECT_EQ(expected, exported[name]) << name;
    }
}

} // namespace
