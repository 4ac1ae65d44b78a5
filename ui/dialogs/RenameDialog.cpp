// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/RenameDialog.h"

#include "ui/widgets/KeyFilter.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>

namespace quillon {

namespace {

qsizetype codePoints(const QString& text) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++n) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return n;
}

// QLineEdit::setMaxLength counts UTF-16 units and cuts the program's own
// writes too. This counts characters and only trims what an edit adds: the
// characters just before the caret, where typed or pasted text ends. A
// longer name the program put in stays whole.
class CodePointLimit final : public QValidator {
public:
    CodePointLimit(int limit, QObject* parent)
        : QValidator(parent)
        , m_limit(limit) {}

    void accepted(const QString& text) {
        m_allowed = std::max<qsizetype>(m_limit, codePoints(text));
    }

    State validate(QString& input, int& pos) const override {
        qsizetype excess = codePoints(input) - std::max<qsizetype>(m_limit, m_allowed);
        while (excess > 0 && pos > 0) {
            qsizetype width = 1;
            if (pos >= 2 && input.at(pos - 1).isLowSurrogate() &&
                input.at(pos - 2).isHighSurrogate())
                width = 2;
            input.remove(pos - width, width);
            pos -= static_cast<int>(width);
            --excess;
        }
        return excess > 0 ? Invalid : Acceptable;
    }

private:
    qsizetype m_limit;
    qsizetype m_allowed = 0;
};

} // namespace

RenameDialog::RenameDialog(QString name, bool caseIsNone, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_editedName(std::move(name))
    , m_caseIsNone(caseIsNone) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("Rename"));

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Rename_Edit"));
    m_edit->setAccessibleName(tr("New name"));
    m_edit->setMinimumWidth(409);
    auto* filter = new KeyFilter(KeyRule{notInFileNames(), {}, {}, {}, {}}, m_edit);
    filter->setObjectName(QStringLiteral("FilterOutInvalidChars"));
    m_edit->installEventFilter(filter);
    auto* limit = new CodePointLimit(kMaxLength, m_edit);
    connect(m_edit, &QLineEdit::textChanged, this,
            [limit](const QString& text) { limit->accepted(text); });
    m_edit->setValidator(limit);

    m_updateCase = new QCheckBox(tr("Update case"), this);
    m_updateCase->setObjectName(QStringLiteral("Rename_UpdateCase"));
    m_updateCase->setChecked(true);
    auto* fillIn = new QPushButton(QStringLiteral("OnStart"), this);
    fillIn->setObjectName(QStringLiteral("OnStart"));
    fillIn->setAutoDefault(false);
    fillIn->hide();
    connect(fillIn, &QPushButton::clicked, this, &RenameDialog::fillInName);
    m_ok = new QPushButton(tr("Ok"), this);
    m_ok->setObjectName(QStringLiteral("Rename_OK"));
    connect(m_ok, &QPushButton::clicked, this, &RenameDialog::acceptNewName);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Rename_Cancel"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(m_updateCase);
    row->addStretch(1);
    row->addWidget(m_ok);
    row->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addLayout(row);
    // 424 x 65 at 96 dpi; larger fonts may need more room.
    setFixedSize(sizeHint().expandedTo(QSize(424, 65)));
}

bool RenameDialog::updateCase() const {
    return m_updateCase->isChecked();
}

void RenameDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Once per dialog: refilling on every activation would throw away what
    // the user typed before switching to another window and back. Queued, so
    // that it comes after the focus the window takes when it is shown.
    if (!m_started) {
        m_started = true;
        QTimer::singleShot(0, this, &RenameDialog::fillInName);
    }
}

void RenameDialog::fillInName() {
    // The program's own write is taken whole, however long.
    const QValidator* limit = m_edit->validator();
    m_edit->setValidator(nullptr);
    m_edit->setText(m_editedName);
    m_edit->setValidator(limit);
    m_updateCase->setChecked(!m_caseIsNone);
    m_updateCase->setEnabled(!m_caseIsNone);
    m_edit->setFocus();
    m_edit->end(false);
    m_ok->setDefault(true);
}

void RenameDialog::acceptNewName() {
    m_editedName = m_edit->text();
    accept();
}

} // namespace quillon
