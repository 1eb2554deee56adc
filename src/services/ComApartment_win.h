// COM initialised apartment-threaded on the calling thread for the life of
// the object, as every web-service call wants it. A thread that already
// runs another apartment model keeps it (and is not uninitialised).
#pragma once

#include <objbase.h>

class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};
