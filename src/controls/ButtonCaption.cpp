#include "controls/ButtonCaption.h"

namespace Controls {

int CaptionTop(int itemTop, int itemBottom, int textHeight, int offsetY) {
    return FloorDivide(itemBottom - itemTop - textHeight - textHeight / 2, 2) + offsetY;
}

}  // namespace Controls
