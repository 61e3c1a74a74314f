#include "foundation/prompts.h"

#include <QMessageBox>
#include <QPushButton>

bool confirmBox(const QString &message, const QString &caption, QWidget *owner)
{
    QMessageBox box(owner);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(caption);
    box.setText(message);
    QPushButton *ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    // Esc and the close box both press the escape button, so neither can
    // be taken for a confirmation.
    box.setEscapeButton(cancel);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return box.clickedButton() == ok;
}
