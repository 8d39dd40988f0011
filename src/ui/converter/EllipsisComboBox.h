#pragma once
// The Conversion Type list: closed, a name wider than the box ends in an
// ellipsis rather than cut mid-letter (the open list and the tooltip show it
// whole).

#include <QComboBox>

namespace wexel {

class EllipsisComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace wexel
