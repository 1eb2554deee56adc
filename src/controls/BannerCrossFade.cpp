#include "controls/BannerCrossFade.h"

#include "controls/RingPosition.h"

namespace Controls {

BannerChoice ChooseBanner(int fade, bool hasCurrent, bool hasPrevious) {
    if (fade <= 100) return hasCurrent ? BannerChoice{BannerChoice::Current, fade} : BannerChoice{BannerChoice::None, 0};
    return hasPrevious ? BannerChoice{BannerChoice::Previous, 200 - fade} : BannerChoice{BannerChoice::None, 0};
}

void BannerCrossFade::ItemAdded() {
    ++count_;
    current_ = 0;
}

void BannerCrossFade::Advance() {
    previous_ = current_;
    current_ = NextInRing(current_, count_);
    fade_ = kFadeStart;
}

void BannerCrossFade::LowerFade() {
    if (fade_ >= kFadePerTick) fade_ -= kFadePerTick;
}

BannerCrossFade::Drawing BannerCrossFade::ToDraw() const {
    const BannerChoice choice = ChooseBanner(fade_, current_ >= 0, previous_ >= 0);
    switch (choice.which) {
        case BannerChoice::Current: return {current_, choice.transparency};
        case BannerChoice::Previous: return {previous_, choice.transparency};
        default: return {-1, 0};
    }
}

}  // namespace Controls
