// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/models/FieldText.h"

#include "ui/models/NameText.h"

#include <QStringList>

#include <algorithm>

namespace quillon {

QString fieldToken(Field field) {
    const std::string_view name = fieldName(field);
    return QLatin1Char('<') + QLatin1String(name.data(), static_cast<qsizetype>(name.size())) +
           QLatin1Char('>');
}

QString fieldTokenList(FieldSet fields) {
    QStringList tokens;
    for (const Field f : kAllFields) {
        if (fields.has(f))
            tokens << fieldToken(f);
    }
    return tokens.join(QStringLiteral(", "));
}

QString fieldValueText(const metadata::FileFields& fields, Field field) {
    if (!fields.has(field))
        return {};
    switch (fieldKind(field)) {
    case FieldKind::Text: {
        const std::string_view text = fields.text(field);
        QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        // A tag's text is the file's word, not ours: line breaks and other
        // controls would break the row it is shown in.
        std::replace_if(
            shown.begin(), shown.end(),
            [](QChar c) { return c.category() == QChar::Other_Control; }, QLatin1Char(' '));
        return shown;
    }
    case FieldKind::Number:
        return QString::number(fields.number(field));
    case FieldKind::Date: {
        const metadata::DateTime d = fields.date(field);
        return QStringLiteral("%1-%2-%3 %4:%5:%6")
            .arg(d.year, 4, 10, QLatin1Char('0'))
            .arg(d.month, 2, 10, QLatin1Char('0'))
            .arg(d.day, 2, 10, QLatin1Char('0'))
            .arg(d.hour, 2, 10, QLatin1Char('0'))
            .arg(d.minute, 2, 10, QLatin1Char('0'))
            .arg(d.second, 2, 10, QLatin1Char('0'));
    }
    }
    return {};
}

} // namespace quillon
