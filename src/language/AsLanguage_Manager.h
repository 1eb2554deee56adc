// The language manager: owns the registered text tables, knows the current
// language, hands out texts, re-texts dialog controls, tells registered windows
// when the language changes, and keeps the user's choice between runs.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include "language/AException.h"
#include "language/AList.h"
#include "language/IMultilanguage.h"
#include "language/LanguageId.h"
#include "language/LanguageSetting.h"
#include "language/LanguageTable.h"

#ifdef _WIN32
struct HWND__;  // HWND without windows.h
#endif

class AsLanguage_Manager {
public:
    // The installer's manager: registers the six built-in tables, checks them
    // and takes the start language from `setting`.
    explicit AsLanguage_Manager(ILanguageSetting& setting);
    // The same start-up over other tables, registered in the given order.
    // Raises AException 29 for a second table of one language and 30 when the
    // tables disagree with each other or with ELang_Item.
    AsLanguage_Manager(ILanguageSetting& setting, const std::vector<ALang_Resource>& tables);

    AsLanguage_Manager(const AsLanguage_Manager&) = delete;
    AsLanguage_Manager& operator=(const AsLanguage_Manager&) = delete;

    // Registration happens before any other thread asks for texts: the table
    // list is read without a lock. Raises AException 29 for a second table of
    // the same language.
    void Add_String_Table(LanguageId language, const char16_t* name, const ALang_Table& table);

    // The registered table of `language` (Language::Current for the current one).
    bool Find_Resource(LanguageId language, const ALang_Resource*& resource) const;

    // The first entry with `item` in the table of `language`. Raises
    // AException 26 without a table and 27 without such an entry.
    const ALang_Entry& Find_Entry(std::int32_t item, LanguageId language) const;

    // The item's text in the current language; the pointer stays valid for the
    // program's life. Safe from any thread. Raises AException 26 and 27.
    const char16_t* Get_Text(std::int32_t item) const;

#ifdef _WIN32
    // Puts each control's text in `language` on the dialog's child of the same
    // id, and moves the child where the entry gives a placement. Raises
    // AException 26, 27 and 28 (no such child).
    void Set_Text(const std::int32_t* controlIds, int count, HWND__* dialog,
                  LanguageId language = Language::Current) const;
    void Set_Text(std::initializer_list<std::int32_t> controlIds, HWND__* dialog,
                  LanguageId language = Language::Current) const {
        Set_Text(controlIds.begin(), static_cast<int>(controlIds.size()), dialog, language);
    }
#endif

    // The window must live as long as the program: there is no unregistering.
    // A window registered already stays where it is, told once per change.
    void Register_Window(IMultilanguage* window);

    // Makes `language` current and calls ApplyLanguage on every registered
    // window in registration order. An id outside 0 to 5 changes nothing.
    void Change_Language(LanguageId language);
    LanguageId Current_Language() const;

    // Keeps the current language for the next run (best effort, silent).
    void Save_Language() const;

    // Writes every table position as a row of a workbook for translators.
    // The name is in the system's ANSI code page. False when the file could
    // not be written.
    bool Export_Workbook(const std::u16string& fileName) const;

    const AList<ALang_Resource>& Tables() const { return tables_; }

private:
    // The texts the errors carry; Get_Text reports under Set_Text's name.
    static constexpr const char16_t* kSetTextError = u"AsLanguage_Manager::Set_Text";
    static constexpr const char16_t* kAddTableError = u"AsLanguage_Manager::Add_String_Table";

    void Check_Tables() const;
    void Load_Language();
    bool IsRegistered(const IMultilanguage* window) const;

    ILanguageSetting& setting_;
    std::deque<ALang_Resource> resources_;  // owns the records; the list points into it
    AList<ALang_Resource> tables_;
    AList<IMultilanguage> windows_;
    // Written on the user-interface thread, read by the download worker too.
    std::atomic<LanguageId> current_{Language::English};
};
