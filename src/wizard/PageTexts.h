// Re-texting a page's labels. The labels are drawn transparently over the
// page picture, so the page is repainted under them: no trace of the
// previous text stays.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "controls/CLabel.h"
#include "language/AsLanguage_Manager.h"

namespace Wizard {

inline void SetPageTexts(const AsLanguage_Manager& languages, HWND page, std::initializer_list<std::int32_t> controlIds,
                         LanguageId language) {
    if (!page) return;  // registered before the window exists
    languages.Set_Text(controlIds, page, language);
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Gives the label's font the character set of the language's script, so that
// the font mapper picks a face that has its glyphs (Arial has no Japanese).
inline void FollowLanguageScript(CLabel& label, LanguageId language) {
    const BYTE charSet = language == Language::Japanese ? SHIFTJIS_CHARSET : ANSI_CHARSET;
    if (!label.IsBound() || label.FontDescription().lfCharSet == charSet) return;
    const wchar_t* face = label.FontDescription().lfFaceName;
    label.SetFontName(std::u16string(reinterpret_cast<const char16_t*>(face)), charSet);
}

}  // namespace Wizard
