#pragma once

#include "history/history_file.h"

#include <QDialog>

// Shows the bill of the item named by selectedItemName(), computed once for
// the moment the window is built, and on confirmation records it in the
// month's history file and then puts the item back to idle. When the record
// cannot be stored the item stays running, the operator is told why and the
// window stays open. An item whose stored start time cannot be read has no
// bill: the window shows its name and start time only and refuses to record
// it. Closing the window any other way changes nothing.
class CheckoutWindow : public QDialog {
    Q_OBJECT
public:
    explicit CheckoutWindow(QWidget *owner);

signals:
    // The record is stored and the item is idle again.
    void checkedOut();
    // The settings file changed in another way (the record was stored but
    // the item could not be put back to idle).
    void itemStoreChanged();

private:
    void buildLayout();
    void confirm();

    QByteArray m_itemName;
    HistoryRecord m_bill;
    bool m_billable = false;
};
