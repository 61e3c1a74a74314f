#pragma once

#include <QByteArray>
#include <QDialog>

class QComboBox;
class QPushButton;

// Moves a running use from the item named by targetItemName() to an idle item
// chosen in the list: the target takes over tariff, status and start time, the
// source takes the target's former tariff and goes back to idle. The button
// is disabled until an item is chosen. targetItemName() is empty after every
// way out of the window. A failed write is shown to the operator.
class SwitchWindow : public QDialog {
    Q_OBJECT
public:
    explicit SwitchWindow(QWidget *owner);
    ~SwitchWindow() override;

    void done(int result) override;

signals:
    // The settings file was changed; the item list should be read again.
    void itemStoreChanged();

private:
    void buildLayout();
    void fillIdleItems();
    void confirm();

    QByteArray m_sourceItem;
    QComboBox *m_targetCombo = nullptr;
    QPushButton *m_confirmButton = nullptr;
};
