// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/metadata/FieldsText.h"

namespace quillon::test {

std::string fieldsText(const metadata::FileFields& fields) {
    std::string out;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        if (!fields.has(f))
            continue;
        out += std::string(fieldName(f)) + "=";
        if (f == Field::Taken || f == Field::Modified) {
            const metadata::DateTime d = fields.date(f);
            out += std::to_string(d.year) + "-" + std::to_string(d.month) + "-" +
                   std::to_string(d.day) + " " + std::to_string(d.hour) + ":" +
                   std::to_string(d.minute) + ":" + std::to_string(d.second);
        } else if (f == Field::Track || f == Field::Disc || f == Field::Year || f == Field::Width ||
                   f == Field::Height) {
            out += std::to_string(fields.number(f));
        } else {
            out += fields.text(f);
        }
        out += "; ";
    }
    return out;
}

} // namespace quillon::test
