#include "wizard/PageInstalled.h"

#include "resource.h"

PageInstalled::PageInstalled() : BaseDialog(IDD_PAGE_INSTALLED) { pageImage_.LoadFromResource(1368); }
