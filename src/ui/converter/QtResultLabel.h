#pragma once
// A result label of the converter window. Its text can be selected and copied
// with the mouse and the keyboard; its tooltip shows the working behind the
// number.

#include "engine/Calculators.h"

#include <QLabel>

#include <string>
#include <vector>

namespace wexel {

class QtResultLabel : public QLabel, public ResultLabel {
    Q_OBJECT
public:
    explicit QtResultLabel(QWidget* parent = nullptr);

    void setCaption(const std::string& caption) override;
    std::string caption() const override;

    // The working behind the caption, a line each; none for no tooltip.
    void setWorking(const std::vector<std::string>& lines);

    // The label is never narrower than `pixels`, nor than a whole 32-bit
    // number needs, and widens for a longer result: no number shows in part.
    void setLeastWidth(int pixels);
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

private:
    int leastWidth_ = 0;
};

} // namespace wexel
