// Modal and modeless dialogs: the own modal loop, its result, the owner's
// state, pre-translation through controls, failures coming out of DoModal.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

#include "FrameworkTestIds.h"
#include "framework/Dialog.h"
#include "framework/WindowHandle.h"

namespace {

using Framework::Dialog;
using Framework::UniqueWindow;
using Framework::Window;

// A modal test dialog that runs `script` once its loop is running.
class ScriptedDialog : public Dialog {
public:
    explicit ScriptedDialog(std::function<void(ScriptedDialog&)> script, int templateId = IDD_TEST_DIALOG)
        : Dialog(templateId), script_(std::move(script)) {}

    std::vector<std::pair<int, UINT>> preTranslated;  // (control id, message)

    bool PreTranslateMessage(MSG& message) override {
        if (message.message == WM_KEYDOWN) preTranslated.emplace_back(0, message.message);
        return Dialog::PreTranslateMessage(message);
    }

protected:
    BOOL OnInitDialog() override {
        PostMessageW(Handle(), WM_APP, 0, 0);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) return OnScript();
        return Dialog::WindowProc(message, wParam, lParam);
    }

private:
    LRESULT OnScript() {
        script_(*this);
        return 0;
    }
    std::function<void(ScriptedDialog&)> script_;
};

// The edit control of the test dialog, recording what the loop offers it.
class RecordingEdit : public Window {
public:
    explicit RecordingEdit(std::vector<std::pair<int, UINT>>& log) : log_(log) {}
    bool PreTranslateMessage(MSG& message) override {
        if (message.message == WM_KEYDOWN) log_.emplace_back(IDC_TEST_EDIT, message.message);
        return false;
    }

private:
    std::vector<std::pair<int, UINT>>& log_;
};

UniqueWindow MakeOwner() {
    return UniqueWindow(CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                        nullptr, nullptr));
}

TEST(Dialog, DoModalReturnsTheResultAndDisablesTheOwnerMeanwhile) {
    UniqueWindow owner = MakeOwner();
    bool ownerEnabledDuringLoop = true;
    HWND dialogWindow = nullptr;
    ScriptedDialog dialog([&](ScriptedDialog& self) {
        ownerEnabledDuringLoop = IsWindowEnabled(owner.Get()) != FALSE;
        dialogWindow = self.Handle();
        EXPECT_TRUE(self.IsModalRunning());
        self.EndDialog(42);
    });
    EXPECT_EQ(dialog.DoModal(owner.Get()), 42);
    EXPECT_FALSE(ownerEnabledDuringLoop);
    EXPECT_TRUE(IsWindowEnabled(owner.Get()));
    EXPECT_FALSE(IsWindow(dialogWindow)) << "DoModal destroys its window";
    EXPECT_FALSE(dialog.IsBound());
}

// Takes the edit control over during initialisation.
class DialogWithEdit : public ScriptedDialog {
public:
    using ScriptedDialog::ScriptedDialog;
    RecordingEdit edit{preTranslated};

protected:
    BOOL OnInitDialog() override {
        edit.SubclassDlgItem(IDC_TEST_EDIT, Handle());
        return ScriptedDialog::OnInitDialog();
    }
};

TEST(Dialog, KeysPassTheControlThenTheDialogThenTheDialogManager) {
    DialogWithEdit dialog([](ScriptedDialog& self) {
        // The dialog manager turns Escape into IDCANCEL, which ends the dialog.
        PostMessageW(self.Item(IDC_TEST_EDIT), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const std::vector<std::pair<int, UINT>> expected{{IDC_TEST_EDIT, WM_KEYDOWN}, {0, WM_KEYDOWN}};
    EXPECT_EQ(dialog.preTranslated, expected);
}

TEST(Dialog, AFailingHandlerComesOutOfDoModal) {
    UniqueWindow owner = MakeOwner();
    ScriptedDialog dialog([](ScriptedDialog&) { throw std::logic_error("page failed"); });
    EXPECT_THROW(dialog.DoModal(owner.Get()), std::logic_error);
    EXPECT_TRUE(IsWindowEnabled(owner.Get()));
    EXPECT_FALSE(dialog.IsBound());
}

TEST(Dialog, QuitDuringTheLoopEndsItAndIsPostedAgain) {
    ScriptedDialog dialog([](ScriptedDialog&) { PostQuitMessage(5); });
    EXPECT_EQ(dialog.DoModal(), -1);
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 5u);
}

TEST(Dialog, MissingTemplateGivesMinusOne) {
    ScriptedDialog dialog([](ScriptedDialog&) {}, 9999);
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(Dialog, NestedModalDialogDisablesTheOuterOneUntilItEnds) {
    bool outerEnabledInside = true;
    ScriptedDialog outer([&](ScriptedDialog& self) {
        ScriptedDialog inner([&](ScriptedDialog& innerSelf) {
            outerEnabledInside = IsWindowEnabled(self.Handle()) != FALSE;
            innerSelf.EndDialog(1);
        });
        EXPECT_EQ(inner.DoModal(self.Handle()), 1);
        EXPECT_TRUE(IsWindowEnabled(self.Handle()));
        self.EndDialog(2);
    });
    EXPECT_EQ(outer.DoModal(), 2);
    EXPECT_FALSE(outerEnabledInside);
}

TEST(Dialog, ModelessChildDialogLivesAsLongAsItsObject) {
    UniqueWindow owner = MakeOwner();
    HWND pageWindow = nullptr;
    {
        Dialog page(IDD_TEST_PAGE);
        ASSERT_TRUE(page.Create(owner.Get()));
        pageWindow = page.Handle();
        EXPECT_EQ(GetParent(pageWindow), owner.Get());
        EXPECT_NE(page.Item(IDC_PAGE_BUTTON), nullptr);
        EXPECT_FALSE(page.Create(owner.Get())) << "created once";
    }
    EXPECT_FALSE(IsWindow(pageWindow));
}

}  // namespace
