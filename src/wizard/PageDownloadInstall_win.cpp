#include "wizard/PageDownloadInstall.h"

#include "resource.h"

PageDownloadInstall::PageDownloadInstall() : BaseDialog(IDD_PAGE_DOWNLOAD_INSTALL) {}

void PageDownloadInstall::OnEnterPage(int) {
    // The download starts here with the page's content.
}

void PageDownloadInstall::PauseDownload() {}

void PageDownloadInstall::ResumeDownload() {}
