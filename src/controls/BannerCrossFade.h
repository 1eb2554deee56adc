// The banner ring of a banner board and its cross-fade: at every carousel
// step the board moves on to the next banner and the fade value drops from
// 200 to 0, fading the previous banner out over the first half and the new
// one in over the second.
#pragma once

namespace Controls {

// Which banner to draw for fade value `fade` and how transparent (percent,
// 0 opaque, 100 invisible). Up to 100 the current banner fades in; above 100
// the previous one fades out.
struct BannerChoice {
    enum Which { None, Current, Previous } which;
    int transparency;
};
BannerChoice ChooseBanner(int fade, bool hasCurrent, bool hasPrevious);

class BannerCrossFade {
public:
    static constexpr int kFadeStart = 200;
    static constexpr int kFadePerTick = 4;

    // A banner was appended; the first of the ring becomes current.
    void ItemAdded();
    // The current banner becomes the previous one, the next (after the last
    // the first) current, and the fade starts over.
    void Advance();
    // One tick of the fade; it never goes below 0.
    void LowerFade();
    // The step is over: the current banner shows fully.
    void EndFade() { fade_ = 0; }

    int Count() const { return count_; }
    int Current() const { return current_; }    // -1: none
    int Previous() const { return previous_; }  // -1: none
    int Fade() const { return fade_; }

    // The banner to draw now (an index into the ring, -1 for none) and its
    // transparency.
    struct Drawing {
        int index;
        int transparency;
    };
    Drawing ToDraw() const;

private:
    int count_ = 0;
    int current_ = -1;
    int previous_ = -1;
    int fade_ = 0;
};

}  // namespace Controls
