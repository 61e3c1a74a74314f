#pragma once

#include <QHash>
#include <QPointer>

#include <cstdint>
#include <optional>
#include <utility>

class QAbstractItemDelegate;
class QAbstractItemView;
class QColor;
class QWidget;

// A colour as the data files and callers give it: red in the low byte, then
// green, then blue; the high byte is 0.
using ColorRef = std::uint32_t;

inline constexpr ColorRef kBlack = 0;
inline constexpr ColorRef kWhite = 16777215;       // 255, 255, 255
inline constexpr ColorRef kInUseGreen = 10346931;  // 179, 225, 157

QColor colorFromRef(ColorRef color);

// The text and background colour of one cell.
struct CellColors {
    ColorRef text = kBlack;
    ColorRef background = kWhite;
    bool operator==(const CellColors &) const = default;
};

// Per-cell text and background colours of one report-style list. Cells are
// keyed by (row, column) index only: the colorizer knows nothing of what a
// row shows, and removing or reloading rows leaves its entries as they are.
// Cells without an entry, and every cell before attach(), are drawn with the
// list's own colours. GUI thread only.
class CellColorizer {
public:
    CellColorizer() = default;
    ~CellColorizer();
    CellColorizer(const CellColorizer &) = delete;
    CellColorizer &operator=(const CellColorizer &) = delete;

    // The window that owns the list, and the list whose cells are coloured.
    void setWindows(QWidget *parentWindow, QAbstractItemView *listView);
    // Forgets every stored colour and takes over the drawing of the list's
    // cells. Does nothing before setWindows.
    void attach();
    // Stores the colours of one cell (replacing earlier ones) and repaints.
    void setCellColors(int row, int column, ColorRef textColor, ColorRef backColor);
    // Forgets the colours of one cell and repaints; other cells keep theirs.
    void removeCellColors(int row, int column);
    // The stored colours of a cell; nullopt when it has none.
    std::optional<CellColors> cellColors(int row, int column) const;
    // Gives the list its own drawing back and forgets every colour. Safe to
    // call twice, and after the list is gone.
    void destroy();

private:
    void repaintList() const;

    QPointer<QWidget> m_parentWindow;
    QPointer<QAbstractItemView> m_listView;
    QPointer<QAbstractItemDelegate> m_ownDelegate;
    QPointer<QAbstractItemDelegate> m_replacedDelegate;
    QHash<std::pair<int, int>, CellColors> m_colors;
};
