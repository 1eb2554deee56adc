#include "wizard/PageLicense.h"

#include "resource.h"

PageLicense::PageLicense() : BaseDialog(IDD_PAGE_LICENSE) {}

void PageLicense::Refresh(bool) {
    // The free-space check of the install folder comes with the page's content.
}

bool PageLicense::IsAccepted() const {
    return Handle() && IsDlgButtonChecked(Handle(), IDC_LICENSE_ACCEPT) == BST_CHECKED;
}
