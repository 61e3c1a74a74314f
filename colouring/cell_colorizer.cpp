#include "colouring/cell_colorizer.h"

#include <QAbstractItemView>
#include <QColor>
#include <QPalette>
#include <QStyledItemDelegate>

namespace {

// Draws a cell with its stored colours; everything else (selection
// highlight, focus, text layout) stays the list's own.
class ColoredCellDelegate : public QStyledItemDelegate {
public:
    ColoredCellDelegate(const CellColorizer &colorizer, QObject *parent)
        : QStyledItemDelegate(parent), m_colorizer(colorizer)
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto colors = m_colorizer.cellColors(index.row(), index.column());
        if (!colors)
            return;
        option->backgroundBrush = colorFromRef(colors->background);
        option->palette.setColor(QPalette::Text, colorFromRef(colors->text));
    }

private:
    const CellColorizer &m_colorizer;
};

} // namespace

QColor colorFromRef(ColorRef color)
{
    return QColor(int(color & 0xff), int((color >> 8) & 0xff), int((color >> 16) & 0xff));
}

CellColorizer::~CellColorizer()
{
    destroy();
}

void CellColorizer::setWindows(QWidget *parentWindow, QAbstractItemView *listView)
{
    m_parentWindow = parentWindow;
    m_listView = listView;
}

void CellColorizer::attach()
{
    if (!m_listView)
        return;
    m_colors.clear();
    if (m_ownDelegate)
        return;
    m_replacedDelegate = m_listView->itemDelegate();
    m_ownDelegate = new ColoredCellDelegate(*this, m_listView);
    m_listView->setItemDelegate(m_ownDelegate);
}

void CellColorizer::setCellColors(int row, int column, ColorRef textColor, ColorRef backColor)
{
    m_colors.insert({row, column}, CellColors{textColor, backColor});
    repaintList();
}

void CellColorizer::removeCellColors(int row, int column)
{
    if (m_colors.remove({row, column}))
        repaintList();
}

std::optional<CellColors> CellColorizer::cellColors(int row, int column) const
{
    const auto found = m_colors.constFind({row, column});
    if (found == m_colors.constEnd())
        return std::nullopt;
    return *found;
}

void CellColorizer::destroy()
{
    if (m_listView && m_ownDelegate) {
        // The list may still draw after this; it must never reach a delegate
        // that refers to a colorizer being torn down.
        m_listView->setItemDelegate(m_replacedDelegate);
        delete m_ownDelegate;
    }
    m_ownDelegate = nullptr;
    m_replacedDelegate = nullptr;
    m_colors.clear();
}

void CellColorizer::repaintList() const
{
    if (m_listView)
        m_listView->viewport()->update();
}
