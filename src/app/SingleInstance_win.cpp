#include "app/SingleInstance.h"

bool SingleInstance::Claim() {
    mutex_.Reset(CreateMutexW(nullptr, TRUE, L"Corvane installer Mutex"));
    return mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
}
