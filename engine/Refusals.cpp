#include "engine/Refusals.h"

#include <algorithm>
#include <array>

namespace quillon {

namespace {

// The one place these texts live: the line breaks are where the message box
// has always broken them, so users recognise the messages.
constexpr std::array kRefusals{
    Refusal{RefusalCode::StarInNewExtension,
            "File Name Replacement:\nInvalid character (*) in extension."},
    Refusal{RefusalCode::ExtensionTwice,
            "File Name Replacement:\nExtension specified more than once."},
    Refusal{RefusalCode::ExtensionNotClosed,
            "File Name Replacement:\nMissing slash (/.) after extension."},
    Refusal{RefusalCode::DotInNewExtension,
            "File Name Replacement:\nInvalid character (.) in extension."},
    Refusal{RefusalCode::NumberMissingAfterN, "Numbering: Number expected after /n."},
    Refusal{RefusalCode::NumberExpected, "Numbering: Number expected but // found."},
    Refusal{RefusalCode::TooManySlashes, "Numbering: Too many parameters (/)."},
    Refusal{RefusalCode::BadStartNumber, "Numbering: Incorrect starting number."},
    Refusal{RefusalCode::SecondSlashMissing,
            "Numbering: Incorrect starting number.\nSecond slash not found."},
    Refusal{RefusalCode::StarTwice, "File Name Replacement:\nOnly one asterisk (*) allowed."},
    Refusal{RefusalCode::DeletePosOutOfRange,
            "Delete: You must enter an integer in the range\nof 1 to 255 (Counting left to right) "
            "or -1 to -255\n(Counting right to left) in the first box."},
    Refusal{RefusalCode::DeleteLengthOutOfRange,
            "Delete: You must enter an integer in\nthe range of 1 to 255 in the second box."},
    Refusal{RefusalCode::RegularStarOrSlash,
            "Regular replacement: The star (*) and\nslash (/) characters cannot be used."},
    Refusal{RefusalCode::ReformatStar, "Reformatting: The star (*)\ncharacter cannot be used."},
    Refusal{RefusalCode::InsertPosOutOfRange,
            "Insert: You must enter an integer in the range\nof 1 to 255 (Counting left to right) "
            "or 0 to -255\n(Counting right to left) in the first box."},
};

} // namespace

std::string_view refusalMessage(RefusalCode code) {
    const auto* row = std::find_if(kRefusals.begin(), kRefusals.end(),
                                   [code](const Refusal& r) { return r.code == code; });
    return row == kRefusals.end() ? std::string_view{} : row->message;
}

std::span<const Refusal> allRefusals() {
    return kRefusals;
}

} // namespace quillon
