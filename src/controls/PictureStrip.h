// Pictures of one kind are stored side by side in one PNG "strip", which
// compresses far better than the pictures apart; a picture keeps its own id
// and is cut out of its strip when it is decoded.
#pragma once

struct PictureCell {
    int picture;  // the picture's id
    int strip;    // the id of the PNG resource that holds it
    int x;
    int y;
    int width;
    int height;
};

// Where the program's picture `id` lies in a strip; null for a picture that
// is a resource of its own (or none at all).
const PictureCell* FindPictureCell(int id);
