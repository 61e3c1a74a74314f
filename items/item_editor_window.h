#pragma once

#include <QDialog>

class QLineEdit;

// Adds a new item or changes the tariff of an existing one. The mode is taken
// from targetItemName() when the window is built: empty means adding, a name
// means changing that item (its name cannot be edited then). Run with exec().
// Every refusal and every failed write is shown to the operator; the window
// stays open so nothing typed is lost.
class ItemEditorWindow : public QDialog {
    Q_OBJECT
public:
    explicit ItemEditorWindow(QWidget *owner = nullptr);

signals:
    // The settings file was changed; the item list should be read again.
    void itemStoreChanged();

private:
    void buildLayout();
    void fillForModify();
    void fillDefaults();
    void confirm();

    QLineEdit *m_nameEdit = nullptr;
    QLineEdit *m_initialPeriodEdit = nullptr;
    QLineEdit *m_initialFeeEdit = nullptr;
    QLineEdit *m_minimumUnitEdit = nullptr;
    QLineEdit *m_overtimePriceEdit = nullptr;
    bool m_modifyMode = false;
};
