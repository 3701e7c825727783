#include "app/qt/report_rows.h"

#include <QFontMetrics>

#include <algorithm>

namespace shirl::qt {

void WidestRowDelegate::MeasureRows(const QStringList& rows, const QFont& font) {
    const QFontMetrics metrics(font);
    m_widestText = 0;
    for (const QString& row : rows) m_widestText = std::max(m_widestText, metrics.horizontalAdvance(row));
}

QSize WidestRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // The row's margins stay; only its text is taken as wide as the widest.
    const int ownText = option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString());
    size.setWidth(std::max(size.width(), size.width() - ownText + m_widestText));
    return size;
}

} // namespace shirl::qt
