#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

// Answers the message boxes a window opens while a test drives it, keeping
// their texts: each one is closed as soon as its event loop runs.
class MessageBoxCatcher {
public:
    MessageBoxCatcher()
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { closeOpenBox(); });
        m_timer.start();
    }

    const QStringList &texts() const { return m_texts; }

private:
    void closeOpenBox()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        m_texts.append(box->text());
        box->done(QMessageBox::Ok);
    }

    QTimer m_timer;
    QStringList m_texts;
};
