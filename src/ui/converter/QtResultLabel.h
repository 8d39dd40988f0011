#pragma once
// A result label of the converter window. Its text can be selected and copied
// with the mouse and the keyboard; a change of it is told to screen readers.

#include "engine/Calculators.h"

#include <QFont>
#include <QLabel>

#include <functional>
#include <string>
#include <vector>

namespace wexel {

class QtResultLabel : public QLabel, public ResultLabel {
    Q_OBJECT
public:
    explicit QtResultLabel(QWidget* parent = nullptr);

    void setCaption(const std::string& caption) override;
    std::string caption() const override;

    // The label is never narrower than `pixels`, nor than a whole 32-bit
    // number needs, and widens for a longer result: no number shows in part.
    void setLeastWidth(int pixels);
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

    // Where the tooltip comes from, asked each time it is about to show.
    void setToolTipSource(std::function<QString()> source) { toolTipSource_ = std::move(source); }

    // Commands of the window that the label's context menu offers after Copy.
    void setExtraMenuActions(QList<QAction*> actions) { extraActions_ = std::move(actions); }

protected:
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int leastWidth_ = 0;
    // The width of a whole 32-bit number in the font it was measured in:
    // layouts ask for the hint often, and measuring text is not cheap.
    mutable QFont measuredFont_;
    mutable int numberWidth_ = -1;
    QList<QAction*> extraActions_;
    std::function<QString()> toolTipSource_;
};

} // namespace wexel
