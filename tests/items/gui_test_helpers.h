#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QTimer>

// Helpers for driving windows as an operator does.

// Types the text into the widget key by key. Characters without a key of
// their own (Chinese, for one) arrive as the text of a key event, as an input
// method delivers them.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

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
