#pragma once

class QWidget;
class QString;

// An OK / Cancel question to the operator, buttons "确定" and "取消", no icon,
// modal. True only when OK closes it; Cancel, Esc and the close box give false.
bool confirmBox(const QString &message, const QString &caption, QWidget *owner);
