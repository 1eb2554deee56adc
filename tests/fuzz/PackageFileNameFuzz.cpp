// The package's file name comes from whatever address the server finally
// answered from. It must always be a plain name Windows accepts in the
// download folder: never empty, never a path, never a device, never longer
// than the cap; and the address as sent to libcurl is plain printable ASCII.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "download/PackageFileName.h"
#include "download/RequestUrl.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string url(reinterpret_cast<const char*>(data), size);
    const std::u16string name = Download::PackageFileName(url);
    if (name.empty() || name.size() > Download::kMaxPackageNameLength) std::abort();
    for (char16_t c : name) {
        if (c < 0x20 || std::u16string_view(u"<>:\"/\\|?*").find(c) != std::u16string_view::npos) std::abort();
    }
    if (name.back() == u'.' || name.back() == u' ' || (name.back() >= 0xD800 && name.back() <= 0xDBFF)) std::abort();
    if (name == u"." || name == u"..") std::abort();

    std::u16string wide;
    for (std::size_t i = 0; i + 1 < size; i += 2) wide += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    for (char c : Download::RequestUrl(wide)) {
        if (c <= 0x20 || c >= 0x7F) std::abort();
    }
    return 0;
}
