// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/mainwindow/MainWindow.h"
#include "workspace/disk/PosixFileSystem.h"

#include <QApplication>
#include <QFile>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace quillon::test {

/// Accepts the first message box that is shown, once, and keeps its text.
class MessageBoxAnswer final : public QObject {
public:
    MessageBoxAnswer(QString* text, QObject* owner)
        : QObject(owner)
        , m_text(text) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && event->type() == QEvent::Show && !m_answered) {
            m_answered = true;
            *m_text = box->text();
            QMetaObject::invokeMethod(box, &QMessageBox::accept, Qt::QueuedConnection);
            deleteLater();
        }
        return false;
    }

private:
    QString* m_text;
    bool m_answered = false;
};

/// A main window started on a fresh temporary folder.
class MainWindowFixture {
public:
    void setUpFolder() { m_dir = std::make_unique<QTemporaryDir>(); }
    void tearDown() {
        m_window.reset();
        m_dir.reset();
    }
    void createFile(const QString& name) {
        QFile file(m_dir->filePath(name));
        file.open(QIODevice::WriteOnly);
    }
    void startWindow() {
        m_window = std::make_unique<MainWindow>(QFile::encodeName(m_dir->path()), m_disk);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTRY_VERIFY(m_window->state().started);
        settle();
    }
    /// Waits until the window's commands have ended and their results show.
    void settle() const { QTRY_VERIFY(!m_window->isWorking()); }
    template <typename W>
    W* child(const char* name) const {
        return m_window->findChild<W*>(QString::fromLatin1(name));
    }
    QStringList previewNames() const {
        QStringList out;
        const QAbstractItemModel* model = previewModel();
        for (int row = 0; row < model->rowCount(); ++row)
            out << model->index(row, 0).data(Qt::EditRole).toString();
        return out;
    }
    const QAbstractItemModel* previewModel() const {
        return child<QListView>("FileBox_Preview")->model();
    }
    /// Answers the next message box shown with OK and puts its text in
    /// text. The box may come once a command's work is done: the answer
    /// waits for its showing, not for a time, and ends with the window, so
    /// no watch outlives the test when no box comes.
    void answerNextMessageBox(QString* text) {
        auto* watch = new MessageBoxAnswer(text, m_window.get());
        QApplication::instance()->installEventFilter(watch);
    }

protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    PosixFileSystem m_disk;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace quillon::test
