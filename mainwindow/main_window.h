#pragma once

#include "billing/refresh_pass.h"
#include "colouring/cell_colorizer.h"

#include <QByteArray>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class ItemListModel;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;
class RefreshLoop;

// The program's main window: the list of all items with their status,
// running duration and fee, the counts in the status bar, and the commands on
// items. The list shows what the settings file holds as of the last
// reloadItemList(); the live refresh writes durations, fees and counts into it
// about once a second from the moment the window is built. Closing the window
// stops the refresh and closes the history windows it opened.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Rebuilds every row and the status colours from the settings file; the
    // duration and fee cells read "无" until the next refresh pass.
    void reloadItemList();

    ItemListModel *itemListModel() const { return m_model; }
    QTableView *itemListView() const { return m_list; }
    CellColorizer &cellColorizer() { return m_colorizer; }
    // The context menu "列表操作" and its items, in menu order.
    QMenu *listMenu() const { return m_menu; }
    enum MenuCommand { StartTimingCommand, CheckoutCommand, SwitchCommand, ModifyCommand,
                       DeleteCommand, MenuCommandCount };
    QAction *menuAction(MenuCommand command) const { return m_menuActions[command]; }
    // The status bar's six parts, left to right.
    QLabel *statusPart(int part) const { return m_statusParts[part]; }

    // The selected row, or -1.
    int selectedRow() const;
    // Opens the context menu at globalPos when a row is selected, after
    // setting which items are enabled from the row's status.
    void popUpListMenu(const QPoint &globalPos);

public slots:
    // The commands on the selected row; each does nothing without one.
    void startTiming();
    void openCheckout();
    void openSwitch();
    void openEditorForModify();
    void deleteItem();
    // The commands of the buttons.
    void addItem();
    void openHistory();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildButtons();
    void buildList();
    void buildStatusBar();
    void buildMenu();
    void placeWindow();
    void startRefreshLoop();
    void applyRefresh(std::uint64_t generation, const RefreshPassResult &result);
    void enableMenuFor(const QByteArray &status);
    QByteArray selectedName() const;
    void showFailure(const QString &message);
    template <typename Window>
    void runItemStoreWindow(Window &window);

    CellColorizer m_colorizer;
    ItemListModel *m_model = nullptr;
    QTableView *m_list = nullptr;
    QMenu *m_menu = nullptr;
    std::array<QAction *, MenuCommandCount> m_menuActions{};
    std::array<QLabel *, 6> m_statusParts{};
    QList<QPointer<QWidget>> m_historyWindows;
    std::unique_ptr<RefreshLoop> m_refreshLoop;
    bool m_placed = false;
};
