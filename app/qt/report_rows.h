#pragma once
// The report list's rows as wide as the widest of them, so that the list
// scrolls sideways to a long row's end while its rows keep one size (a
// report of 100,000 rows stays quick).
#include <QStringList>
#include <QStyledItemDelegate>

namespace shirl::qt {

class WidestRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Measures `rows` in `font`; call before the list shows them.
    void MeasureRows(const QStringList& rows, const QFont& font);

    // The row's own size, widened to the widest row's text.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_widestText = 0;
};

} // namespace shirl::qt
