#include "controls/PictureStrip.h"

#include "SkinImageIds.h"

namespace {

constexpr PictureCell kCells[] = {
#include "SkinStripCells.inc"
};

}  // namespace

const PictureCell* FindPictureCell(int id) {
    for (const PictureCell& cell : kCells) {
        if (cell.picture == id) return &cell;
    }
    return nullptr;
}
