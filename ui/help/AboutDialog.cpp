// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help/AboutDialog.h"

#include "quillon/Version.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

AboutDialog::AboutDialog(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Tool | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("MainMenu_Help_About"));
    setWindowTitle(tr("About Quillon"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(242, 243, 240));
    setPalette(pal);
    setAutoFillBackground(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 14, 8, 12);
    auto* name = new QLabel(QStringLiteral("%1 %2").arg(QString::fromLatin1(kApplicationName),
                                                        QString::fromLatin1(kApplicationVersion)),
                            this);
    name->setObjectName(QStringLiteral("Label1"));
    name->setTextFormat(Qt::PlainText);
    name->setAlignment(Qt::AlignHCenter);
    column->addWidget(name);
    column->addStretch(1);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    column->addWidget(ok, 0, Qt::AlignHCenter);
    setFixedSize(QSize(208, 98).expandedTo(column->minimumSize()));
}

int AboutDialog::run(QWidget* mainWindow) {
    // The guard also covers a main window that goes while the box is open.
    const QPointer<AboutDialog> box = new AboutDialog(mainWindow);
    const int result = box->exec();
    delete box.data();
    return result;
}

} // namespace quillon
