// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/models/NameText.h"

#include "engine/Utf8.h"

namespace quillon {

namespace {

QString convert(NameView name, bool display) {
    QString out;
    out.reserve(static_cast<qsizetype>(name.size()));
    for (char32_t c : name) {
        if (c >= 0x10000 && c <= 0x10FFFF) {
            out.append(QChar(QChar::highSurrogate(c)));
            out.append(QChar(QChar::lowSurrogate(c)));
        } else if (display && c >= kEscapedByteFirst && c <= kEscapedByteLast) {
            out.append(QChar(QChar::ReplacementCharacter));
        } else {
            out.append(QChar(static_cast<char16_t>(c)));
        }
    }
    return out;
}

} // namespace

QString toQString(NameView name) {
    return convert(name, false);
}

QString toDisplayString(NameView name) {
    return convert(name, true);
}

Name toName(const QString& text) {
    Name out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.push_back(QChar::surrogateToUcs4(c, text.at(i + 1)));
            ++i;
        } else {
            out.push_back(c.unicode());
        }
    }
    return out;
}

} // namespace quillon
