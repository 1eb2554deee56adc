#include <windows.h>

#include "common/WideText.h"
#include "language/AsLanguage_Manager.h"

void AsLanguage_Manager::Set_Text(const std::int32_t* controlIds, int count, HWND dialog,
                                  LanguageId language) const {
    for (int i = 0; i < count; ++i) {
        const ALang_Entry& entry = Find_Entry(controlIds[i], language);
        HWND control = GetDlgItem(dialog, controlIds[i]);
        if (!control) throw AException(AException::kNoControl, kSetTextError);
        SetWindowTextW(control, Common::AsWide(entry.text));
        // Placements are in the dialog's client pixels, which is what a child's
        // MoveWindow takes.
        if (entry.HasPlacement()) MoveWindow(control, entry.x, entry.y, entry.width, entry.height, TRUE);
    }
}
