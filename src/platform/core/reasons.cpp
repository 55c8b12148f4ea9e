#include "platform/core/reasons.h"

#include <utility>

namespace haripon {

namespace {

ReasonTexts& Texts() {
    static ReasonTexts texts;
    return texts;
}

}  // namespace

const ReasonTexts& Reasons() {
    return Texts();
}

void SetReasons(ReasonTexts texts) {
    Texts() = std::move(texts);
}

}  // namespace haripon
