// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wizard/WizardLogic.h"

#include <algorithm>
#include <string>

namespace quillon::wizard {

namespace {

constexpr NameView kMarker = U"//";

void eraseFirstMarker(Name& text) {
    if (const auto at = text.find(kMarker); at != Name::npos)
        text.erase(at, kMarker.size());
}

Name cutOf(NameView name, SampleCut cut) {
    switch (cut) {
    case SampleCut::NamePart:
        return nameWithoutExtension(name);
    case SampleCut::Extension:
        return Name(extensionOf(name));
    case SampleCut::Whole:
        break;
    }
    return Name(name);
}

Name decimal(long value) {
    const std::string digits = std::to_string(value);
    return Name(digits.begin(), digits.end());
}

// Digits 1 to 9 are what a field marker swallows after its closing slash.
bool beginsWithMarkerDigit(NameView text) {
    return !text.empty() && text.front() >= U'1' && text.front() <= U'9';
}

} // namespace

Name nameWithoutExtension(NameView name) {
    return Name(namePartOf(name));
}

Name longestCut(const std::vector<Name>& entries, SampleCut cut) {
    if (entries.empty())
        return {};
    std::size_t bestLength = 0;
    std::size_t bestIndex = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t length = cutOf(entries[i], cut).size();
        if (length > bestLength) {
            bestLength = length;
            bestIndex = i;
        }
    }
    return cutOf(entries[bestIndex], cut);
}

std::optional<DeletePositions> deletePositions(std::size_t selectionStart,
                                               std::size_t selectionLength, std::size_t textLength,
                                               Anchor anchor) {
    if (selectionLength == 0)
        return std::nullopt;
    const auto s = static_cast<long>(selectionStart);
    const auto length = static_cast<long>(textLength);
    return DeletePositions{anchor == Anchor::Beginning ? s + 1 : s - length,
                           static_cast<long>(selectionLength)};
}

std::optional<std::size_t> insertMarkerIndex(NameView text) {
    const auto at = text.find(kMarker);
    return at == NameView::npos ? std::nullopt : std::optional(at);
}

Name withMarkerAt(NameView text, std::size_t k) {
    k = std::min(k, text.size());
    // A click on the marker or at one of its edges keeps it where it is.
    if (const auto marker = insertMarkerIndex(text); marker && k >= *marker && k <= *marker + 2)
        return Name(text);
    // The whole right part is kept: cutting it to 255 characters, as a fixed
    // buffer would, loses the sample's last characters once a marker is in a
    // 254- or 255-character sample, and the "End" position would be off.
    Name left(text.substr(0, k));
    Name right(text.substr(k));
    eraseFirstMarker(left);
    eraseFirstMarker(right);
    return left + Name(kMarker) + right;
}

std::variant<Refusal, InsertSettings> composeInsert(NameView sampleWithMarker, NameView string,
                                                    Anchor anchor) {
    const auto marker = insertMarkerIndex(sampleWithMarker);
    if (!marker)
        return Refusal{kInsNoMarker, {}};
    if (string.empty())
        return Refusal{kInsNoString, {}};
    const auto s = static_cast<long>(*marker);
    const auto length = static_cast<long>(sampleWithMarker.size());
    return InsertSettings{anchor == Anchor::Beginning ? s + 1 : s + 2 - length, Name(string)};
}

Name composeExtension(NameView extension) {
    return U"/." + Name(extension) + U"/";
}

std::variant<Refusal, NumberResult> composeNumber(const NumberPage& page) {
    const auto [c1, c2] = page.choices;
    if ((c1 == kNumbers && c2 == kNumbers) || (c1 == kOldFileNames && c2 == kOldFileNames))
        return Refusal{kNumberOnlyOnce, {}};
    if (c1 == kNone && c2 == kNone)
        return Refusal{kNumberNothingChosen, {}};

    NumberResult result{U"*", {}, page.start, page.padding};
    std::optional<std::size_t> afterNumber;
    auto appendSlot = [&](int choice) {
        if (choice == kNumbers) {
            if (result.start.empty()) {
                result.start = U"1";
                result.padding = true;
            }
            result.replaceWith += (result.padding ? U"/" : U"/n") + result.start + U"/";
            afterNumber = result.replaceWith.size();
        } else if (choice == kOldFileNames) {
            result.replaceWith += U'*';
        }
    };
    result.replaceWith = page.texts[0];
    appendSlot(c1);
    result.replaceWith += page.texts[1];
    appendSlot(c2);
    result.replaceWith += page.texts[2];

    if (afterNumber && *afterNumber < result.replaceWith.size() &&
        result.replaceWith[*afterNumber] == U'.')
        return Refusal{kNumberPeriodAfterNumber, {}};
    return result;
}

std::variant<Refusal, ReformatResult> composeReformat(const ReformatPage& page) {
    const auto& [c1, c2, c3, c4] = page.current;
    const auto& [n1, n2, n3, n4] = page.wanted;
    const int k = page.currentField3;
    const auto [i1, i2, i3] = page.wantedFields;

    if (c2.empty())
        return Refusal{kReformatNoSecondDelimiter, {"W_Reformat_CurrEdit2"}};
    if (k == 0 && c3.empty())
        return Refusal{kReformatNoThirdDelimiter,
                       {"W_Reformat_CurrCombo2", "W_Reformat_CurrEdit3"}};
    if (!c4.empty() && k == 1)
        return Refusal{kReformatDelimiterWithoutField3,
                       {"W_Reformat_CurrCombo2", "W_Reformat_CurrEdit4"}};
    if (!n4.empty() && i3 == 3)
        return Refusal{kReformatDelimiterWithoutField3,
                       {"W_Reformat_NewCombo3", "W_Reformat_NewEdit4"}};
    if (k == 1 && (i1 == 2 || i2 == 2 || i3 == 2)) {
        Refusal refusal{kReformatField3NotCurrent, {"W_Reformat_CurrCombo2"}};
        constexpr std::string_view kCombos[] = {"W_Reformat_NewCombo1", "W_Reformat_NewCombo2",
                                                "W_Reformat_NewCombo3"};
        for (std::size_t i = 0; i < 3; ++i) {
            if (page.wantedFields[i] == 2)
                refusal.highlight.push_back(kCombos[i]);
        }
        return refusal;
    }
    Refusal digits{kReformatDigitAfterField, {}};
    if (beginsWithMarkerDigit(c2))
        digits.highlight.emplace_back("W_Reformat_CurrEdit2");
    if (beginsWithMarkerDigit(c3))
        digits.highlight.emplace_back("W_Reformat_CurrEdit3");
    if (k == 0 && beginsWithMarkerDigit(c4))
        digits.highlight.emplace_back("W_Reformat_CurrEdit4");
    if (!digits.highlight.empty())
        return digits;

    ReformatResult result;
    result.find = c1 + U"/1/" + c2 + U"/2/" + c3;
    if (k == 0)
        result.find += U"/3/" + c4;
    auto field = [](int index) {
        return U"/" + decimal(index + 1) + U"/";
    };
    result.replaceWith = n1 + field(i1) + n2 + field(i2) + n3;
    if (i3 != 3)
        result.replaceWith += field(i3) + n4;
    return result;
}

} // namespace quillon::wizard
