// The controls test dialog, created modeless and hidden, recording the
// commands its controls send.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "ControlsTestIds.h"
#include "framework/Dialog.h"

class ControlsTestDialog : public Framework::Dialog {
public:
    ControlsTestDialog() : Framework::Dialog(IDD_CONTROLS_TEST) { Create(nullptr); }

    std::vector<std::pair<WORD, WORD>> commands;  // (control id, notification code)

    int Count(WORD id, WORD code) const {
        int count = 0;
        for (const auto& command : commands) count += command == std::pair{id, code};
        return count;
    }

protected:
    bool OnCommand(WORD id, WORD code, HWND control) override {
        commands.emplace_back(id, code);
        return Framework::Dialog::OnCommand(id, code, control);
    }
};

// Sends a mouse message at a point of the control's client area.
inline void Mouse(HWND control, UINT message, int x, int y, WPARAM keys = 0) {
    SendMessageW(control, message, keys, MAKELPARAM(x, y));
}
