#include "wizard/ErrorDialog.h"

#include "common/WideText.h"
#include "language/AsLanguage_Manager.h"
#include "resource.h"

namespace ModalDialog {
namespace {

constexpr int kCaptionOffsetY = 2;
constexpr RECT kMessageArea{150, 120, 440, 200};
// Under the message, above the buttons; a long path loses its middle.
constexpr RECT kLogPathArea{150, 200, 440, 216};
constexpr int kTextCancel = 1002, kTextRetry = 6, kTextClose = 5;

HFONT CreateMessageFont(LONG height = 16) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfQuality = ANTIALIASED_QUALITY;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

}  // namespace

Error::Error(const AsLanguage_Manager& languages, std::u16string message, std::uint32_t buttons,
             std::function<void()> reportCancel)
    : SkinnedModalDialog(IDD_ERROR_DIALOG),
      buttons_(buttons),
      message_(std::move(message)),
      messageFont_(CreateMessageFont()),
      logPathFont_(CreateMessageFont(12)),
      languages_(languages),
      reportCancel_(std::move(reportCancel)) {
    background_.LoadFromResource(kBackgroundImage);
}

BOOL Error::OnInitDialog() {
    SkinButton(closeBox_, IDC_ERROR_CLOSE_BOX, kCloseBoxNormal, kCloseBoxHover, kCloseBoxPressed, kBackgroundImage,
               kCaptionOffsetY);
    for (auto [button, id] : {std::pair{&cancel_, IDC_ERROR_CANCEL}, {&retry_, IDC_ERROR_RETRY},
                              {&close_, IDC_ERROR_CLOSE}})
        SkinButton(*button, id, kButtonNormal, kButtonHover, kButtonPressed, kBackgroundImage, kCaptionOffsetY);

    PlaceButton(retry_, 130, 220);
    PlaceButton(cancel_, 260, 220);
    PlaceButton(close_, 320, 220);
    SetWindowPos(closeBox_.Handle(), nullptr, 448, 8, 23, 23, SWP_NOZORDER | SWP_NOACTIVATE);

    const AsLanguage_Manager& languages = languages_;
    for (auto [button, textId, flag] : {std::tuple{&cancel_, kTextCancel, kCancel}, {&retry_, kTextRetry, kRetry},
                                        {&close_, kTextClose, kClose}}) {
        SetWindowTextW(button->Handle(), Common::AsWide(languages.Get_Text(textId)));
        ShowWindow(button->Handle(), (buttons_ & flag) ? SW_SHOWNA : SW_HIDE);
    }
    // The message is painted; as the window's name too it reaches screen
    // readers (the popup shows no caption).
    SetWindowTextW(Handle(), Common::AsWide(logPath_.empty() ? message_ : message_ + u"\n" + logPath_));
    SizeToBackground();
    return TRUE;
}

bool Error::OnCommand(WORD id, WORD code, HWND control) {
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_ERROR_CANCEL: GiveUp(kCancelled); return true;
            case IDC_ERROR_RETRY: EndDialog(kRetried); return true;
            case IDC_ERROR_CLOSE_BOX: GiveUp(kClosedByBox); return true;
            case IDC_ERROR_CLOSE: GiveUp(kClosed); return true;
            default: break;
        }
    }
    return SkinnedModalDialog::OnCommand(id, code, control);
}

void Error::GiveUp(int result) {
    reportCancel_();
    EndDialog(result);
}

void Error::DrawOverBackground(HDC dc) {
    Framework::SavedDcState saved(dc);
    SelectObject(dc, messageFont_.Get());
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    RECT area = kMessageArea;
    DrawTextW(dc, Common::AsWide(message_), -1, &area, DT_WORDBREAK | DT_NOPREFIX);
    if (logPath_.empty()) return;
    SelectObject(dc, logPathFont_.Get());
    RECT pathArea = kLogPathArea;
    DrawTextW(dc, Common::AsWide(logPath_), -1, &pathArea, DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);
}

}  // namespace ModalDialog
