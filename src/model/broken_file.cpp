#include "model/broken_file.h"

#include <utility>

#include "model/set_aside.h"
#include "model/settings_format.h"
#include "model/texts.h"
#include "platform/core/profile.h"

namespace haripon {

namespace {

// What the user is to be told, and whether one that could not be set aside was told.
std::string toldMessage;
bool heldTold = false;

}  // namespace

// Told of every file set aside, and once of one that cannot be.
BrokenFile SetAsideIfBroken(ReadResult& read, std::string& bytes) {
    if (read != ReadResult::Ok || !LooksBinary(bytes))
        return BrokenFile::None;
    const std::string aside = SetAside(kSettingsFile, ".broken");
    if (!aside.empty() || !heldTold) {
        heldTold = heldTold || aside.empty();
        toldMessage = aside.empty() ? std::string(kSettingsBrokenKept)
                                    : std::string(kSettingsSetAside) + "\r\n" + aside;
    }
    if (aside.empty())
        return BrokenFile::Held;
    read = ReadResult::Missing;
    bytes.clear();
    return BrokenFile::SetAside;
}

std::string SettingsSetAside() {
    return std::exchange(toldMessage, {});
}

void ForgetBrokenFile() {
    toldMessage.clear();
    heldTold = false;
}

}  // namespace haripon
