// What the installation driver answers to the Windows Installer's messages,
// and the installation percentage it derives from the progress messages.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>

#include "msi/ProgressMessage.h"

namespace MSIInstaller {

// Receives the installation percentage: it restarts at 0 after each reset of
// the tick count, is negative while the installer rolls back, and passes 100
// while the installer finishes actions other than copying files.
using InstallProgressCallback = std::function<void(std::int32_t percentage)>;

// Message kinds: the top byte of the message type.
enum InstallMessageKind : std::uint32_t {
    kMessageFatalExit = 0x00000000,
    kMessageError = 0x01000000,
    kMessageWarning = 0x02000000,
    kMessageUser = 0x03000000,
    kMessageInfo = 0x04000000,
    kMessageFilesInUse = 0x05000000,
    kMessageResolveSource = 0x06000000,
    kMessageOutOfDiskSpace = 0x07000000,
    kMessageActionStart = 0x08000000,
    kMessageActionData = 0x09000000,
    kMessageProgress = 0x0A000000,
    kMessageCommonData = 0x0B000000,
    kMessageInitialize = 0x0C000000,
    kMessageTerminate = 0x0D000000,
    kMessageShowDialog = 0x0E000000,
};
constexpr std::uint32_t kMessageKindMask = 0xFF000000;

// The handler's state. The installer's callback cannot carry an object, so
// there is one per process (TheInstallMessageHandler) and one installation at
// a time.
class InstallMessageHandler {
public:
    // Forgets everything of an earlier installation and takes the callback.
    void Reset(InstallProgressCallback progress);

    // The package's FileSize sum: percentages are ticks per hundredth of it.
    void SetPackageSize(std::int32_t fileSizeSum);

    // The answer to one message (null text: 0). Raises Error for fatal exits,
    // errors and warnings, and for progress numbers out of range; whatever
    // the progress callback raises passes through.
    std::int32_t Answer(std::uint32_t messageType, const char16_t* text);

    // For the installer's callback, which nothing may leave by an exception:
    // the first failure of Answer is kept, and from then on every message is
    // answered so that the installer stops as soon as it can.
    std::int32_t AnswerWithoutThrowing(std::uint32_t messageType, const char16_t* text) noexcept;

    // Raises the kept failure, with its own class and text, and forgets it.
    void RaisePendingError();
    bool HasPendingError() const { return static_cast<bool>(pendingError_); }

    const ProgressFields& Fields() const { return fields_; }
    std::int32_t TotalTicks() const { return totalTicks_; }
    std::int32_t AccumulatedTicks() const { return accumulatedTicks_; }
    bool Forward() const { return forward_; }
    std::int32_t FileSizeSum() const { return fileSizeSum_; }
    std::int32_t Divisor() const { return divisor_; }

private:
    void OnProgress(std::u16string_view text);
    std::int32_t Percentage(std::int64_t ticks) const;

    InstallProgressCallback progress_;
    ProgressFields fields_{};
    std::int32_t totalTicks_ = 0;
    std::int32_t accumulatedTicks_ = 0;
    bool forward_ = true;
    std::int32_t fileSizeSum_ = 0;
    std::int32_t divisor_ = 0;
    std::exception_ptr pendingError_;
};

InstallMessageHandler& TheInstallMessageHandler();

// The answer that stops the installer at a message of this type: the
// matching button of a message box (Abort, Cancel, No), else Cancel.
std::int32_t StopAnswer(std::uint32_t messageType);

}  // namespace MSIInstaller
