#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

// Moves a running use from the item named by targetItemName() to an idle item
// chosen in the list: the target takes over status and start time, the source
// goes back to idle. targetItemName() is emptied on every way out of the
// window. Failed writes are shown to the operator.
class SwitchWindow : public QDialog {
    Q_OBJECT
public:
    explicit SwitchWindow(QWidget *owner);
    ~SwitchWindow() override;

signals:
    // The settings file was changed; the item list should be read again.
    void itemStoreChanged();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void fillIdleItems();
    void confirm();

    QByteArray m_sourceItem;
    QComboBox *m_targetCombo = nullptr;
    QPushButton *m_confirmButton = nullptr;
};
