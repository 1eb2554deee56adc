#include "msi/InstallMessageHandler.h"

#include <algorithm>
#include <limits>
#include <string>

#include "msi/MsiErrors.h"

namespace MSIInstaller {
namespace {

// Message box buttons in the low bits of a message type, and the answers.
constexpr std::uint32_t kButtonMask = 0xF;
constexpr std::uint32_t kOk = 0, kAbortRetryIgnore = 2, kYesNo = 4;
constexpr std::int32_t kIdOk = 1, kIdCancel = 2, kIdAbort = 3, kIdNo = 7;

std::int32_t Saturated(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                               std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

InstallMessageHandler& TheInstallMessageHandler() {
    static InstallMessageHandler handler;
    return handler;
}

void InstallMessageHandler::Reset(InstallProgressCallback progress) {
    totalTicks_ = 0;
    accumulatedTicks_ = 0;
    fields_ = {};
    forward_ = true;
    fileSizeSum_ = 0;
    divisor_ = 0;
    pendingError_ = nullptr;
    progress_ = std::move(progress);
}

void InstallMessageHandler::SetPackageSize(std::int32_t fileSizeSum) {
    fileSizeSum_ = fileSizeSum;
    divisor_ = fileSizeSum / 100;
}

std::int32_t InstallMessageHandler::Answer(std::uint32_t messageType, const char16_t* text) {
    if (text == nullptr) return 0;
    switch (messageType & kMessageKindMask) {
        case kMessageFatalExit:
            throw Error(u"ERROR: INSTALLMESSAGE_FATALEXIT." + std::u16string(text));
        case kMessageError:
            throw Error(u"ERROR: INSTALLMESSAGE_ERROR." + std::u16string(text));
        case kMessageWarning:
            throw Error(u"WARNING: INSTALLMESSAGE_WARNING." + std::u16string(text));
        case kMessageProgress:
            OnProgress(text);
            return 1;
        case kMessageUser:
        case kMessageInfo:
        case kMessageOutOfDiskSpace:
        case kMessageActionStart:
        case kMessageActionData:
        case kMessageCommonData:
        case kMessageInitialize:
        case kMessageTerminate:
        case kMessageShowDialog:
            return 1;
        case kMessageFilesInUse:
        case kMessageResolveSource:  // the installer resolves sources itself when told nothing
        default:
            return 0;
    }
}

std::int32_t InstallMessageHandler::AnswerWithoutThrowing(std::uint32_t messageType, const char16_t* text) noexcept {
    if (pendingError_) return StopAnswer(messageType);
    try {
        return Answer(messageType, text);
    } catch (...) {
        pendingError_ = std::current_exception();
        return StopAnswer(messageType);
    }
}

void InstallMessageHandler::RaisePendingError() {
    if (!pendingError_) return;
    std::exception_ptr error = pendingError_;
    pendingError_ = nullptr;
    std::rethrow_exception(error);
}

void InstallMessageHandler::OnProgress(std::u16string_view text) {
    if (!ParseProgressText(text, fields_)) return;
    switch (fields_[0]) {
        case kProgressReset:
            totalTicks_ = fields_[1];
            accumulatedTicks_ = 0;
            forward_ = fields_[2] == 0;
            break;
        case kProgressReport:
            if (totalTicks_ == 0) break;  // no reset yet: nothing to measure against
            accumulatedTicks_ = Saturated(std::int64_t{accumulatedTicks_} + fields_[1]);
            if (progress_) progress_(Percentage(forward_ ? accumulatedTicks_ : -std::int64_t{accumulatedTicks_}));
            break;
        default:
            break;  // action information and added ticks change nothing here
    }
}

std::int32_t InstallMessageHandler::Percentage(std::int64_t ticks) const {
    // Ticks are measured against the package's bytes. A package of under 100
    // bytes has no hundredth to divide by; its ticks are measured against the
    // total of the reset instead.
    if (divisor_ != 0) return Saturated(ticks / divisor_);
    return Saturated(ticks * 100 / totalTicks_);
}

std::int32_t StopAnswer(std::uint32_t messageType) {
    switch (messageType & kMessageKindMask) {
        case kMessageFatalExit:
        case kMessageError:
        case kMessageWarning:
        case kMessageUser:
            switch (messageType & kButtonMask) {
                case kOk:
                    return kIdOk;  // a plain message box offers nothing else
                case kAbortRetryIgnore:
                    return kIdAbort;
                case kYesNo:
                    return kIdNo;
                default:
                    return kIdCancel;
            }
        default:
            return kIdCancel;
    }
}

}  // namespace MSIInstaller
