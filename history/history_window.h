#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QTableView;
class HistoryTableModel;

// Browses the history files: a list of the months that have a file (oldest
// first) and a table of the chosen month's records with their count.
// Non-modal; the owner decides its lifetime.
class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    explicit HistoryWindow(QWidget *parent = nullptr);

    // Reads the month's file (a "yyyyMM.WD" entry of the list) into the table.
    void showMonth(const QString &monthEntry);

private:
    void buildLayout();
    void fillMonthList();

    QComboBox *m_monthCombo = nullptr;
    QTableView *m_table = nullptr;
    QLabel *m_countLabel = nullptr;
    HistoryTableModel *m_model = nullptr;
};
