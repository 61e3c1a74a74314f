#pragma once

#include <QByteArray>
#include <QDialog>

class QLineEdit;
class QPushButton;
struct TariffTexts;

// Adds a new item or changes the tariff of an existing one. The mode is taken
// from targetItemName() when the window is built: empty means adding, a name
// means changing that item (its name cannot be edited then). Run with exec().
// targetItemName() is empty after every way out. Every refusal and every
// failed write is shown to the operator; the window then stays open so nothing
// typed is lost.
class ItemEditorWindow : public QDialog {
    Q_OBJECT
public:
    explicit ItemEditorWindow(QWidget *owner = nullptr);
    ~ItemEditorWindow() override;

    void done(int result) override;

signals:
    // The settings file was changed; the item list should be read again.
    void itemStoreChanged();

private:
    void buildLayout();
    void showModifyMode();
    void showAddMode();
    void fillDefaults();
    void confirm();
    bool anyBoxEmpty() const;
    TariffTexts typedTariff() const;
    void showFailure(const QString &message);

    QByteArray m_itemName;  // the item being changed; empty when adding
    QLineEdit *m_nameEdit = nullptr;
    QLineEdit *m_initialPeriodEdit = nullptr;
    QLineEdit *m_initialFeeEdit = nullptr;
    QLineEdit *m_minimumUnitEdit = nullptr;
    QLineEdit *m_overtimePriceEdit = nullptr;
    QPushButton *m_confirmButton = nullptr;
};
