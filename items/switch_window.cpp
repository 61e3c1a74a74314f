#include "items/switch_window.h"

#include "foundation/codepage.h"
#include "foundation/storage_paths.h"
#include "items/item_commands.h"
#include "mainwindow/ui_fonts.h"

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>

SwitchWindow::SwitchWindow(QWidget *owner)
    : QDialog(owner), m_sourceItem(targetItemName())
{
    buildLayout();
    fillIdleItems();
}

SwitchWindow::~SwitchWindow()
{
    targetItemName().clear();
}

void SwitchWindow::done(int result)
{
    targetItemName().clear();
    QDialog::done(result);
}

void SwitchWindow::buildLayout()
{
    setWindowTitle(QStringLiteral("切换项目"));
    setFixedSize(226, 150);

    m_targetCombo = new QComboBox(this);
    m_targetCombo->setObjectName(QStringLiteral("targetCombo"));
    m_targetCombo->setFont(uiFont(20));
    // The box grows with its 20-pixel characters rather than clipping them.
    m_targetCombo->setGeometry(15, 20, 190, qMax(20, m_targetCombo->sizeHint().height()));

    m_confirmButton = new QPushButton(QStringLiteral("确认切换"), this);
    m_confirmButton->setObjectName(QStringLiteral("confirmButton"));
    m_confirmButton->setGeometry(60, 66, 100, 40);
    QFont buttonFont = uiFont(16);
    buttonFont.setBold(true);
    m_confirmButton->setFont(buttonFont);
    m_confirmButton->setAutoDefault(false);
    m_confirmButton->setEnabled(false);

    connect(m_targetCombo, &QComboBox::activated, this, [this] { m_confirmButton->setEnabled(true); });
    connect(m_confirmButton, &QPushButton::clicked, this, &SwitchWindow::confirm);
}

void SwitchWindow::fillIdleItems()
{
    for (const QByteArray &name : listIdleItems(storagePaths().settingsFilePath))
        m_targetCombo->addItem(gbkToUnicode(name), name);
    m_targetCombo->setCurrentIndex(-1);
}

void SwitchWindow::confirm()
{
    const int chosen = m_targetCombo->currentIndex();
    if (chosen < 0)
        return;
    const QByteArray target = m_targetCombo->itemData(chosen).toByteArray();
    const Result switched = switchItem(storagePaths().settingsFilePath, m_sourceItem, target);
    emit itemStoreChanged();
    if (!switched) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("切换没有完成，请在列表中核对“") + gbkToUnicode(m_sourceItem)
                                 + QStringLiteral("”和“") + gbkToUnicode(target)
                                 + QStringLiteral("”两个项目的状态。\n") + switched.message());
        // Some keys may already have moved; repeating the switch from this
        // window would move them again.
        reject();
        return;
    }
    accept();
}
