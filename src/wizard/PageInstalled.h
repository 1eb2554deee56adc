// The already-installed page (119): first when the same or a newer version of
// the product is installed; "Reinstall" leads on to the welcome page and
// "Finish" leaves through the exit dialog. Its texts come with its content.
#pragma once

#include "wizard/BaseDialog.h"

class PageInstalled : public BaseDialog {
public:
    PageInstalled();
};
