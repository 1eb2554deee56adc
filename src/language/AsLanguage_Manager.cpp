#include "language/AsLanguage_Manager.h"

#include "language/ELang_Item.h"
#include "language/TextTables.h"

namespace {

// The texts of AException 30: tables that differ, and an ELang_Item constant
// that the tables lack.
constexpr const char16_t* kTablesDisagree = u"";
constexpr const char16_t* kMissingItem = u"Extra constant in ELang_Item enum";

bool Contains(const ALang_Table& table, std::int32_t item) {
    for (const ALang_Entry& entry : table)
        if (entry.id == item) return true;
    return false;
}

// Every item carries a text, and the table ends with an empty end entry.
bool IsWellFormed(const ALang_Table& table) {
    for (int position = 0; position < kLangItemCount; ++position)
        if (!table[position].text) return false;
    const ALang_Entry& end = table[kLangItemCount];
    return end.id == 0 && !end.text;
}

}  // namespace

AsLanguage_Manager::AsLanguage_Manager(ILanguageSetting& setting)
    : AsLanguage_Manager(setting, BuiltinLanguageTables()) {}

AsLanguage_Manager::AsLanguage_Manager(ILanguageSetting& setting, const std::vector<ALang_Resource>& tables)
    : setting_(setting) {
    for (const ALang_Resource& resource : tables) Add_String_Table(resource.language, resource.name, *resource.table);
    Check_Tables();
    Load_Language();
}

void AsLanguage_Manager::Add_String_Table(LanguageId language, const char16_t* name, const ALang_Table& table) {
    const ALang_Resource* existing = nullptr;
    if (Find_Resource(language, existing)) throw AException(AException::kTableExists, kAddTableError);
    resources_.push_back({language, name, &table});
    tables_.Add(&resources_.back());
}

void AsLanguage_Manager::Check_Tables() const {
    if (tables_.Count() == 0) return;
    const ALang_Table& first = *tables_[0]->table;
    for (int t = 0; t < tables_.Count(); ++t) {
        const ALang_Table& table = *tables_[t]->table;
        if (!IsWellFormed(table)) throw AException(AException::kTablesDisagree, kTablesDisagree);
        for (int position = 0; position < kLangTableLength; ++position)
            if (table[position].id != first[position].id)
                throw AException(AException::kTablesDisagree, kTablesDisagree);
    }
    for (std::int32_t item = kFirstLangItem; item <= kLastLangItem; ++item)
        if (!Contains(first, item)) throw AException(AException::kTablesDisagree, kMissingItem);
}

void AsLanguage_Manager::Load_Language() {
    // A missing, unreadable or out-of-range value leaves English.
    const std::optional<std::int32_t> stored = setting_.Load();
    if (stored && Language::IsValid(*stored)) current_ = *stored;
}

bool AsLanguage_Manager::Find_Resource(LanguageId language, const ALang_Resource*& resource) const {
    if (language == Language::Current) language = current_;
    for (int i = 0; i < tables_.Count(); ++i) {
        if (tables_[i]->language == language) {
            resource = tables_[i];
            return true;
        }
    }
    return false;
}

const ALang_Entry& AsLanguage_Manager::Find_Entry(std::int32_t item, LanguageId language) const {
    const ALang_Resource* resource = nullptr;
    if (!Find_Resource(language, resource)) throw AException(AException::kNoTable, kSetTextError);
    // The end entry carries no text and answers no item, not even 0.
    for (const ALang_Entry& entry : *resource->table)
        if (entry.id == item && entry.text) return entry;
    throw AException(AException::kNoEntry, kSetTextError);
}

const char16_t* AsLanguage_Manager::Get_Text(std::int32_t item) const {
    return Find_Entry(item, Language::Current).text;
}

void AsLanguage_Manager::Register_Window(IMultilanguage* window) {
    if (window && !IsRegistered(window)) windows_.Add(window);
}

bool AsLanguage_Manager::IsRegistered(const IMultilanguage* window) const {
    for (int i = 0; i < windows_.Count(); ++i)
        if (windows_[i] == window) return true;
    return false;
}

void AsLanguage_Manager::Change_Language(LanguageId language) {
    if (!Language::IsValid(language)) return;
    current_ = language;
    // By index, re-reading the count: a window may register while it is told.
    for (int i = 0; i < windows_.Count(); ++i) windows_[i]->ApplyLanguage(language);
}

LanguageId AsLanguage_Manager::Current_Language() const { return current_; }

void AsLanguage_Manager::Save_Language() const { setting_.Save(current_); }
