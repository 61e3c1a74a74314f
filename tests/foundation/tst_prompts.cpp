#include "foundation/prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

using Answer = std::function<void(QMessageBox *)>;

QAbstractButton *buttonReading(QMessageBox *box, const QString &text)
{
    for (QAbstractButton *button : box->buttons()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

class TestPrompts : public QObject {
    Q_OBJECT

private slots:
    void answerDecidesConfirmation_data();
    void answerDecidesConfirmation();
    void showsTheQuestionWithTwoButtonsAndNoIcon();

private:
    // Runs confirmBox and answers it as soon as it is the active modal window.
    bool ask(const Answer &answer, QWidget *owner = nullptr);
    QMessageBox *m_seen = nullptr;
    QString m_seenTitle;
    QString m_seenText;
    QStringList m_seenButtons;
    QMessageBox::Icon m_seenIcon = QMessageBox::Information;
    bool m_seenModal = false;
};

bool TestPrompts::ask(const Answer &answer, QWidget *owner)
{
    m_seen = nullptr;
    QTimer poll;
    poll.setInterval(5);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box == m_seen)
            return;
        m_seen = box;
        m_seenTitle = box->windowTitle();
        m_seenText = box->text();
        m_seenButtons.clear();
        for (QAbstractButton *button : box->buttons())
            m_seenButtons.append(button->text());
        m_seenIcon = box->icon();
        m_seenModal = box->isModal();
        answer(box);
    });
    poll.start();
    return confirmBox(QStringLiteral("是否删除 [ S2 ] 项目"), QStringLiteral("操作警告："), owner);
}

void TestPrompts::answerDecidesConfirmation_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("confirmed");

    QTest::newRow("OK clicked") << Answer([](QMessageBox *box) {
        QTest::mouseClick(buttonReading(box, QStringLiteral("确定")), Qt::LeftButton);
    }) << true;
    QTest::newRow("Enter on the default button") << Answer([](QMessageBox *box) {
        QTest::keyClick(box, Qt::Key_Return);
    }) << true;
    QTest::newRow("Cancel clicked") << Answer([](QMessageBox *box) {
        QTest::mouseClick(buttonReading(box, QStringLiteral("取消")), Qt::LeftButton);
    }) << false;
    QTest::newRow("Esc") << Answer([](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); }) << false;
    QTest::newRow("close box") << Answer([](QMessageBox *box) { box->close(); }) << false;
}

void TestPrompts::answerDecidesConfirmation()
{
    QFETCH(Answer, answer);
    QFETCH(bool, confirmed);
    QCOMPARE(ask(answer), confirmed);
    QVERIFY(m_seen);
}

void TestPrompts::showsTheQuestionWithTwoButtonsAndNoIcon()
{
    QWidget owner;
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    QVERIFY(!ask([](QMessageBox *box) { box->reject(); }, &owner));
    QCOMPARE(m_seenTitle, QStringLiteral("操作警告："));
    QCOMPARE(m_seenText, QStringLiteral("是否删除 [ S2 ] 项目"));
    QCOMPARE(m_seenButtons.size(), 2);
    QVERIFY(m_seenButtons.contains(QStringLiteral("确定")));
    QVERIFY(m_seenButtons.contains(QStringLiteral("取消")));
    QCOMPARE(m_seenIcon, QMessageBox::NoIcon);
    QVERIFY(m_seenModal);
}

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
